// The formation, the walls and the hit windows of the shots.
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

TEST(Formazione, BuildsFiftyAliensOnceOutsideTheGameOverPhaseAndClearsThemOnce) {
  Banco b;
  b.Avvia();
  CaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 0);
  EXPECT_FALSE(b.g.FormazioneCaricata);

  b.g.img_gameover.Visible = false;
  CaricaFormazione(b.g);
  CaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 50);
  ScaricaFormazione(b.g);
  ScaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 0);
  EXPECT_TRUE(b.g.img_primafila.Esiste(0));
}

TEST(Muri, AreNumberedWallByWallWithTheThirdWallsTopRowRightToLeftAndShownWhole) {
  Banco b;
  const ArraySprite& m = b.g.img_muro;
  EXPECT_EQ(m.Limite(), 48);
  EXPECT_EQ(m[0].Left, 1440);
  EXPECT_EQ(m[3].Left, 1560);  // second row, shifted right by 120
  EXPECT_EQ(m[12].Left, 4080);
  EXPECT_EQ(m[24].Left, 7440);
  EXPECT_EQ(m[25].Left, 7080);
  EXPECT_EQ(m[47].Left, 10200);
  for (int j = 0; j < 48; ++j) EXPECT_FALSE(m[j].Visible);

  // Showing them rebuilds every brick.
  MostraMuri(b.g, true);
  b.g.img_muro[5].Visible = false;
  MostraMuri(b.g, true);
  for (int j = 0; j < 48; ++j) EXPECT_TRUE(b.g.img_muro[j].Visible);
}

// The player's shot: its top-left corner against strict windows.
struct Sparo : ::testing::Test {
  Sparo() {
    b.g.img_gameover.Visible = false;
    CaricaFormazione(b.g);
    b.g.NemiciRimasti = 50;
    b.g.img_proiettilegiocatore.Visible = true;
  }
  Banco b;
};

TEST_F(Sparo, BrickWindowIsStrictOnEverySideAndWidenedLeftBy120) {
  MostraMuri(b.g, true);
  const Sprite& mattone = b.g.img_muro[0];  // 1440, 6360
  for (auto [y, x, colpito] : {std::tuple{6361, 1321, true},
                               {6360, 1400, false},
                               {6585, 1400, false},
                               {6584, 1784, true},
                               {6400, 1320, false},
                               {6400, 1785, false}}) {
    MostraMuri(b.g, true);
    ControllaProiettileGiocatore(b.g, static_cast<int16_t>(y), static_cast<int16_t>(x));
    EXPECT_EQ(!mattone.Visible, colpito) << y << "," << x;
  }
}

TEST_F(Sparo, BricksAreTestedOnlyInsideTheWallBand) {
  MostraMuri(b.g, true);
  b.g.img_muro[0].Top = 5400;
  ControllaProiettileGiocatore(b.g, 5450, 1500);
  EXPECT_TRUE(b.g.img_muro[0].Visible);
}

TEST_F(Sparo, AliensScoreByRowAndTheTopRowIsTestedFirst) {
  // Put the bottom row on the top row's place: the top row (50 points) is hit first.
  for (int i = 1; i <= 10; ++i) b.g.img_primafila[i].Top = b.g.img_quintafila[i].Top;
  b.Suoni();
  ControllaProiettileGiocatore(b.g, 900, 1100);
  EXPECT_FALSE(b.g.img_quintafila[1].Visible);
  EXPECT_FALSE(b.g.img_primafila[1].Visible);  // the stopped shot still tests the rest
  EXPECT_EQ(b.g.Punteggio, 60);
  EXPECT_EQ(b.g.NemiciRimasti, 48);
  EXPECT_EQ(b.Suoni(), (std::vector<int>{8, 4}));
  EXPECT_EQ(b.g.lbl_punteggio.Caption, "60");
}

TEST_F(Sparo, AlienWindowIsStrict) {
  const Sprite& alieno = b.g.img_primafila[1];  // 1080, 3720
  ControllaProiettileGiocatore(b.g, 3720, 1100);
  ControllaProiettileGiocatore(b.g, 4215, 1100);
  ControllaProiettileGiocatore(b.g, 4000, 970);
  ControllaProiettileGiocatore(b.g, 4000, 1575);
  EXPECT_TRUE(alieno.Visible);
  ControllaProiettileGiocatore(b.g, 4214, 971);
  EXPECT_FALSE(alieno.Visible);
}

}  // namespace
