#include "editor/Anteprima.h"

#include <QPainter>

Anteprima::Anteprima(QWidget* genitore, const ImmaginiIncorporate& incorporate)
    : QWidget(genitore), m_incorporate(incorporate) {}

void Anteprima::Imposta(const Immagine& immagine) {
  m_immagine = immagine;
  update();
}

void Anteprima::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (m_immagine.Incorporata()) {
    const int n = m_immagine.Nome.mid(QStringLiteral("builtin:").size()).toInt();
    m_incorporate.Disegna(p, n, rect());
  } else if (!m_immagine.Dati.isNull()) {
    p.drawImage(rect(), m_immagine.Dati);
  } else {
    // No picture: what the playfield shows without a background picture.
    p.fillRect(rect(), Qt::black);
  }
}
