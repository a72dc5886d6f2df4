// Sounds made by the tests and benchmarks themselves (a sine wave file, a
// one-note MIDI file), and a Gioco on quiet stand-ins for the other seams.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <optional>
#include <string>

#include "game/Gioco.h"

namespace suoni_di_prova {

inline void Aggiungi16(std::string& s, uint16_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>(v >> 8);
}
inline void Aggiungi32(std::string& s, uint32_t v) {
  Aggiungi16(s, static_cast<uint16_t>(v & 0xFFFF));
  Aggiungi16(s, static_cast<uint16_t>(v >> 16));
}

inline void ScriviFile(const std::filesystem::path& percorso, const std::string& byte) {
  std::ofstream(percorso, std::ios::binary) << byte;
}

// A mono 16-bit PCM wave file holding `secondi` of a 440 Hz tone.
inline void ScriviWav(const std::filesystem::path& percorso, double secondi,
                      uint32_t frequenza = 44100) {
  const auto campioni = static_cast<uint32_t>(secondi * frequenza);
  std::string dati;
  dati.reserve(campioni * 2);
  for (uint32_t i = 0; i < campioni; ++i) {
    const double t = static_cast<double>(i) / frequenza;
    Aggiungi16(dati, static_cast<uint16_t>(
                         static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * 440 * t))));
  }
  std::string s = "RIFF";
  Aggiungi32(s, static_cast<uint32_t>(36 + dati.size()));
  s += "WAVEfmt ";
  Aggiungi32(s, 16);
  Aggiungi16(s, 1);  // PCM
  Aggiungi16(s, 1);  // mono
  Aggiungi32(s, frequenza);
  Aggiungi32(s, frequenza * 2);
  Aggiungi16(s, 2);
  Aggiungi16(s, 16);
  s += "data";
  Aggiungi32(s, static_cast<uint32_t>(dati.size()));
  ScriviFile(percorso, s + dati);
}

// A format-0 MIDI file: one middle C of 24 ticks (1/8 s at the default tempo).
inline void ScriviMidi(const std::filesystem::path& percorso) {
  const std::string traccia(
      "\x00\x90\x3C\x64"   // note on
      "\x18\x80\x3C\x40"   // 24 ticks later, note off
      "\x00\xFF\x2F\x00",  // end of track
      12);
  std::string s("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);  // format 0, one track, 96 ticks a beat
  s += "MTrk";
  s += std::string("\0\0\0", 3) + static_cast<char>(traccia.size());
  ScriviFile(percorso, s + traccia);
}

// Stand-ins for the seams the sound procedures never touch.
class OrologioFermo final : public Orologio {
 public:
  void Registra(Timer&) override {}
  void Riprogramma(Timer&) override {}
  void Rimuovi(Timer&) override {}
  void Dormi(int) override {}
};

class DialoghiMuti final : public Dialoghi {
 public:
  Risposta MsgBox(const QString&, Pulsanti, Icona, const QString&) override { return Risposta::OK; }
  QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
  std::optional<QString> ApriFile(const RichiestaFile&) override { return std::nullopt; }
  std::optional<Carattere> ScegliFont(const Carattere&) override { return std::nullopt; }
  std::optional<uint32_t> ScegliColore() override { return std::nullopt; }
};

class FinestreFinte final : public Finestre {
 public:
  void Mostra(Finestra) override {}
  void Scarica(Finestra) override {}
  bool Caricata(Finestra) const override { return false; }
  void ChiudiPrincipale() override {}
  QStringList Caricate() const override { return {QStringLiteral("frm_main")}; }
};

// A Gioco in `cartella` over the given audio.
struct BancoGioco {
  BancoGioco(const std::filesystem::path& cartella, Audio& audio)
      : gioco(cartella, orologio, dialoghi, audio, finestre) {}

  OrologioFermo orologio;
  DialoghiMuti dialoghi;
  FinestreFinte finestre;
  Gioco gioco;
};

}  // namespace suoni_di_prova
