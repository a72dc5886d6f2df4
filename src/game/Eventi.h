// Eventi: the game's decisive events. Pause, the cannon hit, the aliens' invasion,
// a cleared level, and showing the high-score table.
#pragma once

class Gioco;

namespace Eventi {

void MettiInPausa(Gioco& g);
void GiocatoreColpito(Gioco& g);
void InvasioneAlieni(Gioco& g);
void LivelloCompletato(Gioco& g);
void MostraRecord(Gioco& g);

// The march interval in milliseconds when `livello` starts: 1100 - 100 x level
// down to 100 ms at level 10, and 100 ms from then on (never 0, never slower).
int IntervalloMarcia(int livello);

}  // namespace Eventi
