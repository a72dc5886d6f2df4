// Feeds arbitrary bytes to the Record reader. Whatever table it reads, written again
// it must read back whole, and writing is then stable.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/RecordFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const LetturaRecord lettura = DecodificaRecord(byte);
  if (lettura.campiLetti < 0 || lettura.campiLetti > CampiRecord) __builtin_trap();
  if (lettura.esito.ok() != (lettura.campiLetti == CampiRecord)) __builtin_trap();

  const std::string scritto = CodificaRecord(lettura.tabella);
  const LetturaRecord di_nuovo = DecodificaRecord(scritto);
  if (!di_nuovo.esito || CodificaRecord(di_nuovo.tabella) != scritto) __builtin_trap();
  return 0;
}
