// Drawing the playfield in one pass: the background picture, the sprites in a fixed
// stacking order, then the labels. Positions are twips; the painter works in
// logical pixels, 15 twips each, scaled by its own transform when the playfield is
// shown larger or smaller. Scaled pictures are cached by (picture, size).
#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPixmap>

#include "model/Modello.h"

class Gioco;
class ImmaginiIncorporate;
class QPainter;
class QTransform;
class QRegion;

class Pittore {
 public:
  // Draws the built-in pictures from `immagini`, which the caller owns and keeps alive.
  explicit Pittore(const ImmaginiIncorporate& immagini) : m_immagini(immagini) {}

  // Draws the client area with the painter's origin at its top left; a painter scaled
  // (evenly on both axes) gets the pictures made at the scaled size.
  void Disegna(QPainter& p, const Gioco& g);
  // Draws the client area into an area of any size: as large as fits, centred between
  // black bars (drawn where they meet `daRifare`), clipped to its own edges.
  void DisegnaInArea(QPainter& p, const Gioco& g, QSize area, const QRegion& daRifare);
  // The client area as drawn at `scala` device pixels per logical pixel.
  QImage Fotografa(const Gioco& g, qreal scala = 1.0);

  // The rectangle of a sprite in logical pixels.
  static QRectF Rettangolo(const Sprite& s);

 private:
  // A picture stretched over `dove`, in device-independent pixels of an unscaled painter.
  void DisegnaImmagine(QPainter& p, const QRectF& dove, const Immagine& immagine);
  // Where a label's text goes, in the device's coordinates: the space it is aligned in.
  struct Posa {
    QRectF dove;
    int allineamento = 0;
  };
  static Posa PosaDi(const Etichetta& e, const QTransform& posto);
  // The rectangle a label's whole caption takes.
  QRectF Scritto(const Etichetta& e, const QTransform& posto);
  // What is drawn of a label's caption: all of it, or of a high-score name what fits.
  QString TestoDisegnato(const Gioco& g, const Etichetta& e, const Posa& posa,
                         const QTransform& posto);
  void DisegnaEtichetta(QPainter& p, const Gioco& g, const Etichetta& e, const QTransform& posto);
  const QPixmap& PixmapDi(const Immagine& immagine, QSize pixel);
  struct Testo {
    QImage immagine;
    QPointF scarto;  // its top left from the label's own
  };
  const Testo& TestoDi(const Etichetta& e, const QString& caption, qreal fattore, QSizeF spazio,
                       int allineamento);
  // The label font, its size scaled by `fattore`.
  const QFont& FontDi(const Carattere& carattere, qreal fattore);

  const ImmaginiIncorporate& m_immagini;
  QHash<QString, QPixmap> m_pixmap;
  qint64 m_bytePixmap = 0;  // the pictures' size in m_pixmap
  QHash<QString, QFont> m_font;
  QHash<QString, Testo> m_testi;
  // What was drawn of each high-score name, beside what it was measured against.
  struct NomeDisegnato {
    Etichetta nome, vicino;
    qreal fattore = 0;
    QString testo;
  };
  QHash<const Etichetta*, NomeDisegnato> m_nomi;
  qreal m_rapporto = 1.0;  // the device's pixels per logical pixel
  int m_generazioneFont = 0;
};
