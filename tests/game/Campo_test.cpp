// The playfield table: each control once, the stacking order, and the label font.
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
  EXPECT_EQ(etichette.size(), 44);
}

TEST(Campo, TheLabelFontReachesAllButTheNoticesAndStopsAtWhatDoesNotConvert) {
  Banco b;
  const Etichetta nome = b.g.lbl_default;
  b.g.FontNome = "Prova";
  b.g.FontColore = "255";
  b.g.FontDimensione = "abc";
  GestioneDatiEsterni::ApplicaFont(b.g);  // the size stops it after the link's colour
  EXPECT_EQ(b.g.lbl_sitelink.ForeColor, 255u);
  EXPECT_EQ(b.g.lbl_hiscore.ForeColor, VerdeEtichette);

  b.g.FontColore = "x";
  b.g.FontDimensione = "12,5";
  GestioneDatiEsterni::ApplicaFont(b.g);  // a bad colour changes nothing
  EXPECT_NE(b.g.lbl_hiscore.Font.Name, "Prova");

  b.g.FontColore = "65535";
  GestioneDatiEsterni::ApplicaFont(b.g);
  for (const Etichetta* e : {&b.g.Label1, &b.g.lbl_livellor[10], &b.g.lbl_puntinavicella}) {
    EXPECT_EQ(e->Font, (Carattere{"Prova", 12.5, false, false}));
    EXPECT_EQ(e->ForeColor, 65535u);
  }
  EXPECT_EQ(b.g.lbl_default, nome);
  EXPECT_NE(b.g.lbl_sitelink.Font.Name, "Prova");
}

}  // namespace
