#include "drawing/Disegno.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegion>

#include <cmath>

#include "game/Campo.h"
#include "model/Gioco.h"
#include "drawing/Caratteri.h"
#include "drawing/ImmaginiIncorporate.h"
#include "drawing/Inquadratura.h"

namespace {

constexpr qreal Pixel = TwipsPerPixel;
// The cache starts afresh past either bound, so pictures of combinations no longer in use
// don't stay for the rest of the run: a full-size background at 2x is about 8 MB.
constexpr int MassimoPixmap = 512;
constexpr qint64 MassimoBytePixmap = 64 * 1024 * 1024;
constexpr int MassimoFont = 64;
constexpr int MassimoTesti = 256;

QString ChiaveFont(const Carattere& c, qreal fattore) {
  return QStringLiteral("%1|%2|%3|%4|%5")
      .arg(c.Name)
      .arg(c.Size)
      .arg(c.Bold)
      .arg(c.Italic)
      .arg(fattore);
}

}  // namespace

QRectF Pittore::Rettangolo(const Sprite& s) {
  return {s.Left / Pixel, s.Top / Pixel, s.Width / Pixel, s.Height / Pixel};
}

QImage Pittore::Fotografa(const Gioco& g, qreal scala) {
  const QSize logica = Inquadratura::Naturale.toSize();
  QImage immagine(logica * scala, QImage::Format_ARGB32_Premultiplied);
  immagine.setDevicePixelRatio(scala);
  immagine.fill(Qt::black);
  QPainter p(&immagine);
  Disegna(p, g);
  return immagine;
}

void Pittore::DisegnaInArea(QPainter& p, const Gioco& g, QSize area, const QRegion& daRifare) {
  const Inquadratura posto = Inquadratura::Di(area);
  const QRectF campo = posto.Campo();
  // The bars: all but the playfield's whole pixels, which it paints itself.
  const QRect interno(campo.topLeft().toPoint(),
                      QSize(static_cast<int>(campo.width()), static_cast<int>(campo.height())));
  for (const QRect& barra : daRifare.subtracted(interno)) p.fillRect(barra, Qt::black);
  p.save();
  p.translate(posto.origine);
  p.scale(posto.fattore, posto.fattore);
  // Sprites off the playfield (the bonus ship waiting past the right edge) stay out of
  // the bars.
  p.setClipRect(QRectF(QPointF(0, 0), Inquadratura::Naturale), Qt::IntersectClip);
  Disegna(p, g);
  p.restore();
}

void Pittore::Disegna(QPainter& p, const Gioco& g) {
  // Everything is placed in the device's own coordinates: pictures made at the size
  // they take there are copied pixel for pixel, and labels are set in fonts of the
  // scaled size. The painter's scaling only says where and how large.
  const QTransform posto = p.worldTransform();
  m_rapporto = p.device() ? p.device()->devicePixelRatioF() : 1.0;
  p.setWorldTransform(QTransform());
  if (g.GenerazioneFont != m_generazioneFont) {  // a font was installed: look the families up again
    m_font.clear();
    m_testi.clear();
    m_nomi.clear();
    m_generazioneFont = g.GenerazioneFont;
  }
  p.fillRect(posto.mapRect(QRectF(QPointF(0, 0), Inquadratura::Naturale)), Qt::black);

  // The window's background picture stands at its own size at the top left.
  if (!g.Picture.Vuota() && !g.Picture.Dati.isNull())
    DisegnaImmagine(p, posto.mapRect(QRectF(QPointF(0, 0), g.Picture.Dati.size())), g.Picture);

  // The sprites in their stacking order (walls at the bottom, banners on top), then
  // the labels.
  Campo::PerOgniDisegnato(
      g,
      [&](const Sprite& s) {
        if (s.Visible && !s.Picture.Vuota() && s.Width > 0 && s.Height > 0)
          DisegnaImmagine(p, posto.mapRect(Rettangolo(s)), s.Picture);
      },
      [&](const Etichetta& e) { DisegnaEtichetta(p, g, e, posto); });
  p.setWorldTransform(posto);
}

void Pittore::DisegnaImmagine(QPainter& p, const QRectF& dove, const Immagine& immagine) {
  const QSize pixel(std::max(1, static_cast<int>(std::lround(dove.width() * m_rapporto))),
                    std::max(1, static_cast<int>(std::lround(dove.height() * m_rapporto))));
  p.drawPixmap(dove.topLeft(), PixmapDi(immagine, pixel));
}

Pittore::Posa Pittore::PosaDi(const Etichetta& e, const QTransform& posto) {
  // Labels are not clipped to their width: the text grows away from the edge it
  // is aligned to, so longer scores stay whole.
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
  return {posto.mapRect(spazio), allineamento};
}

QRectF Pittore::Scritto(const Etichetta& e, const QTransform& posto) {
  const Posa posa = PosaDi(e, posto);
  return QFontMetricsF(FontDi(e.Font, posto.m11()))
      .boundingRect(posa.dove, posa.allineamento, e.Caption);
}

