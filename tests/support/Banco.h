// A test bench: a fresh Gioco in a temporary program folder, on the virtual clock,
// with scripted dialogs, windows that are only flags, no sound, a font folder of
// its own and file writes that fail when the test asks.
#pragma once

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "seams/DialoghiCopione.h"
#include "seams/FinestreCopione.h"
#include "seams/FontsCopione.h"
#include "model/Gioco.h"
#include "seams/OrologioVirtuale.h"
#include "game/frm_main.h"
#include "seams/Audio.h"
#include "support/ChiamateProva.h"
#include "support/File.h"

struct Banco {
  explicit Banco(std::unique_ptr<Audio> audio_ = CreaAudioMuto())
      : audio(std::move(audio_)),
        fonts(std::filesystem::path(cartella.path().toStdString()) / "dati" / "fonts"),
        g(std::filesystem::path(cartella.path().toStdString()), orologio, dialoghi, *audio,
          finestre, fonts, chiamate),
        frm(g) {
    g.registroSuoni = &suoni;
  }

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

  QTemporaryDir cartella;
  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  std::unique_ptr<Audio> audio;
  FontsCopione fonts;
  ChiamateProva chiamate;
  Gioco g;
  frm_main frm;
  std::vector<int> suoni;
};
