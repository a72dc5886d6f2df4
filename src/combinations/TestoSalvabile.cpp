// Text the game's files keep in Windows-1252: which characters they can't hold, and
// the message that names one.
#include "combinations/GestioneDatiEsterni.h"
#include "codec/Testo.h"

#include <QList>

namespace GestioneDatiEsterni {

std::optional<char32_t> PrimoNonSalvabile(const QString& testo, std::u32string_view vietati) {
  for (const uint codice : testo.toUcs4()) {
    const auto c = static_cast<char32_t>(codice);
    if (vietati.find(c) != std::u32string_view::npos) return c;
    if (!PrimoFuoriWindows1252(QString::fromUcs4(&c, 1).toStdString()).empty()) return c;
  }
  return std::nullopt;
}

QString MotivoNonSalvabile(const QString& campo, char32_t carattere, const QString& dove) {
  // One that can't be seen is named by its code.
  const QString nome = QChar::isPrint(carattere)
                           ? QString::fromUcs4(&carattere, 1)
                           : QStringLiteral("U+%1")
                                 .arg(static_cast<uint>(carattere), 4, 16, QLatin1Char('0'))
                                 .toUpper();
  return QStringLiteral("%1 contiene il carattere %2, che non si può salvare %3")
      .arg(campo, nome, dove);
}

}  // namespace GestioneDatiEsterni
