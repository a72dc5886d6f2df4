// Feeds arbitrary bytes to the combination reader. Besides never crashing, a record
// it reads must come back unchanged through the writer and the reader.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/Combinazione.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  auto comb = DecodificaCombinazione(byte);
  if (!comb) {
    if (comb.errore().empty()) __builtin_trap();
    return 0;
  }
  auto di_nuovo = DecodificaCombinazione(CodificaCombinazione(comb.valore()));
  if (!di_nuovo || !(di_nuovo.valore() == comb.valore())) __builtin_trap();
  return 0;
}
