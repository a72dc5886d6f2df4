// The game's own dialogs on Qt's offscreen platform, with the program's real sides:
// where they open, what the name box takes, the hidden password, and the file dialog's
// columns and locale.
#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include "combinations/GestioneDatiEsterni.h"
#include "game/Eventi.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "ui/DialoghiQt.h"
#include "ui/DialogoFile.h"
#include "ui/LatiQt.h"

namespace {

// Answers each modal box as it shows, from the event loop: an input box with the next
// of `risposte`, a message with OK. Notes what each showed (an input box's text) and
// where its centre was, and how the last input box echoed what was typed.
struct Pilota {
  explicit Pilota(QStringList risposte) : m_risposte(std::move(risposte)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || box == m_risponde) return;
      auto* input = qobject_cast<QInputDialog*>(box);
      const auto* messaggio = qobject_cast<QMessageBox*>(box);
      visti.push_back(
          {input ? input->textValue() : messaggio->text(), box->frameGeometry().center()});
      if (input) eco = input->textEchoMode();
      if (input && !m_risposte.isEmpty()) input->setTextValue(m_risposte.takeFirst());
      // Answered from the event loop: a refused name opens its reason from there, and
      // this timer must be free to answer that too.
      m_risponde = box;
      QTimer::singleShot(0, box, [this, box] {
        box->accept();
        m_risponde = nullptr;
      });
    });
    m_timer.start(10);
  }

  std::vector<std::pair<QString, QPoint>> visti;
  QLineEdit::EchoMode eco = QLineEdit::Normal;
  QStringList m_risposte;
  QPointer<QDialog> m_risponde;
  QTimer m_timer;
};

// The game as the program wires it, its main window shown in the top left corner.
struct DialoghiVeri : ::testing::Test, CartellaDiProva {
  DialoghiVeri() : partita(Percorso()), principale(partita.g, partita.frm, partita.smista) {
    CollegaFinestra(partita, principale);
    partita.frm.Form_Load();
    principale.setGeometry(0, 0, 420, 330);
    principale.show();
  }
  void Attiva(QWidget& finestra) {
    finestra.show();
    finestra.activateWindow();
    Finche([&] { return finestra.isActiveWindow(); });
  }

  Partita<LatiQt> partita;
  FinestraPrincipale principale;
};

// The name box takes only a name the table gives back as typed: another character is
// refused with the reason, and the box stays open on what was typed. Boxes open centred
// on the window that asks, whichever window is active: the editor's on the editor.
TEST_F(DialoghiVeri, TheNameBoxRefusesWhatTheTableCannotKeepAndBoxesOpenOnTheirWindow) {
  partita.g.Punteggio = 10;
  Pilota nome({QString::fromUtf8("Ωmega"), "Omega"});
  GestioneDatiEsterni::InserisciRecord(partita.g);
  const QString motivo = QString::fromUtf8(
      "Il nome contiene il carattere Ω, che non si può salvare nella tabella dei record");
  ASSERT_EQ(nome.visti.size(), 3u);
  EXPECT_EQ((QStringList{nome.visti[1].first, nome.visti[2].first}),
            (QStringList{motivo, QString::fromUtf8("Ωmega")}));
  EXPECT_EQ(partita.g.RecordNomi[1], "Omega");
  EXPECT_LE((nome.visti[0].second - principale.frameGeometry().center()).manhattanLength(), 4);
  nome.m_timer.stop();  // the editor's boxes are the next one's

  partita.frm.mn_immagini_Click();
  QWidget* editor = partita.finestre.Widget(Finestra::frm_opzioni);
  const QRect schermo = editor->screen()->availableGeometry();
  editor->move(schermo.right() - editor->frameGeometry().width(), schermo.top());
  Attiva(principale);
  Pilota crea({"ab"});  // too short a name, refused
  editor->findChild<QPushButton*>(QStringLiteral("CB_crea"))->click();
  ASSERT_EQ(crea.visti.size(), 2u);
  for (const auto& [testo, centro] : crea.visti)
    EXPECT_LE((centro - editor->frameGeometry().center()).manhattanLength(), 4)
        << testo.toStdString();
}

