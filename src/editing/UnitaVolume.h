// The editor's volume units: a volume is stored in hundredths of a decibel
// (-10000 silent .. 0 full) and shown as a percentage 0..100.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace UnitaVolume {

// (stored + 10000) / 100 as a decimal number without a trailing ".0": -2550 gives
// "74.5", -10000 gives "0".
QString TestoVolume(int32_t memorizzato);

// A box's text as a whole number, halves rounded to even ("74.5" gives 74, "75.5"
// gives 76); a decimal comma is taken like a point. Nothing when the text is not a
// number. Far-off numbers come back clamped to +-1e9, still out of any range.
std::optional<int> Intero(const QString& testo);

// The stored volume of slider position p: p x 100 - 10000.
int32_t DaPosizione(int posizione);

}  // namespace UnitaVolume
