// One run of the game wired up: the sides of the seams, the Gioco over them, the
// main window's handlers and the dispatcher in front of them. `Lati` owns `orologio`, `dialoghi`,
// `finestre`, `audio` and `fonts` (pointers), names the `chiamateFile` of its writes and has
// `Collega(Gioco&)`, called once the Gioco exists: the program plays on the real sides, the runner
// and the tests on LatiCopione.
#pragma once

#include <filesystem>
#include <utility>

#include "game/Smistatore.h"
#include "game/frm_main.h"
#include "model/Gioco.h"

template <class Lati>
struct Partita : Lati {
  template <class... Argomenti>
  explicit Partita(std::filesystem::path cartella, Argomenti&&... lati)
      : Lati(std::forward<Argomenti>(lati)...),
        g(std::move(cartella), this->orologio, this->dialoghi, *this->audio, this->finestre,
          *this->fonts, this->chiamateFile),
        frm(g),
        smista(g, frm) {
    Lati::Collega(g);
  }
  Partita(const Partita&) = delete;
  Partita& operator=(const Partita&) = delete;

  Gioco g;
  frm_main frm;
  // Every input of a game goes in through here; it has the clock drive the timers.
  Smistatore smista;
};
