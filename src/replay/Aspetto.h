// What a replay shows it with: a game played back holds no pictures or fonts of its
// own (they decide nothing), so the window lends it those of the game in play.
#pragma once

class Gioco;

// The pictures of every sprite (an element `da` lacks takes its array's element 0),
// the background, and the labels' fonts and colours: from `da` onto `a`.
void CopiaAspetto(const Gioco& da, Gioco& a);
