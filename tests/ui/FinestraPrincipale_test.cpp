// The main window on Qt's offscreen platform: menus, keys, clicks and closing.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtEvents>

#include <gtest/gtest.h>

#include "combinations/GestioneDatiEsterni.h"
#include "drawing/Inquadratura.h"
#include "Gesti.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/File.h"
#include "ui/DialoghiQt.h"
#include "ui/FinestraPrincipale.h"
#include "ui/FinestreQt.h"
#include "ui/GeometriaFinestra.h"
#include "ui/frm_inf.h"

namespace {

// Messages answered as scripted, each noting whether the main window showed itself busy
// and kept its playfield as it was meanwhile; every other dialog is cancelled.
struct DialoghiSpia final : Dialoghi {
  Risposta MsgBox(const QString& testo, Pulsanti p, Icona icona, const QString& titolo) override {
    occupata.push_back(principale->cursor().shape() == Qt::WaitCursor &&
                       !principale->centralWidget()->updatesEnabled());
    if (mentreAperto) std::exchange(mentreAperto, {})();
    return copione.MsgBox(testo, p, icona, titolo);
  }
  QString InputBox(const QString&, const QString&, const QString&) override { return {}; }
  QString PasswordBox(const QString&, const QString&) override { return {}; }
  std::optional<QString> ApriFile(const RichiestaFile&) override { return {}; }
  std::optional<Carattere> ScegliFont(const Carattere&) override { return {}; }
  std::optional<uint32_t> ScegliColore() override { return {}; }
  SceltaConflitto ChiediConflitto(const DomandaConflitto&, const QString&) override {
    return SceltaConflitto::TieniMia;
  }

  DialoghiCopione copione;
  QMainWindow* principale = nullptr;
  std::vector<bool> occupata;
  std::function<void()> mentreAperto;  // what goes on while the next message is up
};

// The scripted sides, but with the program's real windows: the about and the help
// window, and the main window that their closing ends.
struct LatiFinestra {
  void Collega(Gioco&) {}

  OrologioVirtuale orologio;
  DialoghiSpia dialoghi;
  FinestreQt finestre{[] { return nullptr; }, [this] { principale->Chiudi(); }};
  std::unique_ptr<Audio> audio = CreaAudioMuto();
  std::unique_ptr<Fonts> fonts = std::make_unique<FontsCopione>();
  ChiamateFile& chiamateFile = ChiamateFile::Sistema();
  FinestraPrincipale* principale = nullptr;
};

struct Finestra : ::testing::Test, CartellaDiProva, Partita<LatiFinestra> {
  Finestra() : Partita(Percorso()), finestra(g, frm, smista) {
    principale = &finestra;
    dialoghi.principale = &finestra;
    frm.Form_Load();
    finestra.Aggiorna();
    finestra.resize(finestra.sizeHint());
    finestra.show();
  }

  QAction* Voce(const QString& menu, const QString& voce) {
    for (QAction* m : finestra.menuBar()->actions())
      for (QAction* a : m->menu()->actions())
        if (m->text() == menu && a->text() == voce) return a;
    return nullptr;
  }

