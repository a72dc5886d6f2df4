// The formation, and the player's shot: its strict hit windows, and one tick that takes
// every target the shot meets, scoring each. The walls' layout and a shot's flight are
// the scenarios' (sparo, fuoco_alieni, navicella).
#include <gtest/gtest.h>

#include "game/GestioneOggetti.h"
#include "support/Banco.h"

namespace {

using namespace GestioneOggetti;

int ElementiCaricati(const Gioco& g) {
  int n = 0;
  for (const ArraySprite* riga : g.RigheDalBasso()) {
    for (int i = 1; i < riga->Limite(); ++i) n += riga->Esiste(i);
  }
  return n;
}

// A new game at level 1, its formation built; the table's best is 0.
struct Sparo : ::testing::Test {
  Sparo() { b.Avvia().frm.img_gameover_Click(); }
  Banco b;
};

// Nothing is built in the game-over phase: the invasion scenario.
TEST_F(Sparo, TheFormationIsBuiltWithFiftyAliensOnceAndClearedOnce) {
  CaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 50);
  ScaricaFormazione(b.g);
  ScaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 0);
  EXPECT_TRUE(b.g.img_primafila.Esiste(0));
}

// The shot's top-left corner against strict windows.
TEST_F(Sparo, BrickAndAlienWindowsAreStrictOnEverySideAndTheBricksWidenedLeftBy120) {
  const Sprite& mattone = b.g.img_muro[0];      // 1440, 6360
  const Sprite& alieno = b.g.img_primafila[1];  // 1080, 3720
  const struct {
    int16_t y, x;
    const Sprite* colpito;
  } colpi[] = {{6361, 1321, &mattone}, {6360, 1400, nullptr}, {6585, 1400, nullptr},
               {6584, 1784, &mattone}, {6400, 1320, nullptr}, {6400, 1785, nullptr},
               {3720, 1100, nullptr},  {4215, 1100, nullptr}, {4000, 970, nullptr},
               {4000, 1575, nullptr},  {4214, 971, &alieno}};
  for (const auto& [y, x, colpito] : colpi) {
    MostraMuri(b.g, true);
    b.g.img_primafila[1].Visible = true;
    ControllaProiettileGiocatore(b.g, y, x);
    EXPECT_EQ(!mattone.Visible, colpito == &mattone) << y << "," << x;
    EXPECT_EQ(!alieno.Visible, colpito == &alieno) << y << "," << x;
  }
  // Bricks are tested only inside the wall band.
  b.g.img_muro[0].Top = 5400;
  ControllaProiettileGiocatore(b.g, 5450, 1500);
  EXPECT_TRUE(b.g.img_muro[0].Visible);
}

// A hit does not end the tests: bricks first, then the bonus ship, then the aliens.
TEST_F(Sparo, OneTickTakesEveryTargetItMeetsAndScoresEachInTurn) {
  b.Suoni();
  const auto spara = [this](int16_t y, int16_t x) {
    b.g.img_proiettilegiocatore.Visible = true;
    ControllaProiettileGiocatore(b.g, y, x);
    std::vector<SlotSuono> suoni;
    for (int n : b.Suoni()) suoni.push_back(static_cast<SlotSuono>(n));
    return suoni;
  };
  // Bricks 9 and 10 (Left 1560 and 1920, one row) both take x 1880, and score nothing.
  const Sprite &nono = b.g.img_muro[9], &decimo = b.g.img_muro[10];
  ASSERT_EQ(nono.Top, decimo.Top);
  EXPECT_EQ(spara(static_cast<int16_t>(nono.Top + 1), 1880),
            std::vector(2, SlotSuono::EsplosioneMuro));
  EXPECT_FALSE(nono.Visible || decimo.Visible);
  EXPECT_TRUE(b.g.img_muro[11].Visible && b.g.img_muro[6].Visible);
  EXPECT_EQ(b.g.Punteggio, 0);

  // The first points beat the best score: shown live, the best player's name cleared.
  EXPECT_EQ(spara(3001, 2031), std::vector{SlotSuono::EsplosioneSecondaFila});
  EXPECT_EQ((std::tuple{b.g.Punteggio, b.g.lbl_record.Caption, b.g.lbl_nomer.Caption}),
            (std::tuple{20, "20", ""}));

  // The ship (500 at level 1) and the top-row alien below it (50), ship first.
  b.g.img_navicellabonus.Left = 1000;
  b.g.img_navicellabonus.Visible = true;
  EXPECT_EQ(spara(1100, 2000),
            (std::vector{SlotSuono::EsplosioneBonus, SlotSuono::EsplosioneQuintaFila}));
  EXPECT_FALSE(b.g.img_navicellabonus.Visible || b.g.img_quintafila[2].Visible);
  EXPECT_TRUE(b.g.img_quartafila[2].Visible);
  EXPECT_EQ((std::tuple{b.g.Punteggio, b.g.NemiciRimasti, b.g.lbl_record.Caption,
                        b.g.lbl_puntinavicella.Caption, b.g.lbl_puntinavicella.Visible}),
            (std::tuple{570, 48, "570", "500", true}));

  // A pause hides the ship's points at once and leaves their timer to run out.
  b.frm.Form_KeyDown(27);
  EXPECT_FALSE(b.g.lbl_puntinavicella.Visible);
  EXPECT_TRUE(b.g.tmr_puntibonus.Enabled());
}

}  // namespace
