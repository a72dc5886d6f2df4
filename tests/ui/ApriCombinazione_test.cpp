// Opening a combination file with the game, on the scripted dialogs: what is asked and
// when, what is copied into the program folder, and what the menu then shows; and the
// clash question in a real window, whose every key keeps the player's combination.
#include "ui/ApriCombinazione.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

#include <gtest/gtest.h>

#include "Gesti.h"
#include "codec/Combinazione.h"
#include "support/Banco.h"
#include "support/Combinazioni.h"
#include "ui/DialoghiQt.h"

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
    return std::ranges::any_of(b.g.mn_comb, [&](const VoceMenu& v) { return v.Caption == nome; });
  }

  Banco b;
  QTemporaryDir altrove;
  Accoglienza accoglienza{b.g, b.frm};
};

// A refusal says why, in the player's words; during a game even that waits, and the
// caption says something waits.
TEST_F(Apertura, ARefusedFileSaysWhyOnceNoGameIsUnderWayAndNothingIsCopied) {
  TipoCombinazione guasta = CombinazioneVuota("Blu");
  guasta.Immagini[0] = "non è un'immagine";
  b.g.img_gameover.Visible = false;
  const EsitoApertura esito = accoglienza.Apri(Ricevuta("Blu.skcom", guasta));
  EXPECT_TRUE(esito.rifiutata);
  EXPECT_NE(esito.testo.find("not added: the game refuses Immagini(0) Alieno 1"),
            std::string::npos);
  accoglienza.Riprendi();
  EXPECT_TRUE(Testi().isEmpty());
  EXPECT_TRUE(accoglienza.Avviso().contains("Blu.skcom"));

  b.g.img_gameover.Visible = true;
  accoglienza.Riprendi();
  const auto box = b.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].icona, Icona::Esclamazione);
  EXPECT_EQ(box[0].testo,
            "Il file Blu.skcom non è stato aggiunto: il gioco non può usare Alieno 1 "
            "(non è un'immagine JPG, GIF o BMP).");
  EXPECT_FALSE(std::filesystem::exists(b.File("Blu.skcom")) || NelMenu("Blu"));
  EXPECT_TRUE(accoglienza.Avviso().isEmpty());
}

TEST_F(Apertura, BetweenGamesItGoesUnderItsStoredNameAndYesUsesItNow) {
  const auto file = Ricevuta("ricevuta (1).skcom", CombinazioneVuota("Blu"));
  b.dialoghi.AccodaPulsante(Risposta::Si);
  EXPECT_EQ(accoglienza.Apri(file).testo,
            "added as " + b.File("Blu.skcom").string() + ", the name stored in it");
  accoglienza.Riprendi();
  EXPECT_EQ(Testi(), QStringList{"La combinazione Blu è stata aggiunta al menu "
                                 "Combinazioni. Usarla adesso?"});
  EXPECT_EQ(b.Leggi("Blu.skcom"), LeggiTutto(file));
  EXPECT_EQ(b.g.CombinazioneCorrente, QStringLiteral("Blu"));
  for (const VoceMenu& voce : b.g.mn_comb) EXPECT_EQ(voce.Checked, voce.Caption == "Blu");
}

