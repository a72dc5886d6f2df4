// The game's own dialogs on Qt's offscreen platform, with the program's real sides:
// where they open, what the name box takes, and the file dialog's columns and locale.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

#include "combinations/GestioneDatiEsterni.h"
#include "game/Eventi.h"
#include "support/Banco.h"
#include "ui/DialogoFile.h"
#include "ui/LatiQt.h"

namespace {

// Runs the event loop until `fatto` holds; the bound only tells a hang from a loaded machine.
template <typename F>
bool Finche(F fatto) {
  QElapsedTimer tempo;
  tempo.start();
  while (!fatto() && tempo.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return fatto();
}

// Runs `azione` on the next modal dialog of kind T to show, from the event loop.
template <class T>
void AlProssimo(std::function<void(T&)> azione) {
  auto* attesa = new QTimer;
  attesa->setInterval(10);
  QObject::connect(attesa, &QTimer::timeout, [attesa, azione = std::move(azione)] {
    auto* dialogo = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!dialogo || !dialogo->isVisible()) return;
    attesa->stop();
    attesa->deleteLater();
    azione(*dialogo);
  });
  attesa->start();
}

QPoint Centro(const QWidget& w) {
  return w.frameGeometry().center();
}

// The game as the program wires it, its main window shown in the top left corner.
struct DialoghiVeri : ::testing::Test, CartellaDiProva {
  DialoghiVeri() : partita(Percorso()), principale(partita.g, partita.frm) {
    CollegaFinestra(partita, principale);
    partita.frm.Form_Load();
    principale.setGeometry(0, 0, 420, 330);
    principale.show();
  }

