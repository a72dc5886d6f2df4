#include "ui/GeometriaFinestra.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <system_error>

#include "drawing/Inquadratura.h"

namespace fs = std::filesystem;

namespace {

constexpr char Formato[] = "skarvex-finestra";
constexpr int Versione = 1;
// Ample for the handful of fields; anything larger is not the program's file.
constexpr size_t MassimoByte = 4096;
// Coordinates beyond any desktop are not a window the program placed.
constexpr int MassimaCoordinata = 1 << 20;
// How much of the window must show on a screen for it to stay where it was: enough
// to see it and take it by its title bar.
constexpr int MinimoVisibile = 64;

std::optional<int> Intero(const QJsonObject& o, const char* chiave, int minimo) {
  const QJsonValue v = o.value(QLatin1String(chiave));
  if (!v.isDouble()) return std::nullopt;
  const double d = v.toDouble();
  if (d != std::floor(d) || d < minimo || d > MassimaCoordinata) return std::nullopt;
  return static_cast<int>(d);
}

bool NostroFile(const QJsonObject& o) {
  return o.value(QLatin1String("formato")).toString() == QLatin1String(Formato);
}

QJsonObject Oggetto(std::string_view byte) {
  if (byte.size() > MassimoByte) return {};
  return QJsonDocument::fromJson(QByteArray(byte.data(), static_cast<qsizetype>(byte.size())))
      .object();
}

}  // namespace

std::string CodificaGeometria(const GeometriaFinestra& g) {
  const QJsonObject o{{"formato", Formato},
                      {"versione", Versione},
                      {"x", g.normale.x()},
                      {"y", g.normale.y()},
                      {"larghezza", g.normale.width()},
                      {"altezza", g.normale.height()},
                      {"massimizzata", g.massimizzata},
                      {"schermoIntero", g.schermoIntero}};
  return QJsonDocument(o).toJson().toStdString();
}

std::optional<GeometriaFinestra> DecodificaGeometria(std::string_view byte) {
  const QJsonObject o = Oggetto(byte);
  if (!NostroFile(o) || o.value(QLatin1String("versione")).toInt() != Versione) return std::nullopt;
  const auto x = Intero(o, "x", -MassimaCoordinata), y = Intero(o, "y", -MassimaCoordinata),
             larghezza = Intero(o, "larghezza", 1), altezza = Intero(o, "altezza", 1);
  const QJsonValue massimizzata = o.value(QLatin1String("massimizzata")),
                   schermoIntero = o.value(QLatin1String("schermoIntero"));
  if (!x || !y || !larghezza || !altezza || !massimizzata.isBool() || !schermoIntero.isBool())
    return std::nullopt;
  return GeometriaFinestra{QRect(*x, *y, *larghezza, *altezza), massimizzata.toBool(),
                           schermoIntero.toBool()};
}

std::optional<GeometriaFinestra> LeggiGeometria(const fs::path& cartella) {
  const auto byte = LeggiFile(cartella / NomeFileFinestra, MassimoByte);
  if (!byte) return std::nullopt;
  return DecodificaGeometria(byte.valore());
}

Esito ScriviGeometria(const fs::path& cartella, const GeometriaFinestra& geometria,
                      ChiamateFile& chiamate) {
  const fs::path file = cartella / NomeFileFinestra;
  std::error_code errore;
  if (fs::symlink_status(file, errore).type() != fs::file_type::not_found) {
    const auto byte = LeggiFile(file, MassimoByte);
    if (!byte || !NostroFile(Oggetto(byte.valore())))
      return Errore{"'" + file.string() + "' is not the game's own file: left as it is"};
  }
  return ScriviFileAtomico(file, CodificaGeometria(geometria), false, chiamate);
}

QRect SuGliSchermi(QRect normale, const QList<QRect>& schermi) {
  if (schermi.isEmpty()) return normale;
  QRect dove = schermi.front();
  bool visibile = false;
  for (const QRect& schermo : schermi) {
    const QRect comune = schermo & normale;
    if (comune.width() >= MinimoVisibile && comune.height() >= MinimoVisibile) {
      dove = schermo;
      visibile = true;
      break;
    }
  }
  normale.setSize(normale.size().boundedTo(dove.size()));
  if (!visibile) normale.moveCenter(dove.center());
  return normale;
}

QSize DimensioneIniziale(QSize disponibile, QSize altri) {
  const auto volte = [altri](QSize spazio) {
    return std::min((spazio - altri).width() / Inquadratura::Naturale.width(),
                    (spazio - altri).height() / Inquadratura::Naturale.height());
  };
  const qreal passi = std::floor(volte(disponibile * 3 / 4) * 4) / 4;
  const qreal fattore = passi >= 1 ? passi : std::clamp(volte(disponibile), 0.5, 1.0);
  return (Inquadratura::Naturale * fattore).toSize() + altri;
}