TEST_F(Apertura, DuringAGameANewNameIsOnlyAddedAndAClashWaitsForTheGameToEndOrPause) {
  b.g.img_gameover.Visible = false;
  const QString prima = b.g.CombinazioneCorrente;
  accoglienza.Apri(Ricevuta("Blu.skcom", CombinazioneVuota("Blu")));
  accoglienza.Riprendi();
  EXPECT_TRUE(Testi().isEmpty() && NelMenu("Blu") && !accoglienza.InAttesa());
  EXPECT_EQ(b.g.CombinazioneCorrente, prima);

  TipoCombinazione altra = CombinazioneVuota("Blu");
  altra.Autore = "Bruno";
  const std::string mia = b.Leggi("Blu.skcom");
  const EsitoApertura esito = accoglienza.Apri(Ricevuta("altra.skcom", altra));
  EXPECT_FALSE(esito.rifiutata);
  EXPECT_NE(esito.testo.find("once the game under way is over or paused"), std::string::npos);
  accoglienza.Riprendi();
  EXPECT_TRUE(Testi().isEmpty());
  EXPECT_TRUE(accoglienza.Avviso().contains("altra.skcom"));

  // A pause lets it ask; keeping the player's is the answer nobody gives.
  b.g.Pausa = true;
  accoglienza.Riprendi();
  EXPECT_EQ(Testi(), QStringList{"Esiste già una combinazione Blu diversa da quella ricevuta nel "
                                 "file altra.skcom. Quale tenere?"});
  ASSERT_EQ(b.dialoghi.Conflitti().size(), 1u);
  const DomandaConflitto& domanda = b.dialoghi.Conflitti()[0];
  EXPECT_EQ(domanda.mia.autore, "Anna");
  EXPECT_EQ(domanda.ricevuta.autore, "Bruno");
  EXPECT_EQ(domanda.nomeEntrambe, "Blu 2");
  EXPECT_FALSE(domanda.mia.data.isEmpty() || domanda.ricevuta.dimensione.isEmpty());
  EXPECT_EQ(b.Leggi("Blu.skcom"), mia);
  EXPECT_FALSE(accoglienza.InAttesa());
}

// Keeping both between games: the newcomer goes in as "Blu 2", and the player is offered
// it. (What each choice writes is the installation's test.)
TEST_F(Apertura, KeepingBothAddsTheNewcomerUnderAFreeNameAndOffersIt) {
  ASSERT_TRUE(ScriviFileCombinazione(b.File("Blu.skcom"), CombinazioneVuota("Blu")).ok());
  TipoCombinazione altra = CombinazioneVuota("Blu");
  altra.Autore = "Bruno";
  accoglienza.Apri(Ricevuta("Blu.skcom", altra));
  b.dialoghi.AccodaScelta(SceltaConflitto::TieniEntrambe);
  accoglienza.Riprendi();
  const QStringList testi = Testi();
  ASSERT_EQ(testi.size(), 2);
  EXPECT_EQ(testi[1],
            "La combinazione ricevuta è stata aggiunta al menu Combinazioni come Blu 2. "
            "Usarla adesso?");
  EXPECT_TRUE(NelMenu("Blu 2") && NelMenu("Blu"));
}

// The question in a real window: Enter, the space bar and Esc each keep the player's.
TEST(DomandaConflitto, EveryKeyKeepsThePlayersCombination) {
  const TipoCombinazione mia = CombinazioneVuota("Blu"), ricevuta = CombinazioneVuota("Blu");
  DomandaConflitto domanda{
      QStringLiteral("Esiste già una combinazione Blu diversa."),
      QStringLiteral("Blu 2"),
      {QStringLiteral("Anna"), QStringLiteral("1/1/26"), QStringLiteral("1 KB"), &mia},
      {QStringLiteral("Bruno"), QStringLiteral("2/1/26"), QStringLiteral("2 KB"), &ricevuta}};
  for (const Qt::Key tasto : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape}) {
    SCOPED_TRACE(tasto);
    // The key goes to the focus once the question is open and has it.
    QTimer premi;
    QObject::connect(&premi, &QTimer::timeout, [&premi, tasto] {
      QWidget* box = QApplication::activeModalWidget();
      QWidget* fuoco = QApplication::focusWidget();
      if (!box || !fuoco || fuoco->window() != box) return;
      premi.stop();
      const QString testo = tasto == Qt::Key_Space ? QStringLiteral(" ") : QString();
      for (auto tipo : {QEvent::KeyPress, QEvent::KeyRelease}) Tasto(fuoco, tipo, tasto, testo);
    });
    premi.start(10);
    // Should the key be lost, the box must still close for the test to end: with a choice
    // that the test would see.
    QTimer::singleShot(20000, [] {
      if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) box->done(101);
    });
    EXPECT_EQ(DialoghiQt().ChiediConflitto(domanda, QStringLiteral("SKARVEX")),
              SceltaConflitto::TieniMia);
  }
}

}  // namespace
