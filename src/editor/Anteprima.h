// A picture preview of the editor: the slot's picture stretched to the widget, or,
// for the window's background, drawn as the playfield draws it.
#pragma once

#include "drawing/ImmaginiIncorporate.h"
#include "model/Modello.h"

#include <QWidget>

class Anteprima final : public QWidget {
 public:
  Anteprima(QWidget* genitore, const ImmaginiIncorporate& incorporate);

  void Imposta(const Immagine& immagine);
  const Immagine& Picture() const { return m_immagine; }

  // The widget stands for a playfield `larghezza` pixels wide, scaled down: the
  // picture keeps its own size from the top left and what lies beyond is cut off.
  void ComeCampo(int larghezza) { m_campo = larghezza; }

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  Immagine m_immagine;
  const ImmaginiIncorporate& m_incorporate;
  int m_campo = 0;   // the playfield's width, 0 to stretch the picture
  QImage m_ridotta;  // the background picture at the preview's scale
};
