// Sounds made by the tests and benchmarks themselves (a sine wave file, a
// one-note MIDI file), and a Gioco on the deterministic sides of the other seams.
#pragma once

#include <QByteArray>
#include <QDataStream>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>

#include "seams/DialoghiCopione.h"
#include "seams/FinestreCopione.h"
#include "seams/FontsCopione.h"
#include "model/Gioco.h"
#include "seams/OrologioVirtuale.h"

namespace suoni_di_prova {

inline void ScriviFile(const std::filesystem::path& percorso, const std::string& byte) {
  std::ofstream(percorso, std::ios::binary) << byte;
}

// A mono 16-bit PCM wave file holding `secondi` of a 440 Hz tone.
inline void ScriviWav(const std::filesystem::path& percorso, double secondi,
                      uint32_t frequenza = 44100) {
  const auto campioni = static_cast<uint32_t>(secondi * frequenza);
  QByteArray byte;
  QDataStream s(&byte, QIODevice::WriteOnly);
  s.setByteOrder(QDataStream::LittleEndian);
  s.writeRawData("RIFF", 4);
  s << quint32(36 + campioni * 2);
  s.writeRawData("WAVEfmt ", 8);
  // PCM, mono, the rate, bytes a second, bytes a frame, bits a sample
  s << quint32(16) << quint16(1) << quint16(1) << frequenza << frequenza * 2 << quint16(2)
    << quint16(16);
  s.writeRawData("data", 4);
  s << quint32(campioni * 2);
  for (uint32_t i = 0; i < campioni; ++i) {
    s << static_cast<qint16>(8000 * std::sin(2 * std::numbers::pi * 440 * i / frequenza));
  }
  ScriviFile(percorso, byte.toStdString());
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

// A Gioco in `cartella` over the given audio.
struct BancoGioco {
  BancoGioco(const std::filesystem::path& cartella, Audio& audio)
      : gioco(cartella, orologio, dialoghi, audio, finestre, fonts) {}

  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  FontsCopione fonts;
  Gioco gioco;
};

}  // namespace suoni_di_prova
