// The built-in pictures: each one draws, fits its sprite and stays crisp.
#include "ui/ImmaginiIncorporate.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <array>

namespace {

// The sprite each picture is drawn on, in pixels at 1x (twips / 15).
constexpr std::array<QSize, ImmaginiIncorporate::Numero> Sprite = {{
    {41, 41},
    {41, 41},
    {41, 41},
    {41, 41},
    {41, 41},   // the five alien rows
    {9, 25},    // the player's shot
    {9, 17},    // an alien's shot
    {120, 80},  // the bonus ship
    {57, 33},   // the cannon
    {23, 15},   // a brick
    {400, 200},
    {400, 200},
    {400, 200},  // PAUSA, GAME OVER, NEXT LEVEL
}};

int PixelOpachi(const QImage& im) {
  int n = 0;
  for (int y = 0; y < im.height(); ++y)
    for (int x = 0; x < im.width(); ++x) n += qAlpha(im.pixel(x, y)) > 0;
  return n;
}

TEST(ImmaginiIncorporate, EachPictureHasTheProportionsOfItsSprite) {
  for (int n = 0; n < ImmaginiIncorporate::Numero; ++n)
    EXPECT_EQ(ImmaginiIncorporate::Dimensione(n), Sprite[n]) << "picture " << n;
}

TEST(ImmaginiIncorporate, EachPictureDrawsAtOneAndTwoTimesWithTransparentCorners) {
  for (int n = 0; n < ImmaginiIncorporate::Numero; ++n) {
    for (int scala : {1, 2}) {
      const QImage im = ImmaginiIncorporate::Rendi(n, Sprite[n] * scala);
      ASSERT_EQ(im.size(), Sprite[n] * scala) << "picture " << n << " at " << scala << "x";
      // Some shape, but not a filled rectangle: the black playfield shows around it.
      EXPECT_GT(PixelOpachi(im), im.width() * im.height() / 10) << "picture " << n;
      const int r = im.width() - 1, b = im.height() - 1;
      for (QPoint angolo : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
        EXPECT_EQ(qAlpha(im.pixel(angolo)), 0)
            << "picture " << n << " corner " << angolo.x() << "," << angolo.y();
    }
  }
}

// The artwork is drawn on the pixel grid of its natural size, so at 1x and 2x no edge
// is smeared across two pixels.
TEST(ImmaginiIncorporate, EdgesFallOnWholePixelsAtOneAndTwoTimes) {
  for (int n = 0; n < ImmaginiIncorporate::Numero; ++n) {
    for (int scala : {1, 2}) {
      const QImage im = ImmaginiIncorporate::Rendi(n, Sprite[n] * scala);
      int sfumati = 0;
      for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
          const int a = qAlpha(im.pixel(x, y));
          sfumati += a != 0 && a != 255;
        }
      EXPECT_EQ(sfumati, 0) << "picture " << n << " at " << scala << "x";
    }
  }
}

TEST(ImmaginiIncorporate, RowsShareDesignsAsTheDefaultCombinationWants) {
  auto rendi = [](int n) { return ImmaginiIncorporate::Rendi(n, {41, 41}); };
  EXPECT_EQ(rendi(0), rendi(1));  // first and second rows
  EXPECT_EQ(rendi(2), rendi(3));  // third and fourth rows
  EXPECT_NE(rendi(0), rendi(2));
  EXPECT_NE(rendi(0), rendi(4));
  EXPECT_NE(rendi(2), rendi(4));
}

TEST(ImmaginiIncorporate, TheThreeBannersReadDifferently) {
  const QSize dim(400, 200);
  const QImage pausa = ImmaginiIncorporate::Rendi(10, dim);
  const QImage gameOver = ImmaginiIncorporate::Rendi(11, dim);
  const QImage nextLevel = ImmaginiIncorporate::Rendi(12, dim);
  // Not just different colours: the lettering covers different pixels.
  auto forme = [](const QImage& im) { return im.createAlphaMask(); };
  EXPECT_NE(forme(pausa), forme(gameOver));
  EXPECT_NE(forme(pausa), forme(nextLevel));
  EXPECT_NE(forme(gameOver), forme(nextLevel));
}

TEST(ImmaginiIncorporate, StretchesToAnyRectangle) {
  // The life icons show the cannon at 25 x 17.
  const QImage vita = ImmaginiIncorporate::Rendi(8, {25, 17});
  ASSERT_EQ(vita.size(), QSize(25, 17));
  EXPECT_GT(PixelOpachi(vita), 0);

  // Disegna keeps to the rectangle it is given.
  QImage tela(100, 60, QImage::Format_ARGB32_Premultiplied);
  tela.fill(Qt::transparent);
  QPainter p(&tela);
  ImmaginiIncorporate::Disegna(p, 7, QRectF(20, 10, 60, 40));
  p.end();
  int dentro = 0, fuori = 0;
  for (int y = 0; y < tela.height(); ++y)
    for (int x = 0; x < tela.width(); ++x) {
      const bool opaco = qAlpha(tela.pixel(x, y)) > 0;
      (x >= 20 && x < 80 && y >= 10 && y < 50 ? dentro : fuori) += opaco;
    }
  EXPECT_GT(dentro, 0);
  EXPECT_EQ(fuori, 0);
}

TEST(ImmaginiIncorporate, ABadNumberOrAnEmptySizeGivesNothing) {
  EXPECT_TRUE(ImmaginiIncorporate::Rendi(-1, {10, 10}).isNull());
  EXPECT_TRUE(ImmaginiIncorporate::Rendi(ImmaginiIncorporate::Numero, {10, 10}).isNull());
  EXPECT_TRUE(ImmaginiIncorporate::Rendi(0, {0, 10}).isNull());
  EXPECT_FALSE(ImmaginiIncorporate::Dimensione(13).isValid());
  EXPECT_TRUE(ImmaginiIncorporate::Sorgente(-1).isEmpty());

  QImage tela(10, 10, QImage::Format_ARGB32_Premultiplied);
  tela.fill(Qt::transparent);
  QPainter p(&tela);
  ImmaginiIncorporate::Disegna(p, 99, QRectF(0, 0, 10, 10));
  p.end();
  EXPECT_EQ(PixelOpachi(tela), 0);
}

}  // namespace
