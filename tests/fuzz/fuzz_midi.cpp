// Feeds arbitrary bytes to the readers of a MIDI music's length and of its notes, which
// a combination's music slot reaches: whatever they say is a length a player could
// wait for or none, and notes no more than a synthesizer's channels and keys hold.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/DurataMidi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const double secondi = DurataMidi(byte);
  if (!std::isfinite(secondi) || secondi < 0) __builtin_trap();
  const CaricoMidi carico = MisuraCaricoMidi(byte);
  if (carico.tenuteCanale > 128 || carico.tenute > 16 * 128 || carico.tenuteCanale > carico.tenute)
    __builtin_trap();
  return 0;
}
