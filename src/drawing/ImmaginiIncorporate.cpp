#include "drawing/ImmaginiIncorporate.h"

#include <QFile>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <array>
#include <memory>

// Q_INIT_RESOURCE must be named outside any namespace; the resource lives in a static
// library, so nothing would pull it into the program without this call.
static void InizializzaRisorseImmagini() {
  Q_INIT_RESOURCE(immagini);
}

namespace ImmaginiIncorporate {
namespace {

// img_default(n) -> its file. The first and second alien rows share one design, and
// so do the third and fourth.
constexpr std::array<const char*, Numero> File = {
    "alieno_medusa.svg",     "alieno_medusa.svg", "alieno_scarabeo.svg",   "alieno_scarabeo.svg",
    "alieno_sentinella.svg", "proiettile.svg",    "proiettile_nemico.svg", "navicella_bonus.svg",
    "cannone.svg",           "mattoncino.svg",    "banner_pausa.svg",      "banner_gameover.svg",
    "banner_nextlevel.svg",
};

bool Valido(int n) {
  return n >= 0 && n < Numero;
}

// Each picture is read and parsed once, on first use, and kept for the program's life.
struct Archivio {
  std::array<QByteArray, Numero> sorgenti;
  std::array<std::unique_ptr<QSvgRenderer>, Numero> renderer;

  Archivio() {
    InizializzaRisorseImmagini();
    for (int n = 0; n < Numero; ++n) {
      QFile file(QStringLiteral(":/immagini/") + QLatin1String(File[n]));
      if (file.open(QIODevice::ReadOnly)) sorgenti[n] = file.readAll();
      renderer[n] = std::make_unique<QSvgRenderer>(sorgenti[n]);
      // Pictures are stretched to their sprite's rectangle, whatever its proportions.
      renderer[n]->setAspectRatioMode(Qt::IgnoreAspectRatio);
    }
  }
};

Archivio& Immagini() {
  static Archivio archivio;
  return archivio;
}

}  // namespace

QSize Dimensione(int n) {
  if (!Valido(n)) return {};
  return Immagini().renderer[n]->defaultSize();
}

QImage Rendi(int n, QSize pixel) {
  if (!Valido(n) || pixel.isEmpty()) return {};
  QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
  immagine.fill(Qt::transparent);
  QPainter p(&immagine);
  Immagini().renderer[n]->render(&p, QRectF(QPointF(0, 0), QSizeF(pixel)));
  return immagine;
}

void Disegna(QPainter& p, int n, const QRectF& rettangolo) {
  if (!Valido(n)) return;
  Immagini().renderer[n]->render(&p, rettangolo);
}

QByteArray Sorgente(int n) {
  if (!Valido(n)) return {};
  return Immagini().sorgenti[n];
}

}  // namespace ImmaginiIncorporate
