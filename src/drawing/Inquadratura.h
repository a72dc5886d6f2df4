// Where the playfield stands in an area of any size: as large as fits with its own
// proportions, centred, with bars of the background colour on the other two sides.
// The model keeps its twips; only the drawing and the mapping of clicks go through
// this.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <cmath>

#include "model/ModelloMain.h"

struct Inquadratura {
  // The playfield's own size in logical pixels: 794 x 548.
  static constexpr QSizeF Naturale{LarghezzaCampo / TwipsPerPixel, AltezzaCampo / TwipsPerPixel};

  qreal fattore = 1;  // area pixels per playfield pixel
  QPointF origine;    // the playfield's top left in the area, on a whole pixel

  static Inquadratura Di(QSizeF area) {
    Inquadratura q;
    q.fattore =
        std::max(0.0, std::min(area.width() / Naturale.width(), area.height() / Naturale.height()));
    q.origine = QPointF(std::floor((area.width() - Naturale.width() * q.fattore) / 2),
                        std::floor((area.height() - Naturale.height() * q.fattore) / 2));
    return q;
  }

  // The playfield in the area.
  QRectF Campo() const { return Area(QRectF(QPointF(0, 0), Naturale)); }
  // A rectangle of the playfield's pixels in the area's.
  QRectF Area(const QRectF& r) const {
    return {origine + r.topLeft() * fattore, r.size() * fattore};
  }
  // A point of the area in the playfield's pixels (outside it when in a bar).
  QPointF NelCampo(QPointF punto) const {
    return fattore > 0 ? (punto - origine) / fattore : QPointF(-1, -1);
  }
};
