// The playfield as drawn: the banner and the high-score table really appear.
#include <gtest/gtest.h>

#include "support/Banco.h"
#include "drawing/Disegno.h"
#include "drawing/ImmaginiIncorporate.h"

namespace {

// Pixels of `immagine` inside a rectangle given in twips that satisfy `prova`.
template <class Prova>
int Conta(const QImage& immagine, QRectF twips, Prova prova) {
  const qreal scala = immagine.devicePixelRatio() / TwipsPerPixel;
  const QRect r(QPointF(twips.topLeft() * scala).toPoint(),
                QPointF(twips.bottomRight() * scala).toPoint());
  int n = 0;
  for (int y = r.top(); y < r.bottom(); ++y) {
    for (int x = r.left(); x < r.right(); ++x) n += prova(immagine.pixelColor(x, y));
  }
  return n;
}

bool Verde(const QColor& c) {
  return c.green() > 150 && c.red() < 80 && c.blue() < 80;
}
bool Acceso(const QColor& c) {
  return c.red() + c.green() + c.blue() > 60;
}

const QRectF Banner(3000, 600, 6000, 3000);
const QRectF Tabella(3360, 3720, 4800, 4200);

TEST(Disegno, TheStartScreenShowsTheBannerAndTheTableAndAGameDrawsNothingHidden) {
  Banco b;
  b.Avvia();
  ImmaginiIncorporate immagini;
  Pittore pittore{immagini};
  for (qreal scala : {1.0, 2.0}) {
    const QImage foto = pittore.Fotografa(b.g, scala);
    EXPECT_EQ(foto.size(), QSize(794, 548) * scala);
    EXPECT_GT(Conta(foto, Banner, Acceso), 0.05 * 400 * 200 * scala * scala) << scala;
    EXPECT_GT(Conta(foto, Tabella, Verde), 200 * scala * scala) << scala;
  }
  b.frm.img_gameover_Click();  // hides the banner and the table
  const QImage foto = pittore.Fotografa(b.g);
  EXPECT_EQ(Conta(foto, QRectF(3000, 4500, 6000, 1800), Acceso), 0);
  EXPECT_GT(Conta(foto, QRectF(1080, 3720, 615, 615), Acceso), 100);  // an alien of the bottom row
}

}  // namespace
