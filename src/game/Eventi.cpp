#include "game/Eventi.h"

#include "combinations/GestioneDatiEsterni.h"
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "sound/Suoni.h"

using Suoni::SuonaSlot;

namespace Eventi {

namespace {

constexpr float CentroCannone = 5520;  // where the cannon comes back
constexpr int AlieniPerFormazione = 50;

// The end of a wave, at a level clear and at a game over: the march, the aliens' fire
// and the player's shot stop; the cannon, the bonus ship, every shot and the points
// label leave the playfield with the formation and the walls; the ship's count starts
// over. The alien shots are parked above their test band, so that none hidden inside
// it can hit anything in the next wave.
void ChiudiOndata(Gioco& g) {
  g.PassiNavicella = 0;
  g.tmr_spostamentonemici.SetEnabled(false);
  g.tmr_proiettilenemico.SetEnabled(false);
  g.tmr_proiettile.SetEnabled(false);
  g.img_giocatore.Visible = false;
  g.img_navicellabonus.Visible = false;
  g.img_proiettilegiocatore.Visible = false;
  for (int k = 0; k <= 1; ++k)
    GestioneOggetti::ParcheggiaProiettileNemico(g.img_proiettilenemico[k]);
  g.lbl_puntinavicella.Visible = false;
  GestioneOggetti::ScaricaFormazione(g);
  GestioneOggetti::MostraMuri(g, false);
}

void VisibilitaRecord(Gioco& g, bool visibile) {
  g.lbl_hiscore.Visible = visibile;
  for (int i = 0; i <= 10; ++i) {
    g.lbl_namer[i].Visible = visibile;
    g.lbl_puntir[i].Visible = visibile;
    g.lbl_livellor[i].Visible = visibile;
  }
}

}  // namespace

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

void IniziaOndata(Gioco& g) {
  GestioneOggetti::CaricaFormazione(g);
  GestioneOggetti::MostraMuri(g, true);
  g.img_giocatore.Visible = true;
  GestioneOggetti::AvviaMarcia(g);
  g.tmr_proiettilenemico.SetEnabled(true);
  g.NemiciRimasti = AlieniPerFormazione;
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

  ChiudiOndata(g);
  g.tmr_sposta.SetEnabled(false);
  g.tmr_rinascita.SetEnabled(false);
  g.Sinistra = false;
  g.Destra = false;
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
  // A fresh formation at the starting rows; none when the game has just ended. The
  // march goes on at the speed it had.
  GestioneOggetti::ScaricaFormazione(g);
  GestioneOggetti::CaricaFormazione(g);
  g.tmr_spostamentonemici.SetEnabled(true);
  g.NemiciRimasti = AlieniPerFormazione;
  SuonaSlot(g, SlotSuono::ArrivoAlieni);
  g.Sinistra = false;
  g.Destra = false;
  g.img_giocatore.Left = CentroCannone;
  g.tmr_sposta.SetEnabled(true);
}

void LivelloCompletato(Gioco& g) {
  ChiudiOndata(g);
  g.img_nextlevel.Visible = true;
}

void MostraRecord(Gioco& g) {
  VisibilitaRecord(g, true);
}

void NascondiRecord(Gioco& g) {
  VisibilitaRecord(g, false);
}

}  // namespace Eventi
