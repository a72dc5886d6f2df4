#include "tools/demo/Quadri.h"

#include "drawing/ImmaginiIncorporate.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <cstdint>

namespace QuadriDemo {
namespace {

// How each slot's colours turn for the night: a turn of the hue in degrees and
// factors on the saturation and the brightness. The five alien rows each get their
// own colours, though the built-in art shares a design between two rows.
struct Tinta {
  int giro;
  double saturazione;
  double luce;
};
constexpr std::array<Tinta, ImmaginiIncorporate::Numero> Tinte = {{
    {160, 1.0, 1.0},   // first row: magenta jellyfish -> sea green
    {240, 1.0, 1.0},   // second row: -> sky blue
    {140, 0.9, 1.15},  // third row: orange beetle -> teal
    {250, 0.9, 1.2},   // fourth row: -> violet
    {100, 1.0, 1.0},   // fifth row: cyan sentinel -> purple
    {180, 0.7, 1.0},   // player's shot: a pale blue beam
    {120, 1.0, 1.0},   // aliens' shot: red -> green
    {220, 0.9, 1.0},   // bonus ship: red saucer -> blue, glass -> gold
    {80, 0.8, 1.0},    // cannon: green -> steel blue
    {200, 0.35, 1.0},  // brick: -> grey-blue stone
    {190, 0.45, 1.1},  // "PAUSA": -> moonlight blue
    {300, 1.0, 1.2},   // "GAME OVER": -> pink
    {0, 0.4, 1.0},     // "NEXT LEVEL": cyan -> silver
}};

QColor Notturno(const QColor& colore, const Tinta& tinta) {
  int h = 0, s = 0, v = 0;
  colore.getHsv(&h, &s, &v);
  if (h < 0) return colore;  // greys stay grey
  auto limita = [](double x) { return std::min(255, static_cast<int>(x)); };
  return QColor::fromHsv((h + tinta.giro) % 360, limita(s * tinta.saturazione),
                         limita(v * tinta.luce));
}

QByteArray Ricolora(const QByteArray& svg, const Tinta& tinta) {
  static const QRegularExpression esadecimale(QStringLiteral("#[0-9a-fA-F]{6}"));
  QString testo = QString::fromUtf8(svg);
  QString risultato;
  qsizetype dopo = 0;
  for (const QRegularExpressionMatch& m : esadecimale.globalMatch(testo)) {
    risultato += QStringView(testo).mid(dopo, m.capturedStart() - dopo);
    risultato += Notturno(QColor(m.captured()), tinta).name();
    dopo = m.capturedEnd();
  }
  risultato += QStringView(testo).mid(dopo);
  return risultato.toUtf8();
}

QByteArray Codifica(const QImage& immagine, const char* formato, int qualita) {
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  immagine.save(&buffer, formato, qualita);
  return byte;
}

// A fixed sequence of numbers: the sky looks scattered yet is the same on every build.
struct Sequenza {
  uint32_t stato;
  uint32_t Prossimo() {  // xorshift32
    stato ^= stato << 13;
    stato ^= stato >> 17;
    stato ^= stato << 5;
    return stato;
  }
  double Reale() { return (Prossimo() >> 8) / double(1u << 24); }  // 0..1
};

}  // namespace

QByteArray Immagine(const ImmaginiIncorporate& originali, int slot) {
  if (slot < 0 || slot >= ImmaginiIncorporate::Numero) return {};
  QSvgRenderer renderer(Ricolora(originali.Sorgente(slot), Tinte[slot]));
  renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
  QImage immagine(originali.Dimensione(slot) * 2, QImage::Format_ARGB32);
  immagine.fill(Qt::transparent);
  QPainter p(&immagine);
  renderer.render(&p, QRectF(immagine.rect()));
  p.end();
  return Codifica(immagine, "PNG", -1);
}

QByteArray Sfondo() {
  constexpr int L = 800, A = 600;
  QImage cielo(L, A, QImage::Format_RGB32);
  QPainter p(&cielo);
  p.setRenderHint(QPainter::Antialiasing);

  QLinearGradient notte(0, 0, 0, A);
  notte.setColorAt(0, QColor(8, 12, 44));
  notte.setColorAt(0.6, QColor(4, 6, 22));
  notte.setColorAt(1, QColor(2, 2, 8));
  p.fillRect(cielo.rect(), notte);

  // A faint band of distant stars across the sky.
  p.save();
  p.translate(400, 260);
  p.rotate(-18);
  QRadialGradient via(0, 0, 420);
  via.setColorAt(0, QColor(70, 60, 120, 60));
  via.setColorAt(1, QColor(70, 60, 120, 0));
  p.scale(1, 0.22);
  p.setPen(Qt::NoPen);
  p.setBrush(via);
  p.drawEllipse(QPointF(0, 0), 420, 420);
  p.restore();

  Sequenza caso{0x5eed1234u};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 420; ++i) {
    const double x = caso.Reale() * L;
    const double y = caso.Reale() * A * 0.92;
    const double luce = 0.25 + 0.75 * caso.Reale() * caso.Reale();
    const double r = luce > 0.8 ? 1.3 : 0.7;
    const int tono = static_cast<int>(caso.Prossimo() % 3);  // bluish, white, yellowish
    const QColor colore = tono == 0   ? QColor(170, 190, 255)
                          : tono == 1 ? QColor(255, 255, 255)
                                      : QColor(255, 240, 200);
    p.setBrush(QColor(colore.red(), colore.green(), colore.blue(), static_cast<int>(255 * luce)));
    p.drawEllipse(QPointF(x, y), r, r);
  }

  // A crescent moon with a soft halo, up on the right away from the score line.
  const QPointF centro(650, 120);
  QRadialGradient alone(centro, 110);
  alone.setColorAt(0, QColor(200, 210, 255, 70));
  alone.setColorAt(1, QColor(200, 210, 255, 0));
  p.setBrush(alone);
  p.drawEllipse(centro, 110, 110);
  QPainterPath luna;
  luna.addEllipse(centro, 42, 42);
  QPainterPath ombra;
  ombra.addEllipse(centro + QPointF(18, -10), 38, 38);
  p.setBrush(QColor(255, 248, 215));
  p.drawPath(luna.subtracted(ombra));

  // Dark hills along the bottom, behind the cannon and the walls.
  QPainterPath colline(QPointF(0, A));
  colline.lineTo(0, 540);
  colline.cubicTo(120, 500, 220, 560, 330, 530);
  colline.cubicTo(450, 495, 540, 555, 660, 520);
  colline.cubicTo(720, 505, 770, 515, 800, 525);
  colline.lineTo(L, A);
  colline.closeSubpath();
  p.setBrush(QColor(6, 8, 20));
  p.drawPath(colline);
  p.end();

  return Codifica(cielo, "JPG", 85);
}

}  // namespace QuadriDemo
