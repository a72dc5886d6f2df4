// Watching a replay in the main window, on Qt's offscreen platform: the playback's own
// keys, the game's keys that do nothing to it, and the game-over screen it returns to.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "support/Banco.h"
#include "ui/FinestraPrincipale.h"
#include "ui/Visione.h"

namespace {

template <typename F>
bool Finche(F fatto) {
  QElapsedTimer tempo;
  tempo.start();
  while (!fatto() && tempo.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return fatto();
}

// A game under way on the virtual clock stands in for a recorded one.
struct ProiezioneFinta final : Proiezione {
  ProiezioneFinta() {
    banco.Avvia();
    banco.frm.img_gameover_Click();
  }
  Gioco& Replica() override { return banco.g; }
  int64_t Durata() const override { return 4000; }
  int64_t Adesso() const override { return banco.orologio.Ora(); }
  void AvanzaA(int64_t ms) override { banco.orologio.Avanza(ms - Adesso()); }
  bool Finita() const override { return Adesso() >= Durata(); }
  QString Giocatore() const override { return QStringLiteral("Mario"); }

  Banco banco;
};

struct Proiettore : ::testing::Test {
  Proiettore() : finestra(banco.g, banco.frm, banco.smista), visione(finestra, banco.g) {
    banco.Avvia();
    finestra.Aggiorna();
    finestra.resize(finestra.sizeHint());
    finestra.show();
  }
  void Premi(int tasto) {
    QKeyEvent giu(QEvent::KeyPress, tasto, Qt::NoModifier, tasto == Qt::Key_Space ? " " : "");
    QKeyEvent su(QEvent::KeyRelease, tasto, Qt::NoModifier);
    QApplication::sendEvent(&finestra, &giu);
    QApplication::sendEvent(&finestra, &su);
  }

  Banco banco;
  FinestraPrincipale finestra;
  Visione visione;
};

TEST_F(Proiettore, ItsKeysSteerThePlaybackTheGamesDoNothingAndLeavingShowsTheGameOverAsItWas) {
  const QImage prima = finestra.centralWidget()->grab().toImage();
  auto finta = std::make_unique<ProiezioneFinta>();
  ProiezioneFinta& p = *finta;
  ASSERT_TRUE(visione.Inizia(std::move(finta)));
  EXPECT_TRUE(finestra.Ospita());
  EXPECT_NE(finestra.centralWidget()->grab().toImage(), prima);  // a game under way

  // Paused, the replay stands still; the game's keys move neither it nor the game.
  Premi(Qt::Key_P);
  ASSERT_TRUE(visione.InPausa());
  const int64_t fermo = p.Adesso();
  const Sprite cannone = p.banco.g.img_giocatore;
  for (int tasto : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Space, Qt::Key_Up}) Premi(tasto);
  QApplication::processEvents(QEventLoop::AllEvents, 100);
  EXPECT_EQ(p.Adesso(), fermo);
  EXPECT_EQ(p.banco.g.img_giocatore, cannone);
  EXPECT_FALSE(p.banco.g.img_proiettilegiocatore.Visible);
  EXPECT_TRUE(banco.g.img_gameover.Visible);

  Premi(Qt::Key_8);
  Premi(Qt::Key_3);  // not a speed
  EXPECT_EQ(visione.Velocita(), 8);
  EXPECT_TRUE(visione.Riga().startsWith(QStringLiteral("REPLICA di Mario  ×8  —  IN PAUSA")));
  Premi(Qt::Key_P);
  ASSERT_TRUE(Finche([&] { return p.Adesso() > fermo; }));

  Premi(Qt::Key_End);
  EXPECT_EQ(p.Adesso(), p.Durata());
  EXPECT_TRUE(visione.Riga().endsWith(QStringLiteral("FINE")));
  // The end holds a moment, then the game-over screen comes back by itself.
  ASSERT_TRUE(Finche([&] { return !visione.Attiva(); }));
  EXPECT_FALSE(finestra.Ospita());
  EXPECT_EQ(finestra.centralWidget()->grab().toImage(), prima);
}

TEST_F(Proiettore, EscLeavesAReplayAndOneStartsOnlyBetweenGames) {
  ASSERT_TRUE(visione.Inizia(std::make_unique<ProiezioneFinta>()));
  EXPECT_FALSE(visione.Inizia(std::make_unique<ProiezioneFinta>()));  // one at a time
  Premi(Qt::Key_Escape);
  EXPECT_FALSE(visione.Attiva());
  EXPECT_FALSE(finestra.Ospita());

  banco.frm.img_gameover_Click();
  EXPECT_FALSE(visione.Inizia(std::make_unique<ProiezioneFinta>()));
  banco.frm.Form_KeyDown(27);  // paused: still a game under way
  EXPECT_FALSE(visione.Inizia(std::make_unique<ProiezioneFinta>()));
  EXPECT_FALSE(finestra.Ospita());
}

}  // namespace
