// The editor's test bench: a started game with scripted dialogs and the audio spy, the
// editor opened from the game's menu as its model `m` or, when asked, its window.
#pragma once

#include "codec/Impostazioni.h"
#include "editing/Editor.h"
#include "editor/frm_opzioni.h"
#include "support/AudioSpia.h"
#include "support/Banco.h"
#include "support/Combinazioni.h"
#include "support/Png.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace banco_editor {

namespace fs = std::filesystem;

inline const auto Q = [](const fs::path& p) { return QString::fromStdString(p.string()); };

inline const std::string Wav = WavMinimo("a made-up sound");

// A protected combination with pictures, music, an effect and odd volumes.
inline TipoCombinazione Blu() {
  TipoCombinazione c = CombinazioneVuota("Blu");
  c.Password = "segreto";
  c.Immagini[0] = Png(Qt::blue);
  c.Immagini[13] = Png(Qt::darkBlue, {80, 60});
  c.Suoni[0] = "ID3 a made-up tune";
  c.Suoni[3] = Wav;
  c.Volumi[3] = c.Volumi[5] = -2550;  // 74.5, the second on a row without a sound
  c.Volumi[7] = -10000;
  c.FontFileNome = "notturna.ttf";
  return c;
}

struct BancoEditor : ::testing::Test {
  BancoEditor() : spia(new AudioSpia), b(std::unique_ptr<Audio>(spia)) {
    b.finestre.alCambio = [this](Finestra f, bool caricata) {
      if (f != Finestra::frm_opzioni) return;
      // Unloaded from one of its own handlers, it is kept until the test ends.
      if (!caricata) return scaricati.push_back(std::move(editor));
      if (conFinestra) editor = std::make_unique<frm_opzioni>(b.g, [this] { ++aggiornamenti; });
    };
  }

  // A combination file in the program folder, remembered as the menu would.
  void Metti(const TipoCombinazione& c, std::string file = {}) {
    if (file.empty()) file = c.Nome;
    ASSERT_TRUE(ScriviFileCombinazione(b.File(file + ".skcom"), c));
    ASSERT_TRUE(ScriviFileScelta(b.File("CombinazioneScelta"), b.File(file + ".skcom"), false));
  }

  // Start-up on `c` if given, then "Edita Combinazioni": the model, or the window.
  void Apri(bool widget = false, const std::optional<TipoCombinazione>& c = {}) {
    if (c) Metti(*c);
    conFinestra = widget;
    b.Avvia().frm.mn_immagini_Click();
    if (!widget) m = Editor::Apri(b.g, {[this] { ++aggiornamenti; }, {}});
    ASSERT_EQ(bool(editor), widget);
    spia->Prendi();
  }
  bool Aperto() const { return b.finestre.Caricata(Finestra::frm_opzioni); }

  // A sound row as "source|box|slider|on or off" (the source without its folder).
  QString Riga(int i) const {
    const RigaSuono& r = m.suoni[static_cast<size_t>(i)];
    return QStringList{r.sorgente.section('/', -1), r.volume, QString::number(r.posizione),
                       r.attiva ? "on" : "off"}
        .join('|');
  }
  // Answers to the input boxes to come; a picture, a sound or a font file chosen.
  void Rispondi(std::initializer_list<QString> testi) {
    for (const QString& testo : testi) b.dialoghi.AccodaTesto(testo);
  }
  void PrendiFont(const QString& f) {
    b.dialoghi.AccodaFile(f);
    Editor::ScegliFileFont(b.g, m);
  }
  void PrendiImmagine(int n, const QString& file) {
    b.dialoghi.AccodaFile(file);
    Editor::ScegliImmagine(b.g, m, n);
  }
  void PrendiSuono(int i, const QString& file) {
    b.dialoghi.AccodaFile(file);
    Editor::ScegliSuono(b.g, m, i);
  }

  // The window's controls.
  template <class W = QWidget>
  W* C(const QString& nome) const {
    W* w = editor->findChild<W*>(nome);
    EXPECT_TRUE(w) << nome.toStdString();
    return w;
  }
  QString Testo(const QString& nome) const { return C<QLineEdit>(nome)->text(); }
  bool Visibile(const QString& nome) const { return C(nome)->isVisibleTo(editor.get()); }
  void Clic(const QString& nome) const { C<QAbstractButton>(nome)->click(); }
  QSlider* Cursore(int i) const { return C<QSlider>(QStringLiteral("HS_regolavol_%1").arg(i)); }
  void Invia(QObject* dove, QEvent&& evento) const { QApplication::sendEvent(dove, &evento); }
  void Mouse(QWidget* dove, QEvent::Type tipo, QPoint punto, Qt::MouseButtons tasti) const {
    const Qt::MouseButton tasto = tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    Invia(dove, QMouseEvent(tipo, punto, dove->mapToGlobal(punto), tasto, tasti, Qt::NoModifier));
  }
  void Sopra(const QString& pulsante) const {
    Invia(C(pulsante), QEnterEvent(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5)));
  }

  // A file in the program folder, by full path as a dialog answers.
  QString File(const std::string& nome, const std::string& byte) const {
    b.Scrivi(nome, byte);
    return Q(b.File(nome));
  }
  // The texts of the boxes shown since the last call; their icons go to `icone`.
  QStringList Box() {
    QStringList testi;
    icone.clear();
    for (const BoxMostrato& box : b.dialoghi.PrendiBox()) {
      testi << box.testo;
      icone.push_back(box.icona);
    }
    return testi;
  }

  AudioSpia* spia;
  Banco b;
  ModelloEditor m;
  bool conFinestra = false;
  std::unique_ptr<frm_opzioni> editor;
  std::vector<std::unique_ptr<frm_opzioni>> scaricati;
  int aggiornamenti = 0;
  std::vector<Icona> icone;
};

}  // namespace banco_editor