  Partita<LatiQt> partita;
  FinestraPrincipale principale;
};

// The name box takes only a name the table gives back as typed: another character is
// refused with the reason over the box, which stays open on what was typed, and the
// box opens over the window it asks for.
TEST_F(DialoghiVeri, TheHighScoreBoxRefusesACharacterTheTableCannotKeep) {
  partita.g.Punteggio = 10;
  QString motivo, rimasto;
  bool sulPrincipale = false;
  AlProssimo<QInputDialog>([&](QInputDialog& box) {
    sulPrincipale = box.parentWidget() == &principale;
    box.setTextValue(QString::fromUtf8("Ωmega"));
    AlProssimo<QMessageBox>([&](QMessageBox& messaggio) {
      motivo = messaggio.text();
      messaggio.accept();
      AlProssimo<QInputDialog>([&](QInputDialog& ancora) {
        rimasto = ancora.textValue();
        ancora.setTextValue(QStringLiteral("Omega"));
        ancora.accept();
      });
    });
    box.accept();
  });
  GestioneDatiEsterni::InserisciRecord(partita.g);
  EXPECT_TRUE(sulPrincipale);
  EXPECT_EQ(motivo, QString::fromUtf8("Il nome contiene il carattere Ω, che non si può salvare "
                                      "nella tabella dei record"));
  EXPECT_EQ(rimasto, QString::fromUtf8("Ωmega"));
  EXPECT_EQ(partita.g.RecordNomi[1], "Omega");
}

// A question or a refusal of the editor opens centred on the editor, wherever it is and
// whichever window is active.
TEST_F(DialoghiVeri, TheEditorsBoxesOpenCentredOnTheEditor) {
  partita.frm.mn_immagini_Click();
  QWidget* editor = partita.finestre.Widget(Finestra::frm_opzioni);
  ASSERT_TRUE(editor);
  const QRect schermo = editor->screen()->availableGeometry();
  editor->move(schermo.right() - editor->frameGeometry().width(), schermo.top());
  std::vector<QPoint> centri;
  AlProssimo<QInputDialog>([&](QInputDialog& box) {
    centri.push_back(Centro(box));
    box.setTextValue(QStringLiteral("ab"));
    AlProssimo<QMessageBox>([&](QMessageBox& messaggio) {
      centri.push_back(Centro(messaggio));
      messaggio.accept();
    });
    box.accept();
  });
  // Which window is active when it asks does not matter: it may be another one still.
  principale.activateWindow();
  Finche([&] { return principale.isActiveWindow(); });
  editor->findChild<QPushButton*>(QStringLiteral("CB_crea"))->click();
  ASSERT_EQ(centri.size(), 2u);
  for (const QPoint& centro : centri)
    EXPECT_LE((centro - Centro(*editor)).manhattanLength(), 4)
        << centro.x() << "," << centro.y() << " for " << Centro(*editor).x();
}

// Another window taking the keyboard pauses a game under way exactly as Esc does, and
// lets go of the arrows whose releases go there; the pause ends only by the player's
// key. A banner waiting for the player, and a game ending with its name box, are left
// as they are.
TEST_F(DialoghiVeri, LeavingTheWindowPausesOnlyAGameUnderWay) {
  Gioco& g = partita.g;
  QWidget altra;
  const auto lascia = [&] {
    principale.activateWindow();
    Finche([&] { return principale.isActiveWindow(); });
    altra.show();
    altra.activateWindow();
    return Finche([&] { return !principale.isActiveWindow(); });
  };
  ASSERT_TRUE(lascia());
  EXPECT_FALSE(g.img_pausa.Visible);  // the game-over screen

  principale.Tasto(Tasti::Spazio, true);
  principale.Tasto(Tasti::FrecciaSinistra, true);
  ASSERT_TRUE(!g.img_gameover.Visible && g.Sinistra);
  lascia();
  EXPECT_TRUE(g.Pausa && g.img_pausa.Visible && !g.Sinistra);
  EXPECT_FALSE(g.tmr_sposta.Enabled() || g.tmr_spostamentonemici.Enabled() ||
               g.tmr_proiettilenemico.Enabled());
  principale.activateWindow();
  Finche([&] { return principale.isActiveWindow(); });
  EXPECT_TRUE(g.Pausa);
  principale.Tasto(Tasti::Spazio, true);
  EXPECT_TRUE(!g.Pausa && !g.img_pausa.Visible && g.tmr_spostamentonemici.Enabled());

  partita.orologio.Turno([&] { Eventi::LivelloCompletato(g); });
  lascia();
  EXPECT_FALSE(g.img_pausa.Visible);  // the next-level screen
  principale.Tasto(Tasti::Spazio, true);

  // The last cannon lost: the name box takes the keyboard from the window.
  g.Vite = 0;
  g.Punteggio = 10;
  bool lasciata = false, pausaColNome = true;
  AlProssimo<QInputDialog>([&](QInputDialog& box) {
    lasciata = Finche([&] { return !principale.isActiveWindow(); });
    pausaColNome = g.Pausa || g.img_pausa.Visible;
    box.accept();
  });
  principale.activateWindow();
  partita.orologio.Turno([&] { Eventi::GiocatoreColpito(g); });
  EXPECT_TRUE(lasciata && !pausaColNome);
  EXPECT_TRUE(g.img_gameover.Visible && !g.img_pausa.Visible);
}

// The main window is the playfield and its menus: no status strip along its bottom.
TEST_F(DialoghiVeri, TheMainWindowHasNoStatusStrip) {
  EXPECT_TRUE(principale.findChildren<QStatusBar*>().isEmpty());
  EXPECT_EQ(principale.centralWidget()->geometry().bottom(), principale.rect().bottom());
}

// The file dialog lists sizes and dates as the program's locale writes them, whatever
// the system's, and opens wide enough for each column's longest entry and heading.
TEST(DialogoFile, SpeaksTheProgramsLocaleAndShowsItsColumnsWhole) {
  QTemporaryDir cartella, impostazioni;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni.path());
  const std::string percorso = cartella.path().toStdString();
  ScriviTutto(percorso + "/Una combinazione dal nome lungo.skcom", std::string(280'000, 'x'));
  const QLocale prima;
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

  QFileDialog dialogo(nullptr, QStringLiteral("APRI"), cartella.path());
  PreparaDialogoFile(dialogo);
  auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
  ASSERT_TRUE(vista);
  dialogo.show();
  QElapsedTimer tempo;
  tempo.start();
  while (vista->model()->rowCount(vista->rootIndex()) == 0 && tempo.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  QApplication::processEvents();
  const QModelIndex riga = vista->model()->index(0, 0, vista->rootIndex());
  const auto testo = [&](int colonna) { return riga.siblingAtColumn(colonna).data().toString(); };
  const QFileInfo info(cartella.path() + "/Una combinazione dal nome lungo.skcom");
  EXPECT_EQ(testo(1), QStringLiteral("273,44 KiB"));
  EXPECT_EQ(testo(3), QLocale().toString(info.lastModified(), QLocale::ShortFormat));

  int colonne = 0;
  for (int c = 0; c < 4; ++c) {
    const int larga = vista->header()->sectionSize(c);
    EXPECT_GE(larga, static_cast<QAbstractItemView*>(vista)->sizeHintForColumn(c)) << c;
    EXPECT_GE(larga, vista->header()->sectionSizeHint(c)) << c;
    colonne += larga;
  }
  EXPECT_LE(colonne, vista->viewport()->width());
  QLocale::setDefault(prima);
}

}  // namespace
