// The game's dialogs as Qt's modal message boxes, input boxes and common dialogs.
#pragma once

#include <QPointer>
#include <QTranslator>
#include <QWidget>

#include <functional>
#include <memory>

#include "seams/Dialoghi.h"

class DialoghiQt final : public Dialoghi {
 public:
  Risposta MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                  const QString& titolo) override;
  QString InputBox(const QString& prompt, const QString& titolo,
                   const QString& predefinito) override;
  QString InputBoxConRegola(const QString& prompt, const QString& titolo,
                            const QString& predefinito, const Regola& regola) override;
  QString PasswordBox(const QString& prompt, const QString& titolo) override;
  std::optional<QString> ApriFile(const RichiestaFile& richiesta) override;
  std::optional<Carattere> ScegliFont(const Carattere& iniziale) override;
  std::optional<uint32_t> ScegliColore() override;
  // The two combinations side by side (ui/DomandaConflitto.cpp).
  SceltaConflitto ChiediConflitto(const DomandaConflitto& domanda, const QString& titolo) override;

  // "Description|*.a;*.b" as a Qt file-dialog filter: "Description (*.a *.b)".
  static QString FiltroQt(const QString& filtro);

  // The window the boxes and dialogs open centred on: `finestra` while `handler` runs
  // (a turn of the editor's), the main window otherwise, while they are shown.
  void ImpostaPrincipale(QWidget* principale) { m_principale = principale; }
  void ChiedeDa(QWidget* finestra, const std::function<void()>& handler);

 private:
  QWidget* Genitore() const;

  QPointer<QWidget> m_principale;
  QPointer<QWidget> m_chiede;
};

// Qt's own texts (the standard buttons, the file, font and colour dialogs) in Italian,
// like the game's, whatever the system's language: Debian's translation of Qt. Null
// when it is not installed; the caller installs what it gets and keeps it alive.
std::unique_ptr<QTranslator> TraduzioneQtItaliana();
