// Feeds arbitrary bytes to the settings file reader. A file it reads whole must
// come back unchanged through the writer and the reader, whenever the writer can
// hold its path.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/Impostazioni.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const LetturaScelta lettura = DecodificaScelta(byte);
  // A field after a missing one is never filled in.
  if (!lettura.Percorso && lettura.AudioAttivo) __builtin_trap();
  if (!lettura.esito || !lettura.Percorso || !lettura.AudioAttivo) return 0;
  auto scritto = CodificaScelta(*lettura.Percorso, *lettura.AudioAttivo);
  if (!scritto) return 0;
  const LetturaScelta di_nuovo = DecodificaScelta(scritto.valore());
  if (!di_nuovo.esito || di_nuovo.Percorso != lettura.Percorso ||
      di_nuovo.AudioAttivo != lettura.AudioAttivo)
    __builtin_trap();
  return 0;
}
