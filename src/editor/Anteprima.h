// A picture preview of the editor: the slot's picture stretched to the widget.
#pragma once

#include "drawing/ImmaginiIncorporate.h"
#include "model/Modello.h"

#include <QWidget>

class Anteprima final : public QWidget {
 public:
  Anteprima(QWidget* genitore, const ImmaginiIncorporate& incorporate);

  void Imposta(const Immagine& immagine);
  const Immagine& Picture() const { return m_immagine; }

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  Immagine m_immagine;
  const ImmaginiIncorporate& m_incorporate;
};
