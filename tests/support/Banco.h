// A test bench: a fresh game in a temporary program folder, wired as the runner
// wires it (the virtual clock, scripted dialogs, windows that are only flags and,
// by default, no sound).
#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/Partita.h"
#include "seams/LatiCopione.h"
#include "support/File.h"

// The program folder comes first: the game reads it as it starts.
struct CartellaDiProva {
  QTemporaryDir cartella;
};

struct Banco : CartellaDiProva, Partita<LatiCopione> {
  explicit Banco(std::unique_ptr<Audio> audio_ = CreaAudioMuto())
      : Partita(std::filesystem::path(cartella.path().toStdString()), std::move(audio_)) {}

  // Start-up, as the program does it.
  Banco& Avvia() {
    frm.Form_Load();
    return *this;
  }

  void Attendi(int64_t ms) { orologio.Avanza(ms); }

  std::filesystem::path File(const std::string& nome) const { return g.File(nome); }

  void Scrivi(const std::string& nome, const std::string& byte) const {
    ScriviTutto(File(nome), byte);
  }
  std::string Leggi(const std::string& nome) const { return LeggiTutto(File(nome)); }

  // The slots played since the last call.
  std::vector<int> Suoni() { return std::exchange(suoni, {}); }
};
