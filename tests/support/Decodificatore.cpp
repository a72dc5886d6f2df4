// Test and benchmark programs do not sit beside skarvex-decodifica, where the game
// looks for it: the build tells them where it is.
#include "codec/DecodificaEsterna.h"

namespace {

[[maybe_unused]] const bool indicato =
    (DecodificaEsterna::UsaEseguibile(SKARVEX_DECODIFICATORE), true);

}  // namespace
