// The deterministic sides of the seams, for the headless runner and the tests: the
// virtual clock, scripted dialogs, windows that are only flags and, unless another
// audio is given, no sound. Every sound slot played is logged in `suoni`.
#pragma once

#include <memory>
#include <vector>

#include "seams/Audio.h"
#include "seams/DialoghiCopione.h"
#include "seams/FinestreCopione.h"
#include "seams/OrologioVirtuale.h"

struct LatiCopione {
  explicit LatiCopione(std::unique_ptr<Audio> audio_ = CreaAudioMuto())
      : audio(std::move(audio_)) {}

  // Called once the game over these sides exists.
  template <class G>
  void Collega(G& g) {
    g.registroSuoni = &suoni;
  }

  OrologioVirtuale orologio;
  DialoghiCopione dialoghi;
  FinestreCopione finestre;
  std::unique_ptr<Audio> audio;
  std::vector<int> suoni;
};
