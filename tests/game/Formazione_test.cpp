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

TEST_F(Sparo, BrickAndAlienWindowsAreStrictOnEverySideAndTheBricksWidenedLeftBy120) {
  const Sprite& mattone = b.g.img_muro[0];      // 1440, 6360
  const Sprite& alieno = b.g.img_primafila[1];  // 1080, 3720
  for (auto [y, x, colpito] : {std::tuple{6361, 1321, &mattone},
                               {6360, 1400, nullptr},
                               {6585, 1400, nullptr},
                               {6584, 1784, &mattone},
                               {6400, 1320, nullptr},
                               {6400, 1785, nullptr},
                               {3720, 1100, nullptr},
                               {4215, 1100, nullptr},
                               {4000, 970, nullptr},
                               {4000, 1575, nullptr},
                               {4214, 971, &alieno}}) {
    MostraMuri(b.g, true);
    b.g.img_primafila[1].Visible = true;
    ControllaProiettileGiocatore(b.g, static_cast<int16_t>(y), static_cast<int16_t>(x));
    EXPECT_EQ(!mattone.Visible, colpito == &mattone) << y << "," << x;
    EXPECT_EQ(!alieno.Visible, colpito == &alieno) << y << "," << x;
  }
  // Bricks are tested only inside the wall band.
  b.g.img_muro[0].Top = 5400;
  ControllaProiettileGiocatore(b.g, 5450, 1500);
  EXPECT_TRUE(b.g.img_muro[0].Visible);
}

}  // namespace
