// An audio seam that writes down what it is asked. Effects are the files that start
// with "RIFF", music also "ID3" or "MThd"; the music's position is the test's to set.
#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "seams/Audio.h"

struct EffettoSpia final : Effetto {
  explicit EffettoSpia(std::string f) : file(std::move(f)) {}
  std::string file;
};

class AudioSpia final : public Audio {
 public:
  bool Disponibile() const override { return true; }
  std::unique_ptr<Effetto> CreaEffetto(const std::filesystem::path& f) override {
    return Inizio(f) == "RIFF" ? std::make_unique<EffettoSpia>(f.filename().string()) : nullptr;
  }
  void Suona(int c, const Effetto& e, int32_t v, bool ciclo) override {
    const auto* spia = dynamic_cast<const EffettoSpia*>(&e);
    registro << QString::asprintf("Suona %d %s %d%s", c, spia ? spia->file.c_str() : "?", v,
                                  ciclo ? " ciclo" : "");
  }
  void Ferma(int c) override { registro << QString::asprintf("Ferma %d", c); }
  void VolumeCanale(int c, int32_t v) override {
    registro << QString::asprintf("VolumeCanale %d %d", c, v);
  }
  bool ApriMusica(const std::filesystem::path& f) override {
    const std::string i = Inizio(f);
    aperta = i == "RIFF" || i == "MThd" || i.starts_with("ID3");
    musica = aperta ? f.filename().string() : "";
    return aperta;
  }
  bool MusicaAperta() const override { return aperta; }
  void RiproduciDallInizio() override {
    posizione = 0;
    registro << QStringLiteral("RiproduciDallInizio");
  }
  void FermaMusica() override { registro << QStringLiteral("FermaMusica"); }
  double DurataMusica() const override { return 10; }
  double PosizioneMusica() const override { return posizione; }
  void VolumeMusica(int32_t v) override { registro << QString::asprintf("VolumeMusica %d", v); }
  void ChiudiMusica() override { aperta = false, musica.clear(); }
  // The device stops the open music as too heavy when the test sets `interrotta`.
  bool MusicaInterrotta() override {
    if (!aperta || !std::exchange(interrotta, false)) return false;
    ChiudiMusica();
    return true;
  }

  QStringList Prendi() { return std::exchange(registro, {}); }  // the calls since the last time

  bool aperta = false, interrotta = false;
  std::string musica;
  double posizione = 0;
  QStringList registro;

 private:
  static std::string Inizio(const std::filesystem::path& file) {
    std::string byte(4, '\0');
    std::ifstream(file, std::ios::binary).read(byte.data(), 4);
    return byte;
  }
};
