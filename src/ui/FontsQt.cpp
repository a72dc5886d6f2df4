#include "ui/FontsQt.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QString>

#include <cstdlib>

namespace fs = std::filesystem;

fs::path FontsQt::Cartella() const {
  // Only absolute folders count, as at start-up: a relative one would depend on the
  // folder the program was started from.
  const auto assoluta = [](const char* nome) -> fs::path {
    const char* valore = std::getenv(nome);
    if (valore == nullptr || *valore != '/') return {};
    return valore;
  };
  if (fs::path dati = assoluta("XDG_DATA_HOME"); !dati.empty()) return dati / "fonts";
  if (fs::path casa = assoluta("HOME"); !casa.empty()) return casa / ".local" / "share" / "fonts";
  return {};
}

bool FontsQt::Valido(const std::string& byte) {
  const int id = QFontDatabase::addApplicationFontFromData(QByteArray::fromStdString(byte));
  if (id < 0) return false;
  QFontDatabase::removeApplicationFont(id);
  return true;
}

void FontsQt::Registra(const fs::path& file) {
  QFontDatabase::addApplicationFont(QString::fromStdString(file.string()));
}
