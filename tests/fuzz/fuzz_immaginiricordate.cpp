// Feeds arbitrary bytes to the reader of the game's kept pictures. Whatever it takes
// must be within the budgets and, written again, give back exactly the bytes read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/FileImmaginiRicordate.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const auto ricordate = FileImmaginiRicordate::Leggi(byte);
  if (!ricordate) return 0;
  if (ricordate->size() > NumeroImmagini) __builtin_trap();
  for (const auto& r : *ricordate)
    if (uint64_t{r.larghezza} * r.altezza > Vaglio::MaxPixelImmagine ||
        r.pixel.size() != uint64_t{r.larghezza} * r.altezza * 4)
      __builtin_trap();
  const auto scritto = FileImmaginiRicordate::Componi(*ricordate);
  if (!scritto || *scritto != byte) __builtin_trap();
  return 0;
}
