// The game's dialogs as Qt's modal message boxes, input boxes and common dialogs.
#pragma once

#include <QPointer>
#include <QWidget>

#include "seams/Dialoghi.h"

class DialoghiQt final : public Dialoghi {
 public:
  Risposta MsgBox(const QString& testo, Pulsanti pulsanti, Icona icona,
                  const QString& titolo) override;
  QString InputBox(const QString& prompt, const QString& titolo,
                   const QString& predefinito) override;
  QString PasswordBox(const QString& prompt, const QString& titolo) override;
  std::optional<QString> ApriFile(const RichiestaFile& richiesta) override;
  std::optional<Carattere> ScegliFont(const Carattere& iniziale) override;
  std::optional<uint32_t> ScegliColore() override;

  // "Description|*.a;*.b" as a Qt file-dialog filter: "Description (*.a *.b)".
  static QString FiltroQt(const QString& filtro);
};