// A high-score name stops a blank short of its neighbour on the line and is elided
// where it does not fit before it: the best name, which grows leftwards, before
// "HI-SCORE"; a table row's name, which grows rightwards, before its points. The
// model keeps the whole name; only the drawing shortens it.
QString Pittore::TestoDisegnato(const Gioco& g, const Etichetta& e, const Posa& posa,
                                const QTransform& posto) {
  const Etichetta* vicino = &e == &g.lbl_nomer ? &g.Label3 : nullptr;
  for (size_t i = 1; i < g.lbl_namer.size() && !vicino; ++i)
    if (&e == &g.lbl_namer[i]) vicino = &g.lbl_puntir[i];
  if (!vicino) return e.Caption;
  // Measured again only when either label or the scale changed.
  NomeDisegnato& nome = m_nomi[&e];
  if (nome.nome == e && nome.vicino == *vicino && nome.fattore == posto.m11()) return nome.testo;
  nome = {e, *vicino, posto.m11(), e.Caption};

  const QFontMetricsF metrica(FontDi(e.Font, posto.m11()));
  const QRectF confine = Scritto(*vicino, posto);
  const qreal largo = (e.Alignment == Allineamento::Destra ? posa.dove.right() - confine.right()
                                                           : confine.left() - posa.dove.left()) -
                      metrica.horizontalAdvance(QLatin1Char(' '));
  if (metrica.horizontalAdvance(e.Caption) <= largo) return nome.testo;
  // Not even the ellipsis fits with the largest fonts: nothing is drawn then.
  const QString elisa = metrica.elidedText(e.Caption, Qt::ElideRight, largo);
  nome.testo = metrica.horizontalAdvance(elisa) <= largo ? elisa : QString();
  return nome.testo;
}

void Pittore::DisegnaEtichetta(QPainter& p, const Gioco& g, const Etichetta& e,
                               const QTransform& posto) {
  if (!e.Visible || e.Caption.isEmpty()) return;
  const Posa posa = PosaDi(e, posto);
  const QString testo = TestoDisegnato(g, e, posa, posto);
  if (testo.isEmpty()) return;
  const Testo& disegno = TestoDi(e, testo, posto.m11(), posa.dove.size(), posa.allineamento);
  p.drawImage(posa.dove.topLeft() + disegno.scarto, disegno.immagine);
}

// Glyphs past the font cache's size (64 pixels: a label at 4x) would be drawn as
// outlines every frame, so each label's text is drawn once into a picture of its own,
// which later frames copy as they copy the sprites'.
const Pittore::Testo& Pittore::TestoDi(const Etichetta& e, const QString& caption, qreal fattore,
                                       QSizeF spazio, int allineamento) {
  const QString chiave = QStringLiteral("%1|%2|%3|%4x%5/%6|")
                             .arg(ChiaveFont(e.Font, fattore))
                             .arg(e.ForeColor)
                             .arg(allineamento)
                             .arg(spazio.width())
                             .arg(spazio.height())
                             .arg(m_rapporto) +
                         caption;
  auto it = m_testi.constFind(chiave);
  if (it != m_testi.constEnd()) return *it;
  if (m_testi.size() >= MassimoTesti) m_testi.clear();

  const QFont& font = FontDi(e.Font, fattore);
  // Room around the text's box for what overhangs it (italics, accents).
  const qreal margine = std::ceil(QFontMetricsF(font).height() / 4) + 1;
  const QRectF riquadro = QFontMetricsF(font)
                              .boundingRect(QRectF(QPointF(0, 0), spazio), allineamento, caption)
                              .adjusted(-margine, -margine, margine, margine);
  Testo testo;
  testo.scarto = QPointF(std::floor(riquadro.left()), std::floor(riquadro.top()));
  testo.immagine = QImage((riquadro.size() * m_rapporto).toSize() + QSize(2, 2),
                          QImage::Format_ARGB32_Premultiplied);
  testo.immagine.setDevicePixelRatio(m_rapporto);
  testo.immagine.fill(Qt::transparent);
  QPainter p(&testo.immagine);
  p.setFont(font);
  p.setPen(Caratteri::ColoreQt(e.ForeColor));
  p.drawText(QRectF(-testo.scarto, spazio), allineamento, caption);
  p.end();
  return *m_testi.insert(chiave, std::move(testo));
}

const QPixmap& Pittore::PixmapDi(const Immagine& immagine, QSize pixel) {
  const QString chiave = QStringLiteral("%1@%2x%3/%4")
                             .arg(immagine.Nome)
                             .arg(pixel.width())
                             .arg(pixel.height())
                             .arg(m_rapporto);
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
  resa.setDevicePixelRatio(m_rapporto);
  m_bytePixmap += resa.sizeInBytes();
  return *m_pixmap.insert(chiave, QPixmap::fromImage(std::move(resa)));
}

const QFont& Pittore::FontDi(const Carattere& carattere, qreal fattore) {
  const QString chiave = ChiaveFont(carattere, fattore);
  auto it = m_font.constFind(chiave);
  if (it != m_font.constEnd()) return *it;
  if (m_font.size() >= MassimoFont) m_font.clear();  // the sizes a resized window went through
  QFont font = Caratteri::FontQt(carattere);
  if (fattore != 1)
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * fattore))));
  return *m_font.insert(chiave, font);
}
