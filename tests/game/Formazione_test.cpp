// The formation and the hit windows of the player's shot. What the shot scores and
// the walls' layout are the scenarios' (colpi, sparo, fuoco_alieni, navicella).
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

// Nothing is built in the game-over phase: the invasion scenario.
TEST(Formazione, BuildsFiftyAliensOnceAndClearsThemOnce) {
  Banco b;
  b.Avvia();
  b.g.img_gameover.Visible = false;
  CaricaFormazione(b.g);
  CaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 50);
  ScaricaFormazione(b.g);
  ScaricaFormazione(b.g);
  EXPECT_EQ(ElementiCaricati(b.g), 0);
  EXPECT_TRUE(b.g.img_primafila.Esiste(0));
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
