#include "drawing/ImmaginiIncorporate.h"

#include <QFile>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

// Q_INIT_RESOURCE must be named outside any namespace; the resource lives in a static
// library, so nothing would pull it into the program without this call.
static void InizializzaRisorseImmagini() {
  Q_INIT_RESOURCE(immagini);
}

namespace {

// img_default(n) -> its file. The first and second alien rows share one design, and
// so do the third and fourth.
constexpr std::array<const char*, ImmaginiIncorporate::Numero> File = {
    "alieno_medusa.svg",     "alieno_medusa.svg", "alieno_scarabeo.svg",   "alieno_scarabeo.svg",
    "alieno_sentinella.svg", "proiettile.svg",    "proiettile_nemico.svg", "navicella_bonus.svg",
    "cannone.svg",           "mattoncino.svg",    "banner_pausa.svg",      "banner_gameover.svg",
    "banner_nextlevel.svg",
};

bool Valido(int n) {
  return n >= 0 && n < ImmaginiIncorporate::Numero;
}

}  // namespace

ImmaginiIncorporate::ImmaginiIncorporate() {
  InizializzaRisorseImmagini();
}

ImmaginiIncorporate::~ImmaginiIncorporate() = default;

QSvgRenderer& ImmaginiIncorporate::Renderer(int n) const {
  std::unique_ptr<QSvgRenderer>& renderer = m_renderer[n];
  if (!renderer) {
    renderer = std::make_unique<QSvgRenderer>(Sorgente(n));
    // Pictures are stretched to their sprite's rectangle, whatever its proportions.
    renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
  }
  return *renderer;
}

QSize ImmaginiIncorporate::Dimensione(int n) const {
  if (!Valido(n)) return {};
  return Renderer(n).defaultSize();
}

QImage ImmaginiIncorporate::Rendi(int n, QSize pixel) const {
  if (!Valido(n) || pixel.isEmpty()) return {};
  QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
  immagine.fill(Qt::transparent);
  QPainter p(&immagine);
  Renderer(n).render(&p, QRectF(QPointF(0, 0), QSizeF(pixel)));
  return immagine;
}

void ImmaginiIncorporate::Disegna(QPainter& p, int n, const QRectF& rettangolo) const {
  if (!Valido(n)) return;
  Renderer(n).render(&p, rettangolo);
}

QByteArray ImmaginiIncorporate::Sorgente(int n) const {
  if (!Valido(n)) return {};
  QByteArray& sorgente = m_sorgenti[n];
  if (sorgente.isNull()) {
    QFile file(QStringLiteral(":/immagini/") + QLatin1String(File[n]));
    if (file.open(QIODevice::ReadOnly)) sorgente = file.readAll();
  }
  return sorgente;
}
