// The built-in pictures img_default(0..12) of the Default combination: our own SVG artwork.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

namespace ImmaginiIncorporate {

constexpr int Numero = 13;

// Picture n drawn at its natural size: the pixel size it was designed for at 1x,
// which has the proportions of the sprite it belongs to. Empty for a bad n.
QSize Dimensione(int n);

// Picture n rendered to exactly `pixel` device pixels on a transparent background.
// Each call draws the shapes anew, so callers cache the result. A null image for a
// bad n or an empty size.
QImage Rendi(int n, QSize pixel);

// Draws picture n stretched to `rettangolo` (in the painter's current coordinates).
// Does nothing for a bad n.
void Disegna(QPainter& p, int n, const QRectF& rettangolo);

// The SVG source of picture n, for tools that redraw the artwork in other colours.
QByteArray Sorgente(int n);

}  // namespace ImmaginiIncorporate