  FinestraPrincipale finestra;
};

// The caption, the menus that run their handlers and follow the model, and the keys,
// whose auto-repeated releases are ignored.
TEST_F(Finestra, MenusAndKeysReachTheHandlersAndFollowTheModel) {
  EXPECT_EQ(finestra.windowTitle(), g.Caption);
  EXPECT_EQ(finestra.centralWidget()->size(), QSize(794, 548));
  QStringList menu;
  for (QAction* m : finestra.menuBar()->actions()) menu << m->text();
  EXPECT_EQ(menu, (QStringList{"File", "Opzioni", "Combinazioni", "?"}));  // no accelerators
  EXPECT_TRUE(Voce("File", "Esci") && Voce("Opzioni", "Edita Combinazioni") &&
              Voce("?", "Informazioni"));
  ASSERT_TRUE(Voce("Combinazioni", "Default"));
  EXPECT_TRUE(Voce("Combinazioni", "Default")->isChecked());
  QAction* audio_ = Voce("Opzioni", "Attiva Audio");
  ASSERT_TRUE(audio_ && audio_->isCheckable() && !audio_->isChecked());
  audio_->trigger();
  EXPECT_TRUE(g.AudioAttivo && audio_->isChecked());
  Voce("?", "Aiuto")->trigger();
  EXPECT_TRUE(finestre.Caricata(::Finestra::frm_aiuto));

  Tasto(&finestra, QEvent::KeyPress, Qt::Key_Space, " ");
  EXPECT_TRUE(g.img_giocatore.Visible);
  Tasto(&finestra, QEvent::KeyPress, Qt::Key_Left);
  Tasto(&finestra, QEvent::KeyRelease, Qt::Key_Left, {}, true);
  EXPECT_TRUE(g.Sinistra);
  Tasto(&finestra, QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_FALSE(g.Sinistra);
  Tasto(&finestra, QEvent::KeyPress, Qt::Key_Escape, "\x1b");
  EXPECT_TRUE(g.img_pausa.Visible);
}

TEST_F(Finestra, ACombinationFileAddedToOrRemovedFromTheFolderShowsInOrLeavesTheMenu) {
  const auto attendi = [this](const QString& voce, bool presente) {
    return Finche([&] { return (Voce("Combinazioni", voce) != nullptr) == presente; });
  };
  ScriviTutto(g.File("Tramonto.skcom"), "");
  EXPECT_TRUE(attendi("Tramonto", true));
  EXPECT_FALSE(Voce("Combinazioni", "Tramonto")->isChecked());
  std::filesystem::rename(g.File("Tramonto.skcom"), g.File("Alba.skcom"));
  EXPECT_TRUE(attendi("Alba", true) && attendi("Tramonto", false));
  std::filesystem::remove(g.File("Alba.skcom"));
  EXPECT_TRUE(attendi("Alba", false));
  EXPECT_TRUE(Voce("Combinazioni", "Default")->isChecked());
}

// Dropped on the window, local combination files are opened, after the drop; other
// files are not even accepted.
TEST_F(Finestra, DroppedCombinationAndReplayFilesAreOpenedAndNothingElseIsTaken) {
  std::vector<std::filesystem::path> aperti;
  finestra.ImpostaApriFile([&aperti](const std::filesystem::path& f) { aperti.push_back(f); });
  const auto trascina = [this](const QList<QUrl>& url) {
    QMimeData dati;
    dati.setUrls(url);
    QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&finestra, &entra);
    if (!entra.isAccepted()) return false;
    QDropEvent lascia(QPointF(10, 10), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&finestra, &lascia);
    return true;
  };
  EXPECT_FALSE(
      trascina({QUrl::fromLocalFile("/tmp/foto.png"), QUrl("https://example.org/a.skcom")}));
  EXPECT_TRUE(trascina({QUrl::fromLocalFile("/tmp/foto.png"), QUrl::fromLocalFile("/tmp/Blu.skcom"),
                        QUrl::fromLocalFile("/tmp/Tramonto.skcom"),
                        QUrl::fromLocalFile("/tmp/ieri.skrep")}));
  EXPECT_TRUE(aperti.empty());  // not inside the drop
  QApplication::processEvents();
  EXPECT_EQ(aperti, (std::vector<std::filesystem::path>{"/tmp/Blu.skcom", "/tmp/Tramonto.skcom",
                                                        "/tmp/ieri.skrep"}));
}

// How many pixels of `r` in `immagine` are not black.
double Accesi(const QImage& immagine, QRect r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += immagine.pixel(x, y) != qRgb(0, 0, 0);
  return n;
}

// The playfield fills any window with its own proportions, centred between black
// bars, and a click is taken where the player sees it.
TEST_F(Finestra, ThePlayfieldScalesToAnySizeBetweenBarsAndClicksFollowIt) {
  QWidget* campo = finestra.centralWidget();
  struct Caso {
    QSize area;
    qreal fattore;
    QPointF origine;
  };
  for (const Caso& caso : {Caso{{794, 548}, 1.0, {0, 0}}, Caso{{1588, 1096}, 2.0, {0, 0}},
                           Caso{{1191, 548}, 1.0, {198, 0}}, Caso{{794, 1000}, 1.0, {0, 226}},
                           Caso{{500, 300}, 300 / 548.0, {32, 0}}}) {
    SCOPED_TRACE(testing::Message() << caso.area.width() << "x" << caso.area.height());
    campo->setMinimumSize(0, 0);
    finestra.resize(caso.area + QSize(0, finestra.menuBar()->height()));
    QApplication::processEvents();
    ASSERT_EQ(campo->size(), caso.area);
    const Inquadratura posto = Inquadratura::Di(caso.area);
    EXPECT_DOUBLE_EQ(posto.fattore, caso.fattore);
    EXPECT_EQ(posto.origine, caso.origine);
    // The start banner and the table light up the same share of their place at any size.
    const QRect tabella = posto.Area(QRectF(200, 40, 400, 480)).toRect();
    EXPECT_NEAR(Accesi(campo->grab().toImage(), tabella) / (tabella.width() * tabella.height()),
                0.2, 0.1);
    // The bars are black, also where the bonus ship waits past the right edge.
    g.img_navicellabonus.Visible = true;
    g.img_navicellabonus.Left = 11500;
    finestra.Aggiorna();
    const QImage conNave = campo->grab().toImage();
    for (const QRect& barra : QRegion(campo->rect()).subtracted(posto.Campo().toAlignedRect()))
      EXPECT_EQ(Accesi(conNave, barra), 0);
    g.img_navicellabonus.Visible = false;
    // Where the banner stood unscaled is not where it is now, unless nothing moved.
    Clicca(campo, QPointF(posto.origine.x() / 2, posto.origine.y() / 2));
    ASSERT_FALSE(g.FormazioneCaricata);
  }
  // The start banner's middle.
  Clicca(campo, Inquadratura::Di(campo->size()).origine + QPointF(400, 140) * (300 / 548.0));
  EXPECT_TRUE(g.FormazioneCaricata);
}

TEST_F(Finestra, F11AndAltEnterToggleFullScreenAndAreNotTheGamesKeys) {
  const QRect normale = finestra.geometry();
  for (auto [tasto, modificatori] :
       {std::pair{Qt::Key_F11, Qt::NoModifier}, {Qt::Key_Return, Qt::AltModifier}}) {
    for (bool intero : {true, false}) {
      Tasto(&finestra, QEvent::KeyPress, tasto, tasto == Qt::Key_Return ? "\r" : "", false,
            modificatori);
      QApplication::processEvents();
      EXPECT_EQ(finestra.isFullScreen(), intero);
      EXPECT_EQ(finestra.geometry(), intero ? finestra.screen()->geometry() : normale);
    }
  }
  EXPECT_FALSE(g.FormazioneCaricata);  // no key reached the start banner
}

// The window comes back where it was when it last closed on this folder, full screen
// included; a first start gets a size that suits the screen.
TEST_F(Finestra, TheWindowsPlaceIsRememberedPerProgramFolder) {
  const QSize primaVolta = DimensioneIniziale(finestra.screen()->availableGeometry().size(),
                                              QSize(0, finestra.menuBar()->sizeHint().height()));
  finestra.hide();
  finestra.Mostra();
  QApplication::processEvents();
  EXPECT_EQ(finestra.size(), primaVolta);
  const QRect posto(40, 50, 600, 400);
  finestra.setGeometry(posto);
  finestra.CommutaSchermoIntero();
  QApplication::processEvents();
  finestra.close();
  ASSERT_EQ(LeggiGeometria(Percorso()), (GeometriaFinestra{posto, false, true}));
  FinestraPrincipale seconda(g, frm, smista);
  seconda.Mostra();
  QApplication::processEvents();
  EXPECT_TRUE(seconda.isFullScreen());
  EXPECT_EQ(seconda.normalGeometry(), posto);
  seconda.CommutaSchermoIntero();
  QApplication::processEvents();
  seconda.close();
  EXPECT_EQ(LeggiGeometria(Percorso()), (GeometriaFinestra{posto, false, false}));
}

TEST_F(Finestra, AboutAndHelpGoAwayWhenTheMainWindowBecomesActive) {
  frm.mn_about_Click();
  QWidget* informazioni = finestre.Widget(::Finestra::frm_inf);
  ASSERT_TRUE(informazioni);
  QApplication::setActiveWindow(informazioni);
  EXPECT_TRUE(finestre.Caricata(::Finestra::frm_inf));
  QApplication::setActiveWindow(&finestra);
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(finestre.Caricata(::Finestra::frm_inf));
}

// A signal ends the program as the close box does, even with a dialog open: the dialog
// is cancelled, its handler goes on, and then the windows close.
TEST_F(Finestra, TerminatingCancelsTheOpenDialogsThenClosesLikeTheCloseBox) {
  Voce("?", "Aiuto")->trigger();
  frm.mn_about_Click();
  QTimer::singleShot(0, [this] { finestra.Termina(); });
  EXPECT_EQ(
      DialoghiQt().MsgBox(QStringLiteral("Sovrascrivere?"), Pulsanti::SiNo, Icona::Domanda, {}),
      Risposta::No);
  EXPECT_TRUE(Finche([this] { return !finestra.isVisible(); }));
  EXPECT_TRUE(finestre.Caricate().isEmpty());
}

// A combination chosen from the menu is applied with the window busy and its playfield
// left as it was until it is done; then the window is itself again. The menu follows
// the folder even while a message of the chosen combination is up; the item chosen may
// leave it then, but lives until its click has been handled, and the check mark stays
// on the combination in use.
TEST_F(Finestra, AChosenItemIsAppliedWithTheWindowBusyAndOutlivesItsClickIfItLeavesTheMenu) {
  ScriviTutto(g.File("Rotta.skcom"), "\x03\x00Ro");
  GestioneDatiEsterni::CostruisciMenu(g);
  finestra.Aggiorna();
  QPointer<QAction> scelta = Voce("Combinazioni", "Rotta");
  ASSERT_TRUE(scelta);
  bool vivaMentreAperto = false;
  dialoghi.mentreAperto = [&] {
    std::filesystem::remove(g.File("Rotta.skcom"));
    EXPECT_TRUE(Finche([&] { return !Voce("Combinazioni", "Rotta"); }));
    vivaMentreAperto = !scelta.isNull();
  };
  scelta->trigger();  // it can't be read, and says so
  EXPECT_EQ(dialoghi.occupata, std::vector<bool>{true});
  EXPECT_EQ(finestra.cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(finestra.centralWidget()->updatesEnabled());
  EXPECT_TRUE(vivaMentreAperto);
  ASSERT_EQ(g.mn_comb.size(), 1u);
  EXPECT_TRUE(g.mn_comb[0].Checked && Voce("Combinazioni", "Default")->isChecked());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(scelta.isNull());
}

// Qt's own buttons speak Italian like the game, whatever the system's language.
TEST(Italiano, QtsStandardButtonsAreInItalian) {
  const std::unique_ptr<QTranslator> italiano = TraduzioneQtItaliana();
  ASSERT_TRUE(italiano) << "qt6-translations-l10n is not installed";
  QCoreApplication::installTranslator(italiano.get());
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), "Sì");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), "Annulla");
  QCoreApplication::removeTranslator(italiano.get());
}

