#include "game/frm_main.h"

#include "codec/FileAtomico.h"
#include "game/Campo.h"
#include "combinations/GestioneDatiEsterni.h"
#include "game/Colpi.h"
#include "game/Eventi.h"
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"
#include "sound/dShow.h"
#include "sound/Effetti.h"

using GestioneDatiEsterni::SuonaSlot;

namespace {

constexpr float PassoCannone = 100;  // twips per 25 ms tick: 4000 twips a second
constexpr float LimiteSinistroCannone = 50;
constexpr float LimiteDestroCannone = 11000;
constexpr float ScostamentoSparo = 360;  // the shot leaves the cannon's middle
constexpr float PartenzaSparo = 7500;
constexpr float PassoSparo = 200;
constexpr float PassoProiettileNemico = 180;
constexpr float UscitaProiettileNemico = 9150;

QString MessaggioSceltaNonSalvata(const Gioco& g, const char* conseguenza) {
  return QStringLiteral("Impossibile salvare la scelta nella cartella del programma (%1). %2")
      .arg(QString::fromStdString(g.CartellaProgramma.string()), QString::fromUtf8(conseguenza));
}

}  // namespace

frm_main::frm_main(Gioco& gioco) : g(gioco) {}

void frm_main::Form_Load() {
  g.FormazioneCaricata = false;
  g.AutoreCombinazione = QStringLiteral("Dorvanel");
  g.CombinazioneCorrente = QStringLiteral("Default");
  // The sound device was opened by whoever built the Gioco.
  g.Caption = Didascalia(QStringLiteral("Default"));
  g.PassiSparo = 0;
  GestioneDatiEsterni::ApplicaCombinazione(g);
  GestioneDatiEsterni::CaricaRecord(g);
  GestioneDatiEsterni::ApplicaFont(g);
  GestioneDatiEsterni::CostruisciMenu(g);
  g.mn_attiva.Checked = g.AudioAttivo;
  g.finestre.Scarica(Finestra::frm_opzioni);
}

void frm_main::Form_KeyDown(int KeyCode) {
  switch (KeyCode) {
    case Tasti::Esc:
      Eventi::MettiInPausa(g);
      break;
    case Tasti::FrecciaSinistra:
      if (!g.Pausa && g.img_giocatore.Visible) g.Sinistra = true;
      break;
    case Tasti::FrecciaDestra:
      if (!g.Pausa && g.img_giocatore.Visible) g.Destra = true;
      break;
    default:
      break;
  }
}

void frm_main::Form_KeyUp(int KeyCode) {
  // A release while the cannon is hidden is ignored; the flags are cleared anyway
  // whenever the cannon is lost or a level starts.
  if (KeyCode == Tasti::FrecciaSinistra && g.img_giocatore.Visible) g.Sinistra = false;
  if (KeyCode == Tasti::FrecciaDestra && g.img_giocatore.Visible) g.Destra = false;
}

void frm_main::Form_Deactivate() {
  // Nobody steers the cannon of a game left behind another window: it pauses as Esc
  // pauses it. Not on a banner that waits for the player, nor while the game ends
  // (the name box takes the keyboard then), nor once paused.
  const bool inGioco =
      g.tmr_sposta.Enabled() && !g.img_gameover.Visible && !g.img_nextlevel.Visible && !g.Pausa;
  if (inGioco) Form_KeyDown(Tasti::Esc);
  // The arrows' releases go to the other window: they count as let go now.
  Form_KeyUp(Tasti::FrecciaSinistra);
  Form_KeyUp(Tasti::FrecciaDestra);
}

void frm_main::Form_KeyPress(int KeyAscii) {
  if (KeyAscii != Tasti::Spazio) return;

  // Fire first: so the space bar that starts a game does not also fire.
  Sprite& sparo = g.img_proiettilegiocatore;
  if (g.img_giocatore.Visible && !g.img_gameover.Visible && !g.img_nextlevel.Visible && !g.Pausa &&
      !sparo.Visible) {
    sparo.Left = g.img_giocatore.Left + ScostamentoSparo;
    sparo.Top = PartenzaSparo;
    sparo.Visible = true;
    g.tmr_proiettile.SetEnabled(true);
    SuonaSlot(g, SlotSuono::SparoAmico);
  }

  // Then answer the banner shown, each test after the previous one has acted.
  if (g.img_gameover.Visible) img_gameover_Click();
  if (g.img_nextlevel.Visible) img_nextlevel_Click();
  if (g.img_pausa.Visible) img_pausa_Click();
}

