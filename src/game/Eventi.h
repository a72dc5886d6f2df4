// Eventi: the game's decisive events. Pause, the start of a wave, the cannon hit, the
// aliens' invasion, a cleared level, and showing or hiding the high-score table.
#pragma once

class Gioco;

namespace Eventi {

void MettiInPausa(Gioco& g);
// A wave starts at a new game and at the next level, once `Livello` is the level
// played: the formation at its starting rows, the walls whole, the cannon in play
// where it stands, the march at the level's speed and the aliens' fire.
void IniziaOndata(Gioco& g);
void GiocatoreColpito(Gioco& g);
void InvasioneAlieni(Gioco& g);
void LivelloCompletato(Gioco& g);
// The high-score table: its title, and its three columns with their heading row.
void MostraRecord(Gioco& g);
void NascondiRecord(Gioco& g);

}  // namespace Eventi
