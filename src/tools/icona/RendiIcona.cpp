// skarvex-rendi-icona: an SVG icon drawn as a square PNG of the given size, for the
// sizes desktops look up in the hicolor theme. Run by the build; not installed.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <charconv>
#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
  int lato = 0;
  if (argc != 4 ||
      std::from_chars(argv[3], argv[3] + std::strlen(argv[3]), lato).ec != std::errc() ||
      lato < 1 || lato > 1024) {
    std::cerr << "usage: skarvex-rendi-icona IN.svg OUT.png SIZE (1 to 1024)\n";
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::cerr << "skarvex-rendi-icona: cannot read " << argv[1] << "\n";
    return 1;
  }
  QImage icona(lato, lato, QImage::Format_ARGB32_Premultiplied);
  icona.fill(Qt::transparent);
  QPainter pittore(&icona);
  pittore.setRenderHint(QPainter::Antialiasing);
  svg.render(&pittore);
  pittore.end();
  if (!icona.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::cerr << "skarvex-rendi-icona: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
