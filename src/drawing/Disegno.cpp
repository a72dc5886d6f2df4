#include "drawing/Disegno.h"

#include <QPainter>

#include <cmath>

#include "game/Campo.h"
#include "model/Gioco.h"
#include "drawing/Caratteri.h"
#include "drawing/ImmaginiIncorporate.h"

namespace {

constexpr qreal Pixel = TwipsPerPixel;
// The cache starts afresh past either bound, so pictures of combinations no longer in use
// don't stay for the rest of the run: a full-size background at 2x is about 8 MB.
constexpr int MassimoPixmap = 512;
constexpr qint64 MassimoBytePixmap = 64 * 1024 * 1024;

QString ChiaveFont(const Carattere& c) {
  return QStringLiteral("%1|%2|%3|%4").arg(c.Name).arg(c.Size).arg(c.Bold).arg(c.Italic);
}

}  // namespace

QRectF Pittore::Rettangolo(const Sprite& s) {
  return {s.Left / Pixel, s.Top / Pixel, s.Width / Pixel, s.Height / Pixel};
}

QImage Pittore::Fotografa(const Gioco& g, qreal scala) {
  const QSize logica(static_cast<int>(LarghezzaCampo / Pixel),
                     static_cast<int>(AltezzaCampo / Pixel));
  QImage immagine(logica * scala, QImage::Format_ARGB32_Premultiplied);
  immagine.setDevicePixelRatio(scala);
  immagine.fill(Qt::black);
  QPainter p(&immagine);
  Disegna(p, g);
  return immagine;
}

void Pittore::Disegna(QPainter& p, const Gioco& g) {
  // Pictures are made at the size they take on the device, so they stay sharp at any
  // scale: the device's own ratio times the painter's scaling.
  m_scala = (p.device() ? p.device()->devicePixelRatioF() : 1.0) * p.worldTransform().m11();
  if (g.GenerazioneFont != m_generazioneFont) {  // a font was installed: look the families up again
    m_font.clear();
    m_generazioneFont = g.GenerazioneFont;
  }
  p.fillRect(QRectF(0, 0, LarghezzaCampo / Pixel, AltezzaCampo / Pixel), Qt::black);

  // The window's background picture stands at its own size at the top left.
  if (!g.Picture.Vuota() && !g.Picture.Dati.isNull()) {
    const QSizeF naturale = g.Picture.Dati.size();
    const QSize pixel(static_cast<int>(naturale.width() * m_scala),
                      static_cast<int>(naturale.height() * m_scala));
    p.drawPixmap(QRectF(QPointF(0, 0), naturale), PixmapDi(g.Picture, pixel),
                 QRectF(QPointF(0, 0), pixel));
  }

  // The sprites in their stacking order (walls at the bottom, banners on top), then
  // the labels.
  Campo::PerOgniDisegnato(
      g, [&](const Sprite& s) { DisegnaSprite(p, s); },
      [&](const Etichetta& e) { DisegnaEtichetta(p, e); });
}

void Pittore::DisegnaSprite(QPainter& p, const Sprite& s) {
  if (!s.Visible || s.Picture.Vuota() || s.Width <= 0 || s.Height <= 0) return;
  const QRectF rettangolo = Rettangolo(s);
  const QSize pixel(std::max(1, static_cast<int>(std::lround(rettangolo.width() * m_scala))),
                    std::max(1, static_cast<int>(std::lround(rettangolo.height() * m_scala))));
  p.drawPixmap(rettangolo, PixmapDi(s.Picture, pixel), QRectF(QPointF(0, 0), pixel));
}

void Pittore::DisegnaEtichetta(QPainter& p, const Etichetta& e) {
  if (!e.Visible || e.Caption.isEmpty()) return;
  // Labels are not clipped to their width: the text grows away from the edge it
  // is aligned to, so longer scores and names stay whole.
  constexpr qreal Largo = 2000;
  const qreal left = e.Left / Pixel, top = e.Top / Pixel, width = e.Width / Pixel,
              height = e.Height / Pixel;
  QRectF spazio;
  int allineamento = Qt::AlignTop | Qt::TextDontClip;
  switch (e.Alignment) {
    case Allineamento::Sinistra:
      spazio = QRectF(left, top, Largo, height);
      allineamento |= Qt::AlignLeft;
      break;
    case Allineamento::Destra:
      spazio = QRectF(left + width - Largo, top, Largo, height);
      allineamento |= Qt::AlignRight;
      break;
    case Allineamento::Centro:
      spazio = QRectF(left + width / 2 - Largo / 2, top, Largo, height);
      allineamento |= Qt::AlignHCenter;
      break;
  }
  p.setFont(FontDi(e.Font));
  p.setPen(Caratteri::ColoreQt(e.ForeColor));
  p.drawText(spazio, allineamento, e.Caption);
}

const QPixmap& Pittore::PixmapDi(const Immagine& immagine, QSize pixel) {
  const QString chiave =
      QStringLiteral("%1@%2x%3").arg(immagine.Nome).arg(pixel.width()).arg(pixel.height());
  auto it = m_pixmap.constFind(chiave);
  if (it != m_pixmap.constEnd()) return *it;
  if (m_pixmap.size() >= MassimoPixmap || m_bytePixmap >= MassimoBytePixmap) {
    m_pixmap.clear();
    m_bytePixmap = 0;
  }

  QImage resa;
  if (immagine.Incorporata()) {
    resa = m_immagini.Rendi(immagine.Nome.mid(8).toInt(), pixel);
  } else if (!immagine.Dati.isNull()) {
    resa = immagine.Dati.size() == pixel
               ? immagine.Dati
               : immagine.Dati.scaled(pixel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  m_bytePixmap += resa.sizeInBytes();
  return *m_pixmap.insert(chiave, QPixmap::fromImage(std::move(resa)));
}

const QFont& Pittore::FontDi(const Carattere& carattere) {
  const QString chiave = ChiaveFont(carattere);
  auto it = m_font.constFind(chiave);
  if (it != m_font.constEnd()) return *it;
  return *m_font.insert(chiave, Caratteri::FontQt(carattere));
}
