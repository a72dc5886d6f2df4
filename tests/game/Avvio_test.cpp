// The menus' game-over-only rules and the exit sequence of the main window.
#include <gtest/gtest.h>

#include "game/Eventi.h"
#include "support/Banco.h"

namespace {

TEST(Menu, EditorAboutAndCombinationsAnswerOnlyInTheGameOverPhaseWhileHelpAlwaysOpens) {
  Banco b;
  b.Avvia().frm.img_gameover_Click();
  const QString didascalia = b.g.Caption;
  for (auto fase : {0, 1, 2}) {
    if (fase == 1) Eventi::MettiInPausa(b.g);
    if (fase == 2) {
      b.frm.img_pausa_Click();
      Eventi::LivelloCompletato(b.g);
    }
    b.frm.mn_immagini_Click();
    b.frm.mn_about_Click();
    b.frm.mn_comb_Click(0);
    EXPECT_EQ(b.finestre.Caricate(), QStringList{"frm_main"}) << "phase " << fase;
    EXPECT_EQ(b.g.Caption, didascalia) << "phase " << fase;
  }
  EXPECT_FALSE(std::filesystem::exists(b.File("CombinazioneScelta")));
  b.frm.mn_aiuto_Click();
  EXPECT_TRUE(b.finestre.Caricata(Finestra::frm_aiuto));
}

TEST(Uscita, ReleasesTheSoundRemovesTheMusicFileClosesEveryWindowAndOnlyEsciWaitsASecond) {
  for (const auto& [esci, musica] : {std::pair{true, true}, {true, false}, {false, true}}) {
    SCOPED_TRACE(testing::Message() << "esci " << esci << ", music " << musica);
    Banco b;
    b.Avvia().frm.mn_aiuto_Click();
    b.frm.mn_about_Click();
    b.frm.mn_immagini_Click();
    if (musica) b.Scrivi("aud0.sktemp", "music");
    esci ? b.frm.mn_esci_Click() : b.frm.Form_Unload();
    EXPECT_FALSE(std::filesystem::exists(b.File("aud0.sktemp")));
    EXPECT_EQ(b.orologio.Ora(), esci ? 1000 : 0);
    EXPECT_TRUE(!esci || b.finestre.PrincipaleChiusa());
    EXPECT_TRUE(b.finestre.Caricate().isEmpty());
  }
}

}  // namespace
