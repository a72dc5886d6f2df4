// A game played in the main window (offscreen, its keys sent as the keyboard sends them)
// is recorded and kept with its high-score entry, and a click on that entry plays it
// back in the window at eight times its speed to the very state it ended in, leaving the
// player's folder and the game-over screen as they were; the playback's own keys.
#include <QWidget>

#include <gtest/gtest.h>

#include "Gesti.h"
#include "drawing/Inquadratura.h"
#include "game/Regole.h"
#include "replay/StatoPartita.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "ui/FinestraPrincipale.h"
#include "ui/Repliche.h"

namespace {

namespace fs = std::filesystem;

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

struct FinestraRegistrata : ::testing::Test {
  FinestraRegistrata()
      : finestra(banco.g, banco.frm, banco.smista),
        repliche(finestra, banco.g, banco.smista, [this] { return banco.orologio.Ora(); }) {
    finestra.ImpostaDopoInput([this] { repliche.DopoEvento(); });
    banco.Avvia();
    finestra.Aggiorna();
    finestra.resize(finestra.sizeHint());
    finestra.show();
  }
  void Premi(int tasto, bool giu = true, bool su = true) {
    if (giu) Tasto(&finestra, QEvent::KeyPress, tasto, tasto == Qt::Key_Space ? " " : "");
    if (su) Tasto(&finestra, QEvent::KeyRelease, tasto);
  }
  // A game from the space bar to game over: the cannon fires every half second for a
  // few seconds and moves left now and then; the name typed at the end is Mario's.
  void Gioca() {
    banco.dialoghi.AccodaTesto(QStringLiteral("Mario"));
    Premi(Qt::Key_Space);
    for (int passo = 1; !banco.g.img_gameover.Visible && passo < 20000; ++passo) {
      banco.orologio.Avanza(50);
      repliche.DopoEvento();
      if (passo % 10 == 0 && passo < 40) Premi(Qt::Key_Space);
      if (passo % 40 == 0 && passo < 80) Premi(Qt::Key_Left, true, false);
      if (passo % 40 == 6 && passo < 80) Premi(Qt::Key_Left, false, true);
    }
  }
  // A click at a point of the playfield, in its pixels.
  void CliccaNelCampo(QPointF punto) {
    QWidget* campo = finestra.centralWidget();
    Clicca(campo, Inquadratura::Di(campo->size()).Area({punto, QSizeF(1, 1)}).center());
  }

