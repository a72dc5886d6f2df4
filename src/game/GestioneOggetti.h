// GestioneOggetti: the playfield's objects. Building and clearing the formation,
// the walls, the march, the shots and what they hit, the bonus ship.
#pragma once

#include <cstdint>

class Gioco;
struct Sprite;

namespace GestioneOggetti {

// Where a wave's formation is built: ten columns 950 twips apart from 1080, and the
// rows' Top, bottom row first, 720 apart.
inline constexpr float PrimaColonna = 1080;
inline constexpr float PassoColonne = 950;
inline constexpr float TopRighe[5] = {3720, 3000, 2280, 1560, 840};

// The formation and the walls.
void CaricaFormazione(Gioco& g);
void ScaricaFormazione(Gioco& g);
void MostraMuri(Gioco& g, bool visibile);

// The march: a step to either side, and the step down at a side.
void SpostaFormazioneDestra(Gioco& g);
void SpostaFormazioneSinistra(Gioco& g);
void AbbassaFormazione(Gioco& g);
// The march's speed, set when a wave starts and kept until it ends: the interval in
// milliseconds at `livello`, 1100 - 100 x level down to 100 ms at level 10, and 100 ms
// from then on (never 0, never slower). AvviaMarcia starts the march at the speed of
// the level `Livello`.
int IntervalloMarcia(int livello);
void AvviaMarcia(Gioco& g);

// The player's shot at the test point (y, x) = its Top and Left as whole numbers.
void ControllaProiettileGiocatore(Gioco& g, int16_t y, int16_t x);

// The aliens' fire. A stopped alien shot is parked: hidden above its test band.
void SparaNemici(Gioco& g);
void ControllaProiettileNemico(Gioco& g, int16_t y, int16_t x, int indice);
void ParcheggiaProiettileNemico(Sprite& proiettile);

// The bonus ship. It waits at this Left, off the right edge, at a new game and after
// a hit.
inline constexpr float ParcheggioNavicella = 11500;
void MuoviNavicella(Gioco& g);
void NavicellaColpita(Gioco& g);

// A position in twips as the whole 16-bit number the hit tests take: rounded half
// to even, held within the 16-bit range.
int16_t Intero16(float twips);

}  // namespace GestioneOggetti
