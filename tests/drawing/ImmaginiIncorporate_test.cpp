// The built-in pictures: each one draws, fits its sprite and stays crisp.
#include "drawing/ImmaginiIncorporate.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

// Pixels of `im` whose alpha satisfies `prova`, inside `dentro` when it is given.
template <class Prova>
int Pixel(const QImage& im, Prova prova, QRect dentro = {}) {
  int n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x)
      n += prova(qAlpha(im.pixel(x, y))) && (dentro.isNull() || dentro.contains(x, y));
  return n;
}

// Drawn on the pixel grid of its natural size, no edge is smeared across two pixels.
TEST(ImmaginiIncorporate, EachPictureDrawsCrispAtOneAndTwoTimesWithTransparentCorners) {
  const ImmaginiIncorporate immagini;
  for (int n = 0; n < ImmaginiIncorporate::Numero; ++n) {
    for (int scala : {1, 2}) {
      SCOPED_TRACE(QStringLiteral("picture %1 at %2x").arg(n).arg(scala).toStdString());
      const QImage im = immagini.Rendi(n, immagini.Dimensione(n) * scala);
      ASSERT_EQ(im.size(), immagini.Dimensione(n) * scala);
      // Some shape, but not a filled rectangle: the black playfield shows around it.
      EXPECT_GT(Pixel(im, [](int a) { return a > 0; }), im.width() * im.height() / 10);
      EXPECT_EQ(qAlpha(im.pixel(0, 0)) + qAlpha(im.pixel(im.width() - 1, im.height() - 1)), 0);
      EXPECT_EQ(Pixel(im, [](int a) { return a != 0 && a != 255; }), 0);
    }
  }
}

TEST(ImmaginiIncorporate, DisegnaKeepsToItsRectangleAndABadNumberDrawsNothing) {
  QImage tela(100, 60, QImage::Format_ARGB32_Premultiplied);
  tela.fill(Qt::transparent);
  QPainter p(&tela);
  const ImmaginiIncorporate immagini;
  immagini.Disegna(p, 7, QRectF(20, 10, 60, 40));
  immagini.Disegna(p, ImmaginiIncorporate::Numero, QRectF(0, 0, 100, 60));
  p.end();
  const auto opaco = [](int a) { return a > 0; };
  EXPECT_GT(Pixel(tela, opaco, QRect(20, 10, 60, 40)), 0);
  EXPECT_EQ(Pixel(tela, opaco), Pixel(tela, opaco, QRect(20, 10, 60, 40)));
  EXPECT_TRUE(immagini.Rendi(-1, {10, 10}).isNull());
  EXPECT_TRUE(immagini.Rendi(0, {0, 10}).isNull());
}

}  // namespace