void frm_main::img_gameover_Click() {
  g.tmr_sposta.SetEnabled(true);
  g.lbl_puntinavicella.Visible = false;
  Eventi::NascondiRecord(g);
  g.img_gameover.Visible = false;
  g.Livello = 1;
  // The cannon where it last stood: a new game does not re-centre it.
  Eventi::IniziaOndata(g);
  g.img_navicellabonus.Left = GestioneOggetti::ParcheggioNavicella;
  g.PassiNavicella = 0;
  for (int i = 0; i <= 2; ++i) {
    g.img_viterimaste[i].Picture = g.img_giocatore.Picture;
    g.img_viterimaste[i].Visible = true;
  }
  g.Vite = 3;
  g.lbl_punteggio.Caption = QStringLiteral("0");
  g.Punteggio = 0;
  GestioneDatiEsterni::AvviaMusica(g);
}

void frm_main::img_nextlevel_Click() {
  g.img_nextlevel.Visible = false;
  Eventi::IniziaOndata(g);  // at the level the clear has raised
  g.Destra = false;
  g.Sinistra = false;
}

void frm_main::img_pausa_Click() {
  // Between levels there is no formation yet: the march and the alien fire stay
  // off until the next level starts them.
  if (!g.img_nextlevel.Visible) {
    g.tmr_spostamentonemici.SetEnabled(true);
    g.tmr_proiettilenemico.SetEnabled(true);
  }
  if (g.img_proiettilegiocatore.Visible) g.tmr_proiettile.SetEnabled(true);
  g.Pausa = false;
  g.tmr_sposta.SetEnabled(true);
  g.img_pausa.Visible = false;
}

void frm_main::tmr_sposta_Timer() {
  Sprite& cannone = g.img_giocatore;
  if (g.Sinistra && cannone.Left > LimiteSinistroCannone) cannone.Left -= PassoCannone;
  if (g.Destra && cannone.Left < LimiteDestroCannone) cannone.Left += PassoCannone;
  dShow::ControllaCicloMusica(g);
}

void frm_main::tmr_proiettile_Timer() {
  Sprite& sparo = g.img_proiettilegiocatore;
  sparo.Top -= PassoSparo;
  GestioneOggetti::ControllaProiettileGiocatore(g, GestioneOggetti::Intero16(sparo.Top),
                                                GestioneOggetti::Intero16(sparo.Left));
  if (sparo.Top <= 0) {
    sparo.Visible = false;
    g.tmr_proiettile.SetEnabled(false);
  }
}

void frm_main::tmr_proiettilenemico_Timer() {
  g.lbl_level.Caption = QString::number(g.Livello);
  for (int k = 0; k <= 1; ++k) {
    if (g.img_proiettilenemico[k].Visible) g.img_proiettilenemico[k].Top += PassoProiettileNemico;
  }
  for (int k = 0; k <= 1; ++k) {
    if (g.img_proiettilenemico[k].Top > UscitaProiettileNemico)
      g.img_proiettilenemico[k].Visible = false;
  }
  for (int k = 0; k <= 1; ++k) {
    const Sprite& proiettile = g.img_proiettilenemico[k];
    if (Colpi::ProiettiliNemici.Contiene(proiettile.Top)) {
      GestioneOggetti::ControllaProiettileNemico(g, GestioneOggetti::Intero16(proiettile.Top),
                                                 GestioneOggetti::Intero16(proiettile.Left), k);
    }
  }
  GestioneOggetti::MuoviNavicella(g);
}

void frm_main::tmr_rinascita_Timer() {
  if (!g.img_giocatore.Visible) {
    g.PassiSparo = 0;
    g.img_giocatore.Visible = true;
  }
  g.tmr_rinascita.SetEnabled(false);
}

void frm_main::tmr_spostamentonemici_Timer() {
  if (g.img_gameover.Visible) return;
  if (g.img_navicellabonus.Visible) SuonaSlot(g, SlotSuono::MovimentoBonus);
  g.PassiNavicella += 1;
  g.PassiSparo += 1;
  if (g.VersoDestra) {
    GestioneOggetti::SpostaFormazioneDestra(g);
  } else {
    GestioneOggetti::SpostaFormazioneSinistra(g);
  }
  SuonaSlot(g, SlotSuono::MovimentoAlieni);
  if (g.PassiSparo == 2) {
    GestioneOggetti::SparaNemici(g);
    g.PassiSparo = 0;
  }
}

