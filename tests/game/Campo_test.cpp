// The playfield table: each control once, and the stacking order.
#include <gtest/gtest.h>

#include <set>

#include "game/Campo.h"
#include "support/Banco.h"

namespace {

TEST(Campo, NamesEachControlOnceAndFindsItByName) {
  Banco b;
  std::set<QString> nomi;
  std::set<const void*> elementi;
  int quanti = 0;
  const auto conta = [&](const Controllo& c, int i, const auto& elemento) {
    EXPECT_EQ(Campo::Trova(QLatin1String(c.nome)), &c);
    nomi.insert(Campo::NomeElemento(c, i));
    elementi.insert(&elemento);
    ++quanti;
  };
  Campo::PerOgniSprite(b.g, conta);
  Campo::PerOgniEtichetta(b.g, conta);
  Campo::PerOgniVoce(b.g, conta);
  EXPECT_EQ(nomi.size(), quanti);
  EXPECT_EQ(elementi.size(), quanti);
  EXPECT_EQ(Campo::Trova("img_muro(0)"), nullptr);
}

TEST(Campo, DrawsTheBannersAboveTheGameAndTheHighScoreTableRowByRow) {
  Banco b;
  std::vector<const Sprite*> sprite;
  std::vector<const Etichetta*> etichette;
  Campo::PerOgniDisegnato(
      b.g, [&](const Sprite& s) { sprite.push_back(&s); },
      [&](const Etichetta& e) { etichette.push_back(&e); });
  ASSERT_GE(sprite.size(), 3);
  EXPECT_EQ(sprite.front(), &b.g.img_muro[0]);
  EXPECT_EQ(sprite.end()[-3], &b.g.img_gameover);
  EXPECT_EQ(sprite.back(), &b.g.img_pausa);
  EXPECT_EQ(std::count(sprite.begin(), sprite.end(), &b.g.img_primafila[0]), 0);
  EXPECT_EQ(std::count(sprite.begin(), sprite.end(), &b.g.img_default[0]), 0);
  const auto dove = [&](const Etichetta& e) {
    return std::find(etichette.begin(), etichette.end(), &e) - etichette.begin();
  };
  EXPECT_EQ(dove(b.g.lbl_puntir[3]), dove(b.g.lbl_namer[3]) + 1);
  EXPECT_EQ(dove(b.g.lbl_namer[4]), dove(b.g.lbl_livellor[3]) + 1);
  EXPECT_EQ(etichette.back(), &b.g.lbl_sitelink);
}

}  // namespace
