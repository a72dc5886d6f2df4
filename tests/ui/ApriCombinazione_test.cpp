// Opening a combination file with the game, on the scripted dialogs: what is asked,
// what is copied into the program folder, and what the menu then shows.
#include "ui/ApriCombinazione.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "codec/Combinazione.h"
#include "support/Banco.h"
#include "support/Combinazioni.h"

namespace {

struct Apertura : ::testing::Test {
  Apertura() { b.Avvia(); }

  // A combination someone sent, outside the program folder, named `file`.
  std::filesystem::path Ricevuta(const std::string& file, TipoCombinazione c) {
    const std::filesystem::path p = std::filesystem::path(altrove.path().toStdString()) / file;
    EXPECT_TRUE(ScriviFileCombinazione(p, c).ok());
    return p;
  }
  // The texts of the boxes shown since the last call.
  QStringList Testi() {
    QStringList testi;
    for (const BoxMostrato& m : b.dialoghi.PrendiBox()) testi << m.testo;
    return testi;
  }
  bool NelMenu(const QString& nome) const {
    for (const VoceMenu& voce : b.g.mn_comb)
      if (voce.Caption == nome) return true;
    return false;
  }

  Banco b;
  QTemporaryDir altrove;
};

TEST_F(Apertura, AFileTheGameRefusesIsRefusedWithOneMessageAndNothingIsCopied) {
  TipoCombinazione guasta = CombinazioneVuota("Blu");
  guasta.Immagini[0] = "non è un'immagine";
  ApriCombinazione(b.g, b.frm, Ricevuta("Blu.skcom", guasta));
  ScriviTutto(altrove.path().toStdString() + "/rotta.skcom", "SKX");
  ApriCombinazione(b.g, b.frm, altrove.path().toStdString() + "/rotta.skcom");
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 2u);
  for (const BoxMostrato& m : box)
    EXPECT_TRUE(m.icona == Icona::Esclamazione && m.testo.contains("non è stato aggiunto"))
        << m.testo.toStdString();
  EXPECT_FALSE(std::filesystem::exists(b.File("Blu.skcom")) ||
               std::filesystem::exists(b.File("rotta.skcom")) || NelMenu("Blu"));
}

TEST_F(Apertura, BetweenGamesItGoesUnderItsStoredNameAndYesUsesItNow) {
  ASSERT_TRUE(b.g.img_gameover.Visible);
  const auto file = Ricevuta("ricevuta (1).skcom", CombinazioneVuota("Blu"));
  b.dialoghi.AccodaPulsante(Risposta::Si);
  ApriCombinazione(b.g, b.frm, file);
  EXPECT_EQ(Testi(), QStringList{"La combinazione Blu è stata aggiunta al menu "
                                 "Combinazioni. Usarla adesso?"});
  EXPECT_EQ(b.Leggi("Blu.skcom"), LeggiTutto(file));
  EXPECT_EQ(b.g.CombinazioneCorrente, QStringLiteral("Blu"));
  for (const VoceMenu& voce : b.g.mn_comb) EXPECT_EQ(voce.Checked, voce.Caption == "Blu");
}

TEST_F(Apertura, DuringAGameItIsOnlyAdded) {
  b.g.img_gameover.Visible = false;
  const QString prima = b.g.CombinazioneCorrente;
  ApriCombinazione(b.g, b.frm, Ricevuta("Blu.skcom", CombinazioneVuota("Blu")));
  EXPECT_TRUE(Testi().isEmpty() && NelMenu("Blu"));
  EXPECT_EQ(b.g.CombinazioneCorrente, prima);
}

TEST_F(Apertura, ADifferentFileOfThatNameIsReplacedOnlyWhenThePlayerSaysYes) {
  TipoCombinazione vecchia = CombinazioneVuota("Blu");
  vecchia.Autore = "Bruno";
  ASSERT_TRUE(ScriviFileCombinazione(b.File("Blu.skcom"), vecchia).ok());
  const std::string vecchiBytes = b.Leggi("Blu.skcom");
  const auto nuova = Ricevuta("Blu.skcom", CombinazioneVuota("Blu"));

  b.dialoghi.AccodaPulsante(Risposta::No);
  ApriCombinazione(b.g, b.frm, nuova);
  const QString domanda = "Esiste già una combinazione Blu diversa: sostituirla?";
  EXPECT_EQ(Testi(), QStringList{domanda});
  EXPECT_EQ(b.Leggi("Blu.skcom"), vecchiBytes);

  b.dialoghi.AccodaPulsante(Risposta::Si);
  b.dialoghi.AccodaPulsante(Risposta::No);  // not now
  ApriCombinazione(b.g, b.frm, nuova);
  const QStringList testi = Testi();
  EXPECT_TRUE(testi.size() == 2 && testi[0] == domanda && testi[1].endsWith("Usarla adesso?"));
  EXPECT_EQ(b.Leggi("Blu.skcom"), LeggiTutto(nuova));
  EXPECT_NE(b.g.CombinazioneCorrente, QStringLiteral("Blu"));
}

}  // namespace
