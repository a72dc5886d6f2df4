// Feeds arbitrary bytes to the reader of a MIDI music's length, which a combination's
// music slot reaches: whatever it says is a length a player could wait for or none.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/DurataMidi.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const double secondi =
      DurataMidi(std::string_view(reinterpret_cast<const char*>(dati), dimensione));
  if (!std::isfinite(secondi) || secondi < 0) __builtin_trap();
  return 0;
}
