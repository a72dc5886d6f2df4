// The built-in pictures img_default(0..12) of the Default combination: our own SVG artwork.
// Whoever draws owns one set: each picture is read and parsed once, on its first use,
// and kept for the owner's life.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

#include <array>
#include <memory>

class QPainter;
class QSvgRenderer;

class ImmaginiIncorporate {
 public:
  static constexpr int Numero = 13;

  ImmaginiIncorporate();
  ~ImmaginiIncorporate();
  ImmaginiIncorporate(const ImmaginiIncorporate&) = delete;
  ImmaginiIncorporate& operator=(const ImmaginiIncorporate&) = delete;

  // Picture n drawn at its natural size: the pixel size it was designed for at 1x,
  // which has the proportions of the sprite it belongs to. Empty for a bad n.
  QSize Dimensione(int n) const;

  // Picture n rendered to exactly `pixel` device pixels on a transparent background.
  // Each call draws the shapes anew, so callers cache the result. A null image for a
  // bad n or an empty size.
  QImage Rendi(int n, QSize pixel) const;

  // Draws picture n stretched to `rettangolo` (in the painter's current coordinates).
  // Does nothing for a bad n.
  void Disegna(QPainter& p, int n, const QRectF& rettangolo) const;

  // The SVG source of picture n, for tools that redraw the artwork in other colours.
  QByteArray Sorgente(int n) const;

 private:
  QSvgRenderer& Renderer(int n) const;

  // Filled on first use; drawing leaves the pictures as they are, so a const owner
  // can draw.
  mutable std::array<QByteArray, Numero> m_sorgenti;
  mutable std::array<std::unique_ptr<QSvgRenderer>, Numero> m_renderer;
};
