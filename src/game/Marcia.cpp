// The formation's march: 125 twips a step, column by column; at a side the block
// turns and steps down 500 twips, and a living alien below 5760 is an invasion. Its
// speed is the timer's interval alone, set by the level when a wave starts.
#include "game/Eventi.h"
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"

#include <algorithm>

namespace GestioneOggetti {

namespace {

constexpr float PassoLaterale = 125;
constexpr float LimiteDestro = 11300;  // a Left of this or more reaches the right side
constexpr float LimiteSinistro = 0;    // a Left of this or less reaches the left side
constexpr float PassoInBasso = 500;
constexpr float LineaInvasione = 5760;

// The march interval is 1100 ms less 100 for each level: 1000 ms at level 1, and
// 100 ms at level 10, the fastest, kept from then on.
constexpr int IntervalloLivelloZero = 1100;
constexpr int AccelerazionePerLivello = 100;
constexpr int LivelloPiuVeloce = 10;

// One step sideways. Each column moves and is tested before the next one moves,
// so at the left side (reached by column 1) only that column moves in the tick of
// the turn: every turn there widens the gap between columns 1 and 2 by 125.
template <class Oltre>
void Sposta(Gioco& g, float passo, Oltre oltreIlLimite, bool nuovaDirezione) {
  if (!g.FormazioneCaricata) return;
  g.tmr_spostamentonemici.SetEnabled(false);
  const auto righe = g.RigheDalBasso();
  for (int i = 1; i <= 10; ++i) {
    for (ArraySprite* riga : righe) {
      Sprite& alieno = (*riga)[i];
      if (alieno.Visible) alieno.Left += passo;
    }
    // Dead aliens count too: they keep the Left they died at.
    for (ArraySprite* riga : righe) {
      if (oltreIlLimite((*riga)[i].Left)) {
        g.VersoDestra = nuovaDirezione;
        AbbassaFormazione(g);
        return;
      }
    }
  }
  g.tmr_spostamentonemici.SetEnabled(true);
}

}  // namespace

int IntervalloMarcia(int livello) {
  return IntervalloLivelloZero - AccelerazionePerLivello * std::min(livello, LivelloPiuVeloce);
}

void AvviaMarcia(Gioco& g) {
  g.tmr_spostamentonemici.SetInterval(IntervalloMarcia(g.Livello));
  g.tmr_spostamentonemici.SetEnabled(true);
}

void SpostaFormazioneDestra(Gioco& g) {
  Sposta(
      g, PassoLaterale, [](float left) { return left >= LimiteDestro; }, false);
}

void SpostaFormazioneSinistra(Gioco& g) {
  Sposta(
      g, -PassoLaterale, [](float left) { return left <= LimiteSinistro; }, true);
}

void AbbassaFormazione(Gioco& g) {
  if (!g.FormazioneCaricata) return;
  auto righe = g.RigheDalBasso();
  std::reverse(righe.begin(), righe.end());  // top row first
  for (int i = 1; i <= 10; ++i) {
    for (ArraySprite* riga : righe) {
      Sprite& alieno = (*riga)[i];
      if (alieno.Visible) alieno.Top += PassoInBasso;
    }
    for (ArraySprite* riga : righe) {
      const Sprite& alieno = (*riga)[i];
      if (alieno.Visible && alieno.Top > LineaInvasione) {
        // The march timer stays off: the invasion restarts it with a new formation.
        Eventi::InvasioneAlieni(g);
        return;
      }
    }
  }
  g.tmr_spostamentonemici.SetEnabled(true);
}

}  // namespace GestioneOggetti
