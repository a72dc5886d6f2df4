// The playfield as drawn: the banner and the high-score table really appear.
#include <gtest/gtest.h>

#include <QPainter>
#include <QRegion>

#include "game/Campo.h"
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

struct Disegno : ::testing::Test {
  Disegno() { b.Avvia(); }
  Banco b;
  ImmaginiIncorporate immagini;
  Pittore pittore{immagini};
};

TEST_F(Disegno, TheStartScreenShowsTheBannerAndTheTableAndAGameDrawsNothingHidden) {
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

// A long high-score name never covers another label, at any size of the window and in
// any label font: at the top it stops before "HI-SCORE", in the table before its own
// points, shortened with an ellipsis. Each label is drawn alone in white, the others in
// black, and where it really lit pixels is compared with where the others did.
TEST_F(Disegno, ALongHighScoreNameStopsShortOfTheLabelsBesideIt) {
  b.g.img_gameover.Visible = false;
  b.g.lbl_nomer.Caption = b.g.lbl_namer[1].Caption = "Ωmega Über Name 1234567890 abcdefghij";
  b.g.lbl_record.Caption = b.g.lbl_puntir[1].Caption = "1234567";
  b.g.lbl_livellor[1].Caption = "10";
  // Each line: the name, then the labels beside it.
  const std::vector<Etichetta*> linee[] = {
      {&b.g.lbl_nomer, &b.g.Label3, &b.g.lbl_record},
      {&b.g.lbl_namer[1], &b.g.lbl_puntir[1], &b.g.lbl_livellor[1]}};
  std::vector<Etichetta*> tutte;
  Campo::PerOgniEtichetta(b.g, [&](const Controllo&, int, Etichetta& e) { tutte.push_back(&e); });

  const auto acceso = [&](QSize area, const Etichetta* sola) {
    for (Etichetta* e : tutte) e->ForeColor = e == sola ? Rgb(255, 255, 255) : 0;
    QImage foto(area, QImage::Format_RGB32);
    QPainter p(&foto);
    pittore.DisegnaInArea(p, b.g, area, QRegion(foto.rect()));
    p.end();
    QRect dove;
    for (int y = 0; y < foto.height(); ++y) {
      const auto* pixel = reinterpret_cast<const QRgb*>(foto.constScanLine(y));
      for (int x = 0; x < foto.width(); ++x)
        if (qGray(pixel[x]) > 40) dove |= QRect(x, y, 1, 1);
    }
    return dove;
  };
  const Carattere fonts[] = {
      b.g.lbl_nomer.Font, {"DejaVu Serif", 16, true, true}, {"DejaVu Sans Mono", 9, false, false}};
  for (const Carattere& font : fonts) {
    for (Etichetta* e : tutte) e->Font = font;
    for (const QSize area : {QSize(420, 330), QSize(794, 548), QSize(1920, 1080)}) {
      for (const auto& linea : linee) {
        const QRect suo = acceso(area, linea[0]);
        for (size_t j = 1; j < linea.size(); ++j)
          EXPECT_FALSE(suo.intersects(acceso(area, linea[j])))
              << font.Name.toStdString() << " at " << area.width() << ": " << j;
        // The name is shortened, not dropped.
        EXPECT_GT(suo.width(), area.width() / 20) << font.Name.toStdString();
      }
    }
  }
}

}  // namespace
