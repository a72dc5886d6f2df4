// The deterministic sides of the seams, for the headless runner and the tests: the
// virtual clock, scripted dialogs, windows that are only flags and, unless others
// are given, no sound, a font folder of no place and the real file calls. Every
// sound slot played is logged in `suoni`.
#pragma once

#include <memory>
#include <vector>

#include "codec/FileAtomico.h"
#include "seams/Audio.h"
#include "seams/DialoghiCopione.h"
#include "seams/FinestreCopione.h"
#include "seams/FontsCopione.h"
#include "seams/OrologioVirtuale.h"

struct LatiCopione {
  explicit LatiCopione(std::unique_ptr<Audio> audio_ = CreaAudioMuto(),
                       std::unique_ptr<Fonts> fonts_ = std::make_unique<FontsCopione>(),
                       ChiamateFile& chiamate = ChiamateFile::Sistema())
      : audio(std::move(audio_)), fonts(std::move(fonts_)), chiamateFile(chiamate) {}

  // Called once the game over these sides exists.
  template <class G>
  void Collega(G& g) {
    g.registroSuoni = &suoni;
  }

  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  std::unique_ptr<Audio> audio;
  std::unique_ptr<Fonts> fonts;
  ChiamateFile& chiamateFile;
  std::vector<int> suoni;
};