// Every credit of the about window shows whole: each label has the room its text needs,
// inside the window, and nothing covers anything else.
TEST(Informazioni, EveryCreditHasTheRoomItsTextNeedsAndNothingOverlaps) {
  frm_inf finestra;
  finestra.show();
  const QList<QWidget*> figli = finestra.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(figli.isEmpty());
  for (qsizetype i = 0; i < figli.size(); ++i) {
    const QRect dove = figli[i]->geometry();
    SCOPED_TRACE(figli[i]->metaObject()->className());
    EXPECT_TRUE(finestra.rect().contains(dove));
    const auto* etichetta = qobject_cast<QLabel*>(figli[i]);
    if (etichetta && etichetta->wordWrap()) {
      EXPECT_LE(etichetta->heightForWidth(dove.width()), dove.height())
          << etichetta->text().toStdString();
      EXPECT_GE(dove.width(), etichetta->minimumSizeHint().width());
    } else {
      EXPECT_EQ(dove.size().expandedTo(figli[i]->sizeHint()), dove.size());
    }
    for (qsizetype j = i + 1; j < figli.size(); ++j)
      EXPECT_FALSE(dove.intersects(figli[j]->geometry())) << i << " and " << j;
  }
}

// A space still held as the game ends is not typed into the name box: the box ignores
// the keys pressed in its first moments and the repeats of a key held since before it
// opened; once that key is released, it types as any other. Each key is its letter,
// or '*' before it for an auto-repeat.
TEST(CasellaNome, IgnoresTheKeysAlreadyUnderWayWhenItOpens) {
  const auto premi = [](const QString& tasti) {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    auto* campo = box ? box->findChild<QLineEdit*>() : nullptr;
    if (!campo) return QStringLiteral("no name box");
    for (qsizetype i = 0; i < tasti.size(); ++i) {
      const bool ripetuto = tasti[i] == '*';
      const QString testo = tasti.mid(i += ripetuto, 1);
      const int tasto =
          testo == " " ? Qt::Key_Space : Qt::Key_A + (testo.toUpper()[0].unicode() - 'A');
      Tasto(campo, QEvent::KeyPress, tasto, testo, ripetuto);
    }
    return campo->text();
  };
  QString allApertura, dopo;
  QTimer::singleShot(0, [&] { allApertura = premi("*  a*a"); });
  QTimer::singleShot(450, [&] {
    dopo = premi("* *aBo*o * ");
    if (auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) box->accept();
  });
  EXPECT_EQ(DialoghiQt().InputBox(QStringLiteral("Inserisci il tuo nome"), QString(), QString()),
            "Boo  ");
  EXPECT_EQ(allApertura, "");
  EXPECT_EQ(dopo, "Boo  ");
}

}  // namespace
