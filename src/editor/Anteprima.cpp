#include "editor/Anteprima.h"

#include <QPainter>

Anteprima::Anteprima(QWidget* genitore, const ImmaginiIncorporate& incorporate)
    : QWidget(genitore), m_incorporate(incorporate) {}

void Anteprima::Imposta(const Immagine& immagine) {
  m_immagine = immagine;
  m_ridotta = QImage();
  update();
}

void Anteprima::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (m_immagine.Incorporata()) {
    const int n = m_immagine.Nome.mid(QStringLiteral("builtin:").size()).toInt();
    m_incorporate.Disegna(p, n, rect());
  } else if (m_immagine.Dati.isNull()) {
    // No picture: what the playfield shows without a background picture.
    p.fillRect(rect(), Qt::black);
  } else if (m_campo > 0) {
    // Scaled once: a big background would be scaled down again at every hover.
    const QSize ridotta = (QSizeF(m_immagine.Dati.size()) * width() / m_campo).toSize();
    if (m_ridotta.size() != ridotta)
      m_ridotta = m_immagine.Dati.scaled(ridotta.expandedTo({1, 1}), Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
    p.fillRect(rect(), Qt::black);
    p.drawImage(QPointF(0, 0), m_ridotta);
  } else {
    p.drawImage(rect(), m_immagine.Dati);
  }
}
