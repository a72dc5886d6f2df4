// The shots: the player's shot against bricks, the bonus ship and the aliens; the
// aliens' fire and their shots against bricks and the cannon. Every window below
// is strict (game/Colpi.h), and only visible targets are tested.
#include "game/Colpi.h"
#include "game/Eventi.h"
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"
#include "sound/Suoni.h"

using Suoni::SuonaSlot;

namespace GestioneOggetti {

namespace {

constexpr float FuoriCampo = 8400;  // a stopped player's shot waits below every test band
constexpr float ParcheggioProiettileNemico = 120;  // above the alien shots' test band
// Where an alien's shot leaves from, from the alien's top-left corner.
constexpr float UscitaSparoNemicoX = 170;
constexpr float UscitaSparoNemicoY = 495;

void FermaProiettile(Gioco& g) {
  g.tmr_proiettile.SetEnabled(false);
  g.img_proiettilegiocatore.Top = FuoriCampo;
  g.img_proiettilegiocatore.Visible = false;
}

struct Fila {
  ArraySprite* riga;
  int punti;
  SlotSuono suono;
};

}  // namespace

void ParcheggiaProiettileNemico(Sprite& proiettile) {
  proiettile.Top = ParcheggioProiettileNemico;
  proiettile.Visible = false;
}

void ControllaProiettileGiocatore(Gioco& g, int16_t y, int16_t x) {
  // Stopping the shot does not end the tests: one tick may hit several targets.
  if (Colpi::MuriPerSparo.Contiene(y)) {
    for (int j = 0; j < g.img_muro.Limite(); ++j) {
      Sprite& mattone = g.img_muro[j];
      if (mattone.Visible && Colpi::Mattone.Contiene(mattone, y, x)) {
        mattone.Visible = false;
        FermaProiettile(g);
        SuonaSlot(g, SlotSuono::EsplosioneMuro);
      }
    }
  }

  Sprite& navicella = g.img_navicellabonus;
  if (Colpi::Navicella.Contiene(y) && navicella.Visible &&
      navicella.Left - Colpi::MargineNavicella < x &&
      x < navicella.Left + Colpi::LarghezzaNavicella) {
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
        if (alieno.Visible && Colpi::Alieno.Contiene(alieno, y, x)) {
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
  // edge counts.
  for (ArraySprite* riga : g.RigheDalBasso()) {
    for (int i = 1; i <= 10; ++i) {
      const Sprite& alieno = (*riga)[i];
      if (!alieno.Visible || !(p < alieno.Left && alieno.Left < p + Colpi::LarghezzaCannone))
        continue;
      for (int k = 0; k <= 1; ++k) {
        Sprite& proiettile = g.img_proiettilenemico[k];
        if (proiettile.Visible) continue;
        proiettile.Left = alieno.Left + UscitaSparoNemicoX;
        proiettile.Top = alieno.Top + UscitaSparoNemicoY;
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
    if (mattone.Visible && Colpi::Mattone.Contiene(mattone, y, x)) {
      mattone.Visible = false;
      ParcheggiaProiettileNemico(proiettile);
      SuonaSlot(g, SlotSuono::EsplosioneMuro);
    }
  }
  // A hidden cannon (waiting to come back) cannot be hit.
  const Sprite& cannone = g.img_giocatore;
  if (cannone.Visible && Colpi::Cannone.Contiene(cannone, y, x)) {
    ParcheggiaProiettileNemico(proiettile);
    Eventi::GiocatoreColpito(g);
  }
}

}  // namespace GestioneOggetti
