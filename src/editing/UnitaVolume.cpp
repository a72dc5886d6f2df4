#include "editing/UnitaVolume.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace UnitaVolume {

QString TestoVolume(int32_t memorizzato) {
  const double percento = (static_cast<double>(memorizzato) + 10000.0) / 100.0;
  // Fifteen significant digits, as a double prints in the fewest it needs.
  return QLocale::c().toString(percento, 'g', 15);
}

std::optional<int> Intero(const QString& testo) {
  QString numero = testo.trimmed();
  numero.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double valore = QLocale::c().toDouble(numero, &ok);
  if (!ok || !std::isfinite(valore)) return std::nullopt;
  constexpr double Limite = 1e9;
  // nearbyint rounds in the current mode, which the program never changes from
  // to-nearest-even.
  return static_cast<int>(std::nearbyint(std::clamp(valore, -Limite, Limite)));
}

int32_t DaPosizione(int posizione) {
  return static_cast<int32_t>(posizione) * 100 - 10000;
}

}  // namespace UnitaVolume
