// The shots: the player's shot against bricks, the bonus ship and the aliens; the
// aliens' fire and their shots against bricks and the cannon. Every window below
// is strict, and only visible targets are tested.
#include "game/Eventi.h"
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"
#include "sound/Suoni.h"

using Suoni::SuonaSlot;

namespace GestioneOggetti {

namespace {

constexpr float FuoriCampo = 8400;  // a stopped player's shot waits below every test band
constexpr float Parcheggio = 120;   // a stopped alien shot waits above the test band

// A brick is hit when the point lies in its rectangle widened 120 to the left.
bool DentroMattone(const Sprite& m, int y, int x) {
  return m.Top < y && y < m.Top + 225 && m.Left - 120 < x && x < m.Left + 345;
}

void FermaProiettile(Gioco& g) {
  g.tmr_proiettile.SetEnabled(false);
  g.img_proiettilegiocatore.Top = FuoriCampo;
  g.img_proiettilegiocatore.Visible = false;
}

void ParcheggiaProiettileNemico(Sprite& proiettile) {
  proiettile.Top = Parcheggio;
  proiettile.Visible = false;
}

struct Fila {
  ArraySprite* riga;
  int punti;
  SlotSuono suono;
};

}  // namespace

void ControllaProiettileGiocatore(Gioco& g, int16_t y, int16_t x) {
  // Stopping the shot does not end the tests: one tick may hit several targets.
  if (5500 < y && y < 7440) {
    for (int j = 0; j < g.img_muro.Limite(); ++j) {
      Sprite& mattone = g.img_muro[j];
      if (mattone.Visible && DentroMattone(mattone, y, x)) {
        mattone.Visible = false;
        FermaProiettile(g);
        SuonaSlot(g, SlotSuono::EsplosioneMuro);
      }
    }
  }

  Sprite& navicella = g.img_navicellabonus;
  if (600 < y && y < 1200 && navicella.Visible && navicella.Left - 120 < x &&
      x < navicella.Left + 1800) {
    navicella.Visible = false;
    FermaProiettile(g);
    NavicellaColpita(g);
  }

  if (g.FormazioneCaricata) {
    const Fila file[] = {{&g.img_quintafila, 50, SlotSuono::EsplosioneQuintaFila},
                         {&g.img_quartafila, 40, SlotSuono::EsplosioneQuartaFila},
                         {&g.img_terzafila, 30, SlotSuono::EsplosioneTerzaFila},
                         {&g.img_secondafila, 20, SlotSuono::EsplosioneSecondaFila},
                         {&g.img_primafila, 10, SlotSuono::EsplosionePrimaFila}};
    for (int i = 1; i <= 10; ++i) {
      for (const Fila& fila : file) {
        Sprite& alieno = (*fila.riga)[i];
        if (alieno.Visible && alieno.Top < y && y < alieno.Top + 495 && alieno.Left - 110 < x &&
            x < alieno.Left + 495) {
          alieno.Visible = false;
          FermaProiettile(g);
          g.Punteggio += fila.punti;
          g.lbl_punteggio.Caption = QString::number(g.Punteggio);
          g.NemiciRimasti -= 1;
          SuonaSlot(g, fila.suono);
        }
      }
    }
  }

  // A score beating the table's best is shown live as the best score.
  if (g.Punteggio > g.RecordPunti[1]) {
    g.lbl_record.Caption = QString::number(g.Punteggio);
    g.lbl_nomer.Caption.clear();
  }

  if (g.NemiciRimasti == 0) {
    g.Punteggio += int64_t{1000} * g.Livello;
    g.lbl_punteggio.Caption = QString::number(g.Punteggio);
    g.Livello += 1;
    g.tmr_spostamentonemici.SetEnabled(false);
    Eventi::LivelloCompletato(g);
    SuonaSlot(g, SlotSuono::FineLivello);
  }
}

void SparaNemici(Gioco& g) {
  if (!g.img_giocatore.Visible || !g.FormazioneCaricata) return;
  const int p = Intero16(g.img_giocatore.Left);
  // The lowest row with an alien above the cannon fires; only the alien's left
  // edge counts, and the cannon is 855 wide.
  for (ArraySprite* riga : g.RigheDalBasso()) {
    for (int i = 1; i <= 10; ++i) {
      const Sprite& alieno = (*riga)[i];
      if (!alieno.Visible || !(p < alieno.Left && alieno.Left < p + 855)) continue;
      for (int k = 0; k <= 1; ++k) {
        Sprite& proiettile = g.img_proiettilenemico[k];
        if (proiettile.Visible) continue;
        proiettile.Left = alieno.Left + 170;
        proiettile.Top = alieno.Top + 495;
        proiettile.Visible = true;
        SuonaSlot(g, SlotSuono::SparoNemico);
        return;
      }
    }
  }
}

void ControllaProiettileNemico(Gioco& g, int16_t y, int16_t x, int indice) {
  Sprite& proiettile = g.img_proiettilenemico[indice];
  for (int j = 0; j < g.img_muro.Limite(); ++j) {
    Sprite& mattone = g.img_muro[j];
    if (mattone.Visible && DentroMattone(mattone, y, x)) {
      mattone.Visible = false;
      ParcheggiaProiettileNemico(proiettile);
      SuonaSlot(g, SlotSuono::EsplosioneMuro);
    }
  }
  // A hidden cannon (waiting to come back) cannot be hit.
  const Sprite& cannone = g.img_giocatore;
  if (cannone.Visible && cannone.Top < y && y < cannone.Top + 440 && cannone.Left - 120 < x &&
      x < cannone.Left + 855) {
    ParcheggiaProiettileNemico(proiettile);
    Eventi::GiocatoreColpito(g);
  }
}

}  // namespace GestioneOggetti