  Banco banco;
  FinestraPrincipale finestra;
  Repliche repliche;
};

TEST_F(FinestraRegistrata, AGameIsKeptWithItsEntryAndPlaysBackAtEightTimesToTheSameEnd) {
  Gioca();
  ASSERT_TRUE(banco.g.img_gameover.Visible);
  ASSERT_GT(banco.g.Punteggio, 0);
  ASSERT_EQ(banco.g.RecordNomi[1], QStringLiteral("Mario"));
  const auto kept = repliche.archivio().PartitaDellaVoce(1, TabellaDi(banco.g));
  ASSERT_TRUE(kept);
  const auto replica = LeggiFileReplica(*kept);
  ASSERT_TRUE(replica) << replica.errore();
  EXPECT_EQ(replica.valore().intestazione.punteggio, banco.g.Punteggio);
  EXPECT_EQ(LeggiTutto(repliche.archivio().UltimaPartita()), LeggiTutto(*kept));
  const auto prima = ContenutoCartella(banco.Percorso());
  const QImage schermo = finestra.centralWidget()->grab().toImage();
  const ImprontaStato vivo = StatoPartita::Impronta(banco.g);

  // A click on the entry's row opens its game, at the speed of play at first.
  const Etichetta& nome = banco.g.lbl_namer[1];
  CliccaNelCampo(QPointF(nome.Left + 300, nome.Top + nome.Height / 2) / TwipsPerPixel);
  Visione& visione = repliche.visione();
  ASSERT_TRUE(visione.Attiva());
  EXPECT_TRUE(visione.Riga().startsWith(QStringLiteral("REPLICA di Mario  ×1")));
  const Gioco& mostrato = visione.Mostrato();

  // Paused, the game's keys and clicks reach neither the replay nor the game.
  Premi(Qt::Key_P);
  EXPECT_TRUE(visione.InPausa() && visione.Riga().contains(QStringLiteral("×1  —  IN PAUSA")));
  const ImprontaStato ferma = StatoPartita::Impronta(mostrato);
  for (int tasto : {Qt::Key_Space, Qt::Key_Left, Qt::Key_Right, Qt::Key_Space})
    Premi(tasto, true, false);
  CliccaNelCampo(QPointF(nome.Left + 300, nome.Top + nome.Height / 2) / TwipsPerPixel);
  EXPECT_EQ(StatoPartita::Impronta(mostrato), ferma);
  EXPECT_EQ(StatoPartita::Impronta(banco.g), vivo);

  Premi(Qt::Key_8);
  Premi(Qt::Key_3);  // not a speed
  Premi(Qt::Key_P);
  ASSERT_TRUE(Finche([&] { return visione.Riga().endsWith(QStringLiteral("FINE")); }, 20000));
  EXPECT_TRUE(visione.Riga().contains(QStringLiteral("×8")));
  EXPECT_EQ(StatoPartita::Impronta(mostrato), replica.valore().improntaFinale);
  EXPECT_EQ(mostrato.Punteggio, banco.g.Punteggio);
  EXPECT_EQ(mostrato.Livello, banco.g.Livello);

  // The end goes back to the game-over screen; nothing of the player's has changed.
  ASSERT_TRUE(Finche([&] { return !visione.Attiva(); }));
  EXPECT_FALSE(finestra.Ospita());
  EXPECT_EQ(StatoPartita::Impronta(banco.g), vivo);
  EXPECT_EQ(finestra.centralWidget()->grab().toImage(), schermo);
  EXPECT_EQ(ContenutoCartella(banco.Percorso()), prima);
}

// A replay that cannot be watched (here one of other rules) is refused with a message
// that names it, without its folder, and says why; nothing is shown in the game's place.
TEST_F(FinestraRegistrata, AReplayThatCannotBeWatchedIsRefusedWithItsReason) {
  Replica altreRegole;
  altreRegole.intestazione.versioneRegole = VersioneRegole + 1;
  const fs::path file = banco.Percorso() / "altre regole.skrep";
  ASSERT_TRUE(ScriviFileReplica(file, altreRegole));
  (void)banco.dialoghi.PrendiBox();
  EXPECT_FALSE(repliche.Guarda(file));
  EXPECT_FALSE(repliche.visione().Attiva());
  const auto box = banco.dialoghi.PrendiBox();
  ASSERT_EQ(box.size(), 1u);
  EXPECT_TRUE(box[0].testo.startsWith("La partita altre regole.skrep non si può rivedere: "))
      << box[0].testo.toStdString();
  EXPECT_FALSE(box[0].testo.contains(QString::fromStdString(file.string())));
}

// The playback's own keys: End jumps to the end, which holds a moment before the
// game-over screen comes back; Esc leaves at once. One replay at a time, and only
// between games.
TEST_F(FinestraRegistrata, EndAndEscLeaveAReplayAndOneStartsOnlyBetweenGames) {
  Visione& visione = repliche.visione();
  auto finta = std::make_unique<ProiezioneFinta>();
  ProiezioneFinta& p = *finta;
  ASSERT_TRUE(visione.Inizia(std::move(finta)));
  EXPECT_TRUE(finestra.Ospita());
  EXPECT_FALSE(visione.Inizia(std::make_unique<ProiezioneFinta>()));  // one at a time
  Premi(Qt::Key_End);
  EXPECT_EQ(p.Adesso(), p.Durata());
  EXPECT_TRUE(visione.Riga().endsWith(QStringLiteral("FINE")));
  ASSERT_TRUE(Finche([&] { return !visione.Attiva(); }));
  EXPECT_FALSE(finestra.Ospita());

  ASSERT_TRUE(visione.Inizia(std::make_unique<ProiezioneFinta>()));
  // Another window takes the keyboard: the replay pauses, as a game would.
  QWidget altra;
  altra.show();
  altra.activateWindow();
  ASSERT_TRUE(Finche([&] { return visione.InPausa(); }));
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
