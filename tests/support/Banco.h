// A test bench: a fresh game in a temporary program folder, wired as the runner
// wires it (the virtual clock, scripted dialogs, windows that are only flags and,
// by default, no sound), with a font folder of its own and file writes that fail
// when the test asks.
#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/Partita.h"
#include "seams/LatiCopione.h"
#include "support/ChiamateProva.h"
#include "support/File.h"

// The program folder and the file calls come first: the game reads the folder as it
// starts, and writes through the calls.
struct CartellaDiProva {
  QTemporaryDir cartella;
  ChiamateProva chiamate;
  std::filesystem::path Percorso() const { return cartella.path().toStdString(); }
};

struct Banco : CartellaDiProva, Partita<LatiCopione> {
  explicit Banco(std::unique_ptr<Audio> audio_ = CreaAudioMuto())
      : Partita(Percorso(), std::move(audio_),
                std::make_unique<FontsCopione>(Percorso() / "dati" / "fonts"), chiamate),
        fonts(static_cast<FontsCopione&>(*Partita::fonts)) {}

  // The font folder inside the program folder, and what was registered.
  FontsCopione& fonts;

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

  // The one message shown since the last call (input boxes left out), or how many
  // there were.
  std::string Avviso() {
    std::vector<std::string> avvisi;
    for (const BoxMostrato& box : dialoghi.PrendiBox())
      if (box.tipo != "input") avvisi.push_back(box.testo.toStdString());
    return avvisi.size() == 1 ? avvisi[0] : std::to_string(avvisi.size()) + " messages";
  }
};
