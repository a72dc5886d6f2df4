#include "ui/DialoghiQt.h"

#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QSet>

#include <cmath>
#include <utility>

#include "drawing/Caratteri.h"
#include "ui/DialogoFile.h"

namespace {

// Keys already on their way when a box opens do not answer it: a space
// still held as the game ends must not start the player's name with blanks, or fill
// it with nothing else. The box ignores every key pressed in its first 300 ms, and
// the auto-repeats of any key whose press it has not let through (one held since
// before it opened, or pressed in those first moments) until that key goes down again.
class TastiInCorso final : public QObject {
 public:
  static constexpr int Attesa = 300;  // ms

  explicit TastiInCorso(QWidget* box) : m_box(box) {
    m_aperta.start();
    QApplication::instance()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* oggetto, QEvent* evento) override {
    if (evento->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(oggetto);
    if (!widget || widget->window() != m_box) return false;
    const auto* tasto = static_cast<QKeyEvent*>(evento);
    if (tasto->isAutoRepeat()) return !m_visti.contains(tasto->key());
    if (m_aperta.elapsed() < Attesa) return true;
    m_visti.insert(tasto->key());
    return false;
  }

 private:
  QWidget* m_box;
  QElapsedTimer m_aperta;
  QSet<int> m_visti;  // keys seen going down since the box opened
};

Risposta Messaggio(QWidget* genitore, const QString& testo, Pulsanti pulsanti, Icona icona,
                   const QString& titolo) {
  QMessageBox box(genitore);
  box.setWindowTitle(titolo);
  box.setText(testo);
  switch (icona) {
    case Icona::Esclamazione:
      box.setIcon(QMessageBox::Warning);
      break;
    case Icona::Informazione:
      box.setIcon(QMessageBox::Information);
      break;
    case Icona::Critica:
      box.setIcon(QMessageBox::Critical);
      break;
    case Icona::Domanda:
      box.setIcon(QMessageBox::Question);
      break;
    case Icona::Nessuna:
      break;
  }
  switch (pulsanti) {
    case Pulsanti::OK:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case Pulsanti::OKAnnulla:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case Pulsanti::SiNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
  }
  // A key held from before (the Enter that offered a refused name) does not dismiss it unread.
  const TastiInCorso filtro(&box);
  switch (box.exec()) {
    case QMessageBox::Ok:
      return Risposta::OK;
    case QMessageBox::Yes:
      return Risposta::Si;
    case QMessageBox::No:
      return Risposta::No;
    default:
      return pulsanti == Pulsanti::SiNo ? Risposta::No : Risposta::Annulla;
  }
}

// An input box that stays open on an answer its rule refuses, saying why over itself.
class Casella final : public QInputDialog {
 public:
  Casella(QWidget* genitore, Dialoghi::Regola regola)
      : QInputDialog(genitore), m_regola(std::move(regola)) {}

  void done(int esito) override {
    if (esito == QDialog::Accepted && m_regola) {
      if (const std::optional<QString> motivo = m_regola(textValue())) {
        Messaggio(this, *motivo, Pulsanti::OK, Icona::Esclamazione, windowTitle());
        return;
      }
    }
    QInputDialog::done(esito);
  }

 private:
  Dialoghi::Regola m_regola;
};

QString Chiedi(QWidget* genitore, const QString& prompt, const QString& titolo,
               const QString& predefinito, QLineEdit::EchoMode eco,
               const Dialoghi::Regola& regola = {}) {
  Casella box(genitore, regola);
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(titolo);
  box.setLabelText(prompt);
  box.setTextEchoMode(eco);
  box.setTextValue(predefinito);
  const TastiInCorso filtro(&box);
  return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

}  // namespace

void DialoghiQt::ChiedeDa(QWidget* finestra, const std::function<void()>& handler) {
  const QPointer<QWidget> prima = std::exchange(m_chiede, finestra);
  handler();
  m_chiede = prima;
}

QWidget* DialoghiQt::Genitore() const {
  for (QWidget* finestra : {m_chiede.data(), m_principale.data()})
    if (finestra && finestra->isVisible()) return finestra->window();
  return QApplication::activeWindow();
}

Risposta DialoghiQt::MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                            const QString& titolo) {
  return Messaggio(Genitore(), testo, pulsanti, icona, titolo);
}

QString DialoghiQt::InputBox(const QString& prompt, const QString& titolo,
                             const QString& predefinito) {
  return Chiedi(Genitore(), prompt, titolo, predefinito, QLineEdit::Normal);
}

QString DialoghiQt::InputBoxConRegola(const QString& prompt, const QString& titolo,
                                      const QString& predefinito, const Regola& regola) {
  return Chiedi(Genitore(), prompt, titolo, predefinito, QLineEdit::Normal, regola);
}

QString DialoghiQt::PasswordBox(const QString& prompt, const QString& titolo) {
  return Chiedi(Genitore(), prompt, titolo, QString(), QLineEdit::Password);
}

QString DialoghiQt::FiltroQt(const QString& filtro) {
  const qsizetype barra = filtro.indexOf(QLatin1Char('|'));
  if (barra < 0) return filtro;
  QStringList modelli = filtro.mid(barra + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  return QStringLiteral("%1 (%2)").arg(filtro.left(barra).trimmed(),
                                       modelli.join(QLatin1Char(' ')));
}

std::optional<QString> DialoghiQt::ApriFile(const RichiestaFile& richiesta) {
  QFileDialog dialogo(Genitore(), richiesta.titolo, richiesta.cartella, FiltroQt(richiesta.filtro));
  dialogo.setFileMode(QFileDialog::ExistingFile);
  PreparaDialogoFile(dialogo);
  if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) return std::nullopt;
  return dialogo.selectedFiles().constFirst();
}

std::optional<Carattere> DialoghiQt::ScegliFont(const Carattere& iniziale) {
  QFont preset(Caratteri::Famiglia(iniziale.Name));
  preset.setPointSizeF(iniziale.Size > 0 ? iniziale.Size : 10);
  preset.setBold(iniziale.Bold);
  preset.setItalic(iniziale.Italic);
  bool ok = false;
  const QFont scelto = QFontDialog::getFont(&ok, preset, Genitore());
  if (!ok) return std::nullopt;
  return Carattere{scelto.family(), scelto.pointSizeF(), scelto.bold(), scelto.italic()};
}

std::optional<uint32_t> DialoghiQt::ScegliColore() {
  const QColor colore = QColorDialog::getColor(Qt::black, Genitore());
  if (!colore.isValid()) return std::nullopt;
  return Caratteri::ColoreModello(colore);
}

std::unique_ptr<QTranslator> TraduzioneQtItaliana() {
  auto traduzione = std::make_unique<QTranslator>();
  if (!traduzione->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    return nullptr;
  return traduzione;
}
