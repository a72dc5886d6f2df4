// The high-score table and its file Record.
#include "data/GestioneDatiEsterni.h"
#include "game/Gioco.h"

namespace GestioneDatiEsterni {

void CaricaRecord(Gioco&) {}

void InserisciRecord(Gioco&) {}

}  // namespace GestioneDatiEsterni
