#include "game/Eventi.h"

#include <algorithm>

#include "combinations/GestioneDatiEsterni.h"
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "sound/Suoni.h"

using Suoni::SuonaSlot;

namespace Eventi {

namespace {
constexpr float CentroCannone = 5520;  // where the cannon comes back
constexpr float ParcheggioProiettileNemico = 120;

// Alien shots hidden at a level clear or a game over are parked above the test
// band, so that they cannot hit anything in the next level.
void NascondiProiettiliNemici(Gioco& g) {
  for (int k = 0; k <= 1; ++k) {
    g.img_proiettilenemico[k].Visible = false;
    g.img_proiettilenemico[k].Top = ParcheggioProiettileNemico;
  }
}
}  // namespace

int IntervalloMarcia(int livello) {
  return std::max(100, 1100 - 100 * std::min(livello, 10));
}

void MettiInPausa(Gioco& g) {
  if (g.img_gameover.Visible) return;
  g.tmr_spostamentonemici.SetEnabled(false);
  g.tmr_proiettilenemico.SetEnabled(false);
  g.tmr_proiettile.SetEnabled(false);
  g.Pausa = true;
  g.tmr_sposta.SetEnabled(false);
  g.img_pausa.Visible = true;
  g.lbl_puntinavicella.Visible = false;
}

void GiocatoreColpito(Gioco& g) {
  if (g.Vite >= 1 && g.Vite <= 3) {
    g.Vite -= 1;
    g.tmr_rinascita.SetEnabled(true);
    g.img_giocatore.Visible = false;
    g.img_viterimaste[g.Vite].Visible = false;
    g.Sinistra = false;
    g.Destra = false;
    g.img_giocatore.Left = CentroCannone;
    SuonaSlot(g, SlotSuono::EsplosioneGiocatore);
    return;
  }
  if (g.Vite != 0) return;

  g.PassiNavicella = 0;
  g.tmr_spostamentonemici.SetEnabled(false);
  g.tmr_proiettilenemico.SetEnabled(false);
  g.tmr_proiettile.SetEnabled(false);
  g.tmr_sposta.SetEnabled(false);
  g.tmr_rinascita.SetEnabled(false);
  g.img_giocatore.Visible = false;
  g.img_navicellabonus.Visible = false;
  g.img_proiettilegiocatore.Visible = false;
  NascondiProiettiliNemici(g);
  g.lbl_puntinavicella.Visible = false;
  g.Sinistra = false;
  g.Destra = false;
  GestioneOggetti::ScaricaFormazione(g);
  GestioneOggetti::MostraMuri(g, false);
  GestioneDatiEsterni::InserisciRecord(g);
  g.img_gameover.Visible = true;
  MostraRecord(g);
  dShow::FermaMusica(g);
  SuonaSlot(g, SlotSuono::GameOver);
}

void InvasioneAlieni(Gioco& g) {
  g.tmr_sposta.SetEnabled(false);
  g.tmr_spostamentonemici.SetEnabled(false);
  GiocatoreColpito(g);
  // A fresh formation at the starting rows; none when the game has just ended.
  GestioneOggetti::ScaricaFormazione(g);
  GestioneOggetti::CaricaFormazione(g);
  g.tmr_spostamentonemici.SetEnabled(true);
  g.NemiciRimasti = 50;
  SuonaSlot(g, SlotSuono::ArrivoAlieni);
  g.Sinistra = false;
  g.Destra = false;
  g.img_giocatore.Left = CentroCannone;
  g.tmr_sposta.SetEnabled(true);
}

void LivelloCompletato(Gioco& g) {
  g.PassiNavicella = 0;
  g.img_giocatore.Visible = false;
  g.tmr_spostamentonemici.SetEnabled(false);
  g.tmr_proiettilenemico.SetEnabled(false);
  g.tmr_proiettile.SetEnabled(false);
  g.img_navicellabonus.Visible = false;
  g.img_proiettilegiocatore.Visible = false;
  NascondiProiettiliNemici(g);
  g.lbl_puntinavicella.Visible = false;
  GestioneOggetti::ScaricaFormazione(g);
  GestioneOggetti::MostraMuri(g, false);
  g.img_nextlevel.Visible = true;
}

void MostraRecord(Gioco& g) {
  g.lbl_hiscore.Visible = true;
  for (int i = 0; i <= 10; ++i) {
    g.lbl_namer[i].Visible = true;
    g.lbl_puntir[i].Visible = true;
    g.lbl_livellor[i].Visible = true;
  }
}

}  // namespace Eventi