void frm_main::tmr_puntibonus_Timer() {
  if (g.lbl_puntinavicella.Visible) g.lbl_puntinavicella.Visible = false;
  g.tmr_puntibonus.SetEnabled(false);
}

void frm_main::mn_esci_Click() {
  Esci(true);
}

void frm_main::Form_Unload() {
  Esci(false);
}

void frm_main::Esci(bool attendi) {
  for (int n = 0; n < static_cast<int>(g.BufferSuoni.size()); ++n) {
    if (g.BufferSuoni[static_cast<size_t>(n)]) g.audio.Ferma(n);
    g.BufferSuoni[static_cast<size_t>(n)].reset();
  }
  dShow::ChiudiMusica(g);
  g.finestre.Scarica(Finestra::frm_opzioni);
  g.finestre.Scarica(Finestra::frm_inf);
  g.finestre.Scarica(Finestra::frm_aiuto);
  (void)EliminaFile(g.File("aud0.sktemp"));
  if (attendi) g.orologio.Dormi(1000);
  g.finestre.ChiudiPrincipale();
}

void frm_main::mn_immagini_Click() {
  if (g.img_gameover.Visible) g.finestre.Mostra(Finestra::frm_opzioni);
}

void frm_main::mn_attiva_Click() {
  g.mn_attiva.Checked = !g.mn_attiva.Checked;
  g.AudioAttivo = g.mn_attiva.Checked;
  if (!g.img_gameover.Visible) {
    if (g.AudioAttivo) {
      dShow::RiproduciDallInizio(g);
      int32_t volume = g.Volumi[0];
      dShow::VolumeMusica(g, volume);
    } else {
      dShow::FermaMusica(g);
    }
  }
  if (!GestioneDatiEsterni::RicordaScelta(g, g.CombinazioneCorrente)) {
    g.dialoghi.MsgBox(MessaggioSceltaNonSalvata(g, "La scelta vale fino all'uscita dal gioco."),
                      Pulsanti::OK, Icona::Esclamazione, Firma());
  }
}

void frm_main::mn_comb_Click(int Index) {
  if (!g.img_gameover.Visible) return;
  if (Index < 0 || Index >= static_cast<int>(g.mn_comb.size())) return;
  const QString nome = g.mn_comb[static_cast<size_t>(Index)].Caption;
  if (!GestioneDatiEsterni::RicordaScelta(g, nome)) {
    g.dialoghi.MsgBox(MessaggioSceltaNonSalvata(g, "La combinazione in uso non è cambiata."),
                      Pulsanti::OK, Icona::Esclamazione, Firma());
    return;
  }
  GestioneDatiEsterni::ApplicaCombinazione(g);
  if (Index == 0) {
    const Etichetta& predefinita = g.lbl_default;
    g.FontNome = predefinita.Font.Name;
    g.FontDimensione = QString::number(predefinita.Font.Size);
    g.FontColore = QString::number(predefinita.ForeColor);
    g.FontGrassetto = predefinita.Font.Bold;
    g.FontCorsivo = predefinita.Font.Italic;
  }
  GestioneDatiEsterni::ApplicaFont(g);
  if (Index == 0) g.AutoreCombinazione = QStringLiteral("Dorvanel");
  // The item chosen takes the check mark, even when the combination fell back to
  // Default. While a message of the applying was up the menu may have been rebuilt
  // from the folder: it then marks the combination in use already, and the item
  // chosen may be gone from its place.
  if (Index < static_cast<int>(g.mn_comb.size()) &&
      g.mn_comb[static_cast<size_t>(Index)].Caption == nome) {
    for (VoceMenu& voce : g.mn_comb) voce.Checked = false;
    g.mn_comb[static_cast<size_t>(Index)].Checked = true;
  }
  // After a menu choice the caption has one blank before "Ver.".
  g.Caption = Didascalia(g.CombinazioneCorrente, g.AutoreCombinazione, 1);
}

void frm_main::mn_aiuto_Click() {
  g.finestre.Mostra(Finestra::frm_aiuto);
}

void frm_main::mn_about_Click() {
  if (g.img_gameover.Visible) g.finestre.Mostra(Finestra::frm_inf);
}
