// The state of a game that its inputs act on: the variables of play and of the
// high-score table, every sprite's place, size, visibility and existence, every
// label's caption and place, every timer's interval and switch. Not the pictures,
// fonts, sounds, menus or settings: nothing a handler reads to decide what happens.
// A new game carries much over from the previous one (where the cannon stood, which
// way the formation marched, the alien shots' parking place), so a replay starts from
// this state taken at its first input.
#pragma once

#include <string>
#include <string_view>

#include "codec/Replica.h"
#include "codec/Risultato.h"

class Gioco;

namespace StatoPartita {

// The state as bytes, into `byte` (whose memory is reused).
void Fotografa(const Gioco& g, std::string& byte);
// Puts a state taken by Fotografa back on `g`; refused, leaving `g` as it was, when the
// bytes are not a whole state of this game.
[[nodiscard]] Esito Ripristina(Gioco& g, std::string_view byte);
// A fingerprint of the state of play: as Fotografa, without the labels, whose captions
// only show what the variables hold (and keep the old table when saving it failed).
ImprontaStato Impronta(const Gioco& g);

}  // namespace StatoPartita
