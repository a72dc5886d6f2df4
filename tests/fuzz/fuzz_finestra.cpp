// Feeds arbitrary bytes to the reader of the remembered window place. What it takes
// must come back unchanged through the writer, and land on a screen.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ui/GeometriaFinestra.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const auto geometria = DecodificaGeometria(byte);
  if (!geometria) return 0;
  if (DecodificaGeometria(CodificaGeometria(*geometria)) != geometria) __builtin_trap();
  const QRect schermo(0, 0, 1920, 1080);
  if (!SuGliSchermi(geometria->normale, {schermo}).intersects(schermo)) __builtin_trap();
  return 0;
}
