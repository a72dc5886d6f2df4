// A bot that plays through the dispatcher, as a player's keys do: it stands under the
// alien nearest to it and fires whenever it can, may step aside from an alien shot,
// and starts the next level when one is cleared. The benchmarks and the soak use it.
#pragma once

#include <cmath>
#include <limits>

#include "game/Smistatore.h"
#include "game/frm_main.h"
#include "model/Gioco.h"

class Bot {
 public:
  Bot(Gioco& gioco, Smistatore& smistatore) : g(gioco), smista(smistatore) {}

  // From 0 (never dodges) up: how far above the cannon, in twips, an alien shot is
  // seen coming. A wary bot lives longer and reaches later levels.
  float prudenza = 0;

  // One look at the playfield and the keys it presses; the caller then lets time pass.
  // A game that is over is left as it is: starting the next one is the caller's choice.
  void Gioca() {
    if (g.img_gameover.Visible) return;
    if (g.img_nextlevel.Visible || g.img_pausa.Visible) {
      smista.Invia(Evento::Carattere(Tasti::Spazio));
      return;
    }
    const Sprite& cannone = g.img_giocatore;
    if (!cannone.Visible) return;

    const float centro = cannone.Left + cannone.Width / 2;
    float bersaglio = MiraAlieno(centro);
    if (const float fuga = Fuga(centro); !std::isnan(fuga)) bersaglio = fuga;
    Muovi(bersaglio - centro);
    smista.Invia(Evento::Carattere(Tasti::Spazio));
  }

 private:
  static constexpr float Tolleranza = 60;  // near enough: one cannon step is 100 twips

  // The middle of the visible alien nearest to the cannon, or where the cannon is
  // when there is none.
  float MiraAlieno(float centro) const {
    float migliore = centro;
    float distanza = std::numeric_limits<float>::max();
    for (const ArraySprite* riga : g.RigheDalBasso()) {
      for (int i = 1; i < riga->Limite(); ++i) {
        if (!riga->Esiste(i) || !(*riga)[i].Visible) continue;
        const float x = (*riga)[i].Left + (*riga)[i].Width / 2;
        if (std::abs(x - centro) < distanza) {
          distanza = std::abs(x - centro);
          migliore = x;
        }
      }
    }
    return migliore;
  }

  // Where to step to get out from under an alien shot that is near, or NaN.
  float Fuga(float centro) const {
    if (prudenza <= 0) return std::numeric_limits<float>::quiet_NaN();
    const Sprite& cannone = g.img_giocatore;
    for (int k = 0; k < g.img_proiettilenemico.Limite(); ++k) {
      if (!g.img_proiettilenemico.Esiste(k)) continue;
      const Sprite& p = g.img_proiettilenemico[k];
      if (!p.Visible || p.Top + p.Height < cannone.Top - prudenza ||
          p.Top > cannone.Top + cannone.Height)
        continue;
      const float x = p.Left + p.Width / 2;
      if (std::abs(x - centro) > cannone.Width) continue;
      // Away from the shot, towards the side with more room.
      const bool aSinistra = x > centro ? centro > 1500 : centro > LarghezzaCampo - 1500;
      return aSinistra ? x - 2 * cannone.Width : x + 2 * cannone.Width;
    }
    return std::numeric_limits<float>::quiet_NaN();
  }

  void Muovi(float scarto) {
    const bool sinistra = scarto < -Tolleranza;
    const bool destra = scarto > Tolleranza;
    if (!sinistra) smista.Invia(Evento::Su(Tasti::FrecciaSinistra));
    if (!destra) smista.Invia(Evento::Su(Tasti::FrecciaDestra));
    if (sinistra) smista.Invia(Evento::Giu(Tasti::FrecciaSinistra));
    if (destra) smista.Invia(Evento::Giu(Tasti::FrecciaDestra));
  }

  Gioco& g;
  Smistatore& smista;
};
