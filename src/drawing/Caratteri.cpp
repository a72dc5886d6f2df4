#include "drawing/Caratteri.h"

#include <QFontDatabase>

#include <cmath>

namespace Caratteri {

namespace {
struct Sostituto {
  const char* nome;
  const char* famiglia;
};
// DejaVu comes with the set-up; fontconfig finds a default for anything else. The
// narrow dialog faces get the condensed cut, so captions fit their buttons.
constexpr Sostituto Sostituti[] = {
    {"Terminal", "DejaVu Sans Mono"},
    {"Fixedsys", "DejaVu Sans Mono"},
    {"Courier New", "DejaVu Sans Mono"},
    {"MS Sans Serif", "DejaVu Sans Condensed"},
    {"Microsoft Sans Serif", "DejaVu Sans Condensed"},
    {"Tahoma", "DejaVu Sans Condensed"},
    {"Arial", "DejaVu Sans"},
    {"Verdana", "DejaVu Sans"},
    {"Impact", "DejaVu Sans Condensed"},
    {"Times New Roman", "DejaVu Serif"},
};
}  // namespace

QString Famiglia(const QString& nome) {
  if (QFontDatabase::hasFamily(nome)) return nome;
  for (const Sostituto& s : Sostituti) {
    if (nome.compare(QLatin1String(s.nome), Qt::CaseInsensitive) == 0)
      return QString::fromLatin1(s.famiglia);
  }
  return nome;
}

QFont FontQt(const Carattere& carattere) {
  QFont font(Famiglia(carattere.Name));
  // A point is 20 twips and a logical pixel 15: 4/3 of a pixel.
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(carattere.Size * 4.0 / 3.0))));
  font.setBold(carattere.Bold);
  font.setItalic(carattere.Italic);
  return font;
}

QColor ColoreQt(uint32_t rgb) {
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

uint32_t ColoreModello(const QColor& colore) {
  return Rgb(colore.red(), colore.green(), colore.blue());
}

}  // namespace Caratteri
