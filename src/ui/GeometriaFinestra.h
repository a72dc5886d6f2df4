// Where the main window was, remembered per program folder in a small file of its
// own: its size and place when neither maximised nor full screen, and whether it was
// either. The next start puts it back there, on a screen that still exists.
#pragma once

#include <QList>
#include <QRect>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "codec/FileAtomico.h"
#include "codec/Risultato.h"

inline constexpr char NomeFileFinestra[] = "Finestra.json";

struct GeometriaFinestra {
  QRect normale;  // the client area when neither maximised nor full screen
  bool massimizzata = false;
  bool schermoIntero = false;

  bool operator==(const GeometriaFinestra&) const = default;
};

// The file's bytes: a JSON object marked as this program's.
std::string CodificaGeometria(const GeometriaFinestra& geometria);
// No value for anything but the program's own file with sensible figures in it.
std::optional<GeometriaFinestra> DecodificaGeometria(std::string_view byte);

// What the folder remembers; no value when it remembers nothing usable.
std::optional<GeometriaFinestra> LeggiGeometria(const std::filesystem::path& cartella);
// Replaces the folder's file whole. A file of that name that the program did not
// write (not marked as its own) is left as it is, and that is the error.
[[nodiscard]] Esito ScriviGeometria(const std::filesystem::path& cartella,
                                    const GeometriaFinestra& geometria,
                                    ChiamateFile& chiamate = ChiamateFile::Sistema());

// The remembered client area moved onto the screens there are now (their available
// areas, the first the primary): kept where it was when enough of it shows on one,
// otherwise centred on the primary; never larger than the screen it ends on.
QRect SuGliSchermi(QRect normale, const QList<QRect>& schermi);
// The size of a first start on a screen with `disponibile` room: the playfield as
// large as fits in three quarters of the room either way, in quarter steps of its own
// size (it is drawn sharp at any size); on a screen too small for its own size, as
// much of it as the whole room holds. `altri` is what the window adds around the
// playfield (the menu bar).
QSize DimensioneIniziale(QSize disponibile, QSize altri);
