// Start-up, the menus' rules and the exit sequence of the main window.
#include <gtest/gtest.h>

#include "game/Eventi.h"
#include "support/Banco.h"

namespace {

bool TimerAcceso(const Gioco& g) {
  for (const Timer* t : g.Timers()) {
    if (t->Enabled()) return true;
  }
  return false;
}

TEST(Avvio, RestsInTheGameOverPhaseWithTheTableShownAndNoTimerRunning) {
  Banco b;
  b.Avvia();
  const Gioco& g = b.g;
  EXPECT_TRUE(g.img_gameover.Visible);
  EXPECT_FALSE(g.img_giocatore.Visible);
  EXPECT_FALSE(g.img_nextlevel.Visible);
  EXPECT_FALSE(g.img_pausa.Visible);
  EXPECT_TRUE(g.lbl_hiscore.Visible);
  for (int i = 0; i <= 10; ++i)
    EXPECT_TRUE(g.lbl_namer[i].Visible && g.lbl_puntir[i].Visible && g.lbl_livellor[i].Visible);
  EXPECT_FALSE(TimerAcceso(g));
  EXPECT_FALSE(g.FormazioneCaricata);
  EXPECT_EQ(g.Caption, "SKARVEX - by Dorvanel  Ver. 1.4 Combinazione: Default");
  EXPECT_EQ(b.finestre.Caricate(), QStringList{"frm_main"});
  EXPECT_TRUE(b.dialoghi.PrendiBox().empty());
}

TEST(Avvio, NothingHappensWhileTheGameWaitsForAPlayer) {
  Banco b;
  b.Avvia();
  b.Attendi(120000);
  EXPECT_EQ(b.orologio.Scatti(), 0);
  EXPECT_TRUE(b.Suoni().empty());
}

TEST(Menu, EditorAndAboutOpenOnlyInTheGameOverPhaseWhileHelpAlwaysOpens) {
  Banco b;
  b.Avvia();
  b.frm.img_gameover_Click();
  for (auto fase : {0, 1, 2}) {
    if (fase == 1) Eventi::MettiInPausa(b.g);
    if (fase == 2) {
      b.frm.img_pausa_Click();
      Eventi::LivelloCompletato(b.g);
    }
    b.frm.mn_immagini_Click();
    b.frm.mn_about_Click();
    EXPECT_FALSE(b.finestre.Caricata(Finestra::frm_opzioni)) << "phase " << fase;
    EXPECT_FALSE(b.finestre.Caricata(Finestra::frm_inf)) << "phase " << fase;
  }
  b.frm.mn_aiuto_Click();
  EXPECT_TRUE(b.finestre.Caricata(Finestra::frm_aiuto));

  Banco fermo;
  fermo.Avvia();
  fermo.frm.mn_immagini_Click();
  fermo.frm.mn_about_Click();
  EXPECT_EQ(fermo.finestre.Caricate(), (QStringList{"frm_main", "frm_opzioni", "frm_inf"}));
}

TEST(Menu, CombinationChoiceDuringAGameChangesNothing) {
  Banco b;
  b.Avvia();
  b.frm.img_gameover_Click();
  const QString didascalia = b.g.Caption;
  b.frm.mn_comb_Click(0);
  EXPECT_EQ(b.g.Caption, didascalia);
  EXPECT_FALSE(std::filesystem::exists(b.File("CombinazioneScelta")));
}

TEST(Uscita, ReleasesTheSoundRemovesTheMusicFileWaitsASecondAndClosesEveryWindow) {
  Banco b;
  b.Avvia();
  b.frm.mn_aiuto_Click();
  b.frm.mn_immagini_Click();
  b.Scrivi("aud0.sktemp", "music");
  const int64_t prima = b.orologio.Ora();
  b.frm.mn_esci_Click();
  EXPECT_FALSE(std::filesystem::exists(b.File("aud0.sktemp")));
  EXPECT_EQ(b.orologio.Ora() - prima, 1000);
  EXPECT_TRUE(b.finestre.PrincipaleChiusa());
  EXPECT_TRUE(b.finestre.Caricate().isEmpty());
}

TEST(Uscita, WithoutAMusicFileStillWaitsAndCloses) {
  Banco b;
  b.Avvia();
  b.frm.mn_esci_Click();
  EXPECT_EQ(b.orologio.Ora(), 1000);
  EXPECT_TRUE(b.finestre.PrincipaleChiusa());
}

TEST(Uscita, TheCloseBoxEndsTheProgramTooWithoutTheWait) {
  Banco b;
  b.Avvia();
  b.frm.mn_about_Click();
  b.Scrivi("aud0.sktemp", "music");
  b.frm.Form_Unload();
  EXPECT_FALSE(std::filesystem::exists(b.File("aud0.sktemp")));
  EXPECT_EQ(b.orologio.Ora(), 0);
  EXPECT_TRUE(b.finestre.Caricate().isEmpty());
}

}  // namespace
