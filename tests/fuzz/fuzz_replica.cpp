// Feeds arbitrary bytes to the replay reader. Whatever it reads must write back to a
// file that reads the same, and its header alone must read as the whole file's does.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/Replica.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const auto replica = DecodificaReplica(byte);
  const auto intestazione = DecodificaIntestazioneReplica(byte);
  if (replica && (!intestazione || intestazione.valore() != replica.valore().intestazione))
    __builtin_trap();
  if (!replica) return 0;
  const auto scritta = CodificaReplica(replica.valore());
  if (!scritta) __builtin_trap();
  const auto riletta = DecodificaReplica(scritta.valore());
  if (!riletta || riletta.valore() != replica.valore()) __builtin_trap();
  return 0;
}