// Another window taking the keyboard pauses a game under way exactly as Esc does, and
// lets go of the arrows whose releases go there; the pause ends only by the player's
// key. A banner waiting for the player, and a game ending with its name box, are left
// as they are.
TEST_F(DialoghiVeri, LeavingTheWindowPausesOnlyAGameUnderWay) {
  Gioco& g = partita.g;
  QWidget altra;
  const auto lascia = [&] {
    Attiva(principale);
    Attiva(altra);
  };
  lascia();
  EXPECT_FALSE(g.img_pausa.Visible);  // the game-over screen
  principale.Tasto(Tasti::Spazio, true);
  principale.Tasto(Tasti::FrecciaSinistra, true);
  ASSERT_TRUE(!g.img_gameover.Visible && g.Sinistra);
  lascia();
  EXPECT_TRUE(g.Pausa && g.img_pausa.Visible && !g.Sinistra && !g.tmr_sposta.Enabled() &&
              !g.tmr_spostamentonemici.Enabled() && !g.tmr_proiettilenemico.Enabled());
  Attiva(principale);
  EXPECT_TRUE(g.Pausa);
  principale.Tasto(Tasti::Spazio, true);
  EXPECT_TRUE(!g.Pausa && g.tmr_spostamentonemici.Enabled());

  partita.orologio.Turno([&] { Eventi::LivelloCompletato(g); });
  lascia();
  EXPECT_FALSE(g.img_pausa.Visible);  // the next-level screen
  principale.Tasto(Tasti::Spazio, true);
  g.Vite = 0;  // the last cannon lost: the name box takes the keyboard
  g.Punteggio = 10;
  Attiva(principale);
  Pilota nome({"Zeno"});
  partita.orologio.Turno([&] { Eventi::GiocatoreColpito(g); });
  EXPECT_TRUE(nome.visti.size() == 1 && g.img_gameover.Visible && !g.img_pausa.Visible);
}

TEST(DialoghiQt, ThePasswordBoxHidesWhatIsTyped) {
  Pilota pilota({"segreto"});
  EXPECT_EQ(DialoghiQt().PasswordBox("Inserire la PassWord", QString()), "segreto");
  EXPECT_EQ(pilota.eco, QLineEdit::Password);
}

// The file dialog lists sizes and dates as the program's locale writes them, whatever
// the system's, and opens wide enough for each column's longest entry and heading.
TEST(DialogoFile, SpeaksTheProgramsLocaleAndShowsItsColumnsWhole) {
  QTemporaryDir cartella, impostazioni;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni.path());
  const QString file = cartella.path() + "/Una combinazione dal nome lungo.skcom";
  ScriviTutto(file.toStdString(), std::string(280'000, 'x'));
  const QLocale prima;
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

  QFileDialog dialogo(nullptr, QStringLiteral("APRI"), cartella.path());
  PreparaDialogoFile(dialogo);
  auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
  dialogo.show();
  Finche([&] { return vista->model()->rowCount(vista->rootIndex()) > 0; });
  QApplication::processEvents();
  const QModelIndex riga = vista->model()->index(0, 0, vista->rootIndex());
  EXPECT_EQ((QStringList{riga.siblingAtColumn(1).data().toString(),
                         riga.siblingAtColumn(3).data().toString()}),
            (QStringList{"273,44 KiB", QLocale().toString(QFileInfo(file).lastModified(),
                                                          QLocale::ShortFormat)}));
  int colonne = 0;
  for (int c = 0; c < 4; ++c) {
    colonne += vista->header()->sectionSize(c);
    EXPECT_GE(vista->header()->sectionSize(c),
              std::max(static_cast<QAbstractItemView*>(vista)->sizeHintForColumn(c),
                       vista->header()->sectionSizeHint(c)))
        << c;
  }
  EXPECT_LE(colonne, vista->viewport()->width());
  QLocale::setDefault(prima);
}

}  // namespace
