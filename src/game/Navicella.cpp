// The bonus ship: out after fifty march ticks, 150 + 20 x level twips left per
// alien-shot tick, worth 500 x level, gone past -2000.
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"
#include "sound/Suoni.h"

namespace GestioneOggetti {

namespace {
constexpr int PassiPerNavicella = 50;
constexpr float ParcheggioUscita = 13000;  // where it waits once it has flown out
constexpr float LineaUscita = -2000;
}  // namespace

void MuoviNavicella(Gioco& g) {
  Sprite& navicella = g.img_navicellabonus;
  if (g.PassiNavicella >= PassiPerNavicella) navicella.Visible = true;
  const int velocita = 20 * g.Livello + 150;
  if (navicella.Visible) navicella.Left -= static_cast<float>(velocita);
  if (navicella.Left < LineaUscita) {
    navicella.Visible = false;
    navicella.Left = ParcheggioUscita;
    g.PassiNavicella = 0;
  }
}

void NavicellaColpita(Gioco& g) {
  const int64_t punti = int64_t{500} * g.Livello;
  g.lbl_puntinavicella.Caption = QString::number(punti);
  g.lbl_puntinavicella.Left = g.img_navicellabonus.Left;
  g.img_navicellabonus.Left = ParcheggioNavicella;
  g.PassiNavicella = 0;
  g.Punteggio += punti;
  g.lbl_puntinavicella.Visible = true;
  g.tmr_puntibonus.SetEnabled(true);
  g.lbl_punteggio.Caption = QString::number(g.Punteggio);
  Suoni::SuonaSlot(g, SlotSuono::EsplosioneBonus);
}

}  // namespace GestioneOggetti
