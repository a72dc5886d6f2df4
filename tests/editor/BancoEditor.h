// The editor's test bench: a started game on the virtual clock with scripted dialogs,
// the audio spy, and the editor opened from the game's menu as a real widget on the
// offscreen platform.
#pragma once

#include "codec/Impostazioni.h"
#include "editor/frm_opzioni.h"
#include "support/AudioSpia.h"
#include "support/Banco.h"
#include "support/Combinazioni.h"
#include "support/Png.h"

#include <QApplication>
#include <QBuffer>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace banco_editor {

namespace fs = std::filesystem;

inline const std::string Wav = WavMinimo("a made-up sound");
inline const std::string Mp3 = "ID3 a made-up tune";

struct BancoEditor : ::testing::Test {
  BancoEditor() : spia(new AudioSpia), b(std::unique_ptr<Audio>(spia)) {
    b.finestre.alCambio = [this](Finestra f, bool caricata) {
      if (f != Finestra::frm_opzioni) return;
      // Unloaded from one of its own handlers, it is kept until the test ends.
      if (!caricata) return scaricati.push_back(std::move(editor));
      editor = std::make_unique<frm_opzioni>(b.g, [this] { ++aggiornamenti; });
    };
  }

  // A combination file in the program folder, remembered as the menu would.
  void Metti(const TipoCombinazione& c) {
    ASSERT_TRUE(ScriviFileCombinazione(b.File(c.Nome + ".skcom"), c));
    ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File(c.Nome + ".skcom"), false));
  }

  // Start-up, then "Edita Combinazioni".
  void Apri() {
    b.Avvia();
    b.frm.mn_immagini_Click();
    ASSERT_TRUE(editor);
    spia->Prendi();
  }

  template <class W = QWidget>
  W* C(const QString& nome) const {
    W* w = editor->findChild<W*>(nome);
    EXPECT_TRUE(w) << nome.toStdString();
    return w;
  }
  QString Testo(const QString& nome) const { return C<QLineEdit>(nome)->text(); }
  bool Visibile(const QString& nome) const { return C(nome)->isVisibleTo(editor.get()); }
  bool Attivo(const QString& nome) const { return C(nome)->isEnabled(); }
  void Clic(const QString& nome) const { C<QAbstractButton>(nome)->click(); }
  QScrollBar* Cursore(int i) const {
    return C<QScrollBar>(QStringLiteral("HS_regolavol_%1").arg(i));
  }
  // A sound row as "source|box|slider|on or off" (the source without its folder).
  QString Riga(int i) const {
    const QString casella = QStringLiteral("txt_vol_%1").arg(i);
    return QStringLiteral("%1|%2|%3|%4")
        .arg(Testo(QStringLiteral("txt_audio_%1").arg(i)).section('/', -1), Testo(casella))
        .arg(Cursore(i)->value())
        .arg(Cursore(i)->isEnabled() && Attivo(casella) ? "on" : "off");
  }

  void Invia(QObject* dove, QEvent&& evento) const { QApplication::sendEvent(dove, &evento); }
  void Sopra(const QString& pulsante) const {
    Invia(C(pulsante), QEnterEvent(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5)));
  }
  void Muovi(QWidget* dove, QPoint punto) const {
    Invia(dove, QMouseEvent(QEvent::MouseMove, punto, dove->mapToGlobal(punto), Qt::NoButton,
                            Qt::NoButton, Qt::NoModifier));
  }
  void DoppioClic(int riga) const {
    Invia(C(QStringLiteral("txt_audio_%1").arg(riga)),
          QMouseEvent(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier));
  }
  // Types into a volume box and presses Enter.
  void Digita(int riga, const QString& testo) const {
    auto* casella = C<QLineEdit>(QStringLiteral("txt_vol_%1").arg(riga));
    casella->setText(testo);
    Invia(casella, QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
  }

  // A file in the program folder, by full path as a dialog answers.
  QString File(const std::string& nome, const std::string& byte) const {
    b.Scrivi(nome, byte);
    return QString::fromStdString(b.File(nome).string());
  }
  QStringList Box() {
    QStringList testi;
    for (const BoxMostrato& box : b.dialoghi.PrendiBox()) testi << box.testo;
    return testi;
  }
  QStringList Filtri() const {
    QStringList filtri;
    for (const RichiestaFile& r : b.dialoghi.RichiesteFile()) filtri << r.filtro;
    return filtri;
  }

  AudioSpia* spia;
  Banco b;
  std::unique_ptr<frm_opzioni> editor;
  std::vector<std::unique_ptr<frm_opzioni>> scaricati;
  int aggiornamenti = 0;
};

}  // namespace banco_editor
