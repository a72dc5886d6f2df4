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

#include "drawing/Caratteri.h"

namespace {
QWidget* Genitore() {
  return QApplication::activeWindow();
}

// Keys already on their way when an input box opens are not typed into it: a space
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

QString Chiedi(const QString& prompt, const QString& titolo, const QString& predefinito,
               QLineEdit::EchoMode eco) {
  QInputDialog box(Genitore());
  box.setInputMode(QInputDialog::TextInput);
  box.setWindowTitle(titolo);
  box.setLabelText(prompt);
  box.setTextEchoMode(eco);
  box.setTextValue(predefinito);
  const TastiInCorso filtro(&box);
  return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}
}  // namespace

Risposta DialoghiQt::MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                            const QString& titolo) {
  QMessageBox box(Genitore());
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

QString DialoghiQt::InputBox(const QString& prompt, const QString& titolo,
                             const QString& predefinito) {
  return Chiedi(prompt, titolo, predefinito, QLineEdit::Normal);
}

QString DialoghiQt::PasswordBox(const QString& prompt, const QString& titolo) {
  return Chiedi(prompt, titolo, QString(), QLineEdit::Password);
}

QString DialoghiQt::FiltroQt(const QString& filtro) {
  const qsizetype barra = filtro.indexOf(QLatin1Char('|'));
  if (barra < 0) return filtro;
  QStringList modelli = filtro.mid(barra + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  return QStringLiteral("%1 (%2)").arg(filtro.left(barra).trimmed(),
                                       modelli.join(QLatin1Char(' ')));
}

std::optional<QString> DialoghiQt::ApriFile(const RichiestaFile& richiesta) {
  const QString file = QFileDialog::getOpenFileName(Genitore(), richiesta.titolo,
                                                    richiesta.cartella, FiltroQt(richiesta.filtro));
  if (file.isEmpty()) return std::nullopt;
  return file;
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
