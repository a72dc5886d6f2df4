// Where a shot hits: the band of Top in which each shot is tested, and each target's
// window around the test point, the shot's top-left corner in whole twips. Every
// comparison is strict. A window reaches left of its target by about a shot's width,
// so that a shot over the target's left edge still hits; its other sides are the
// target's design-time size, whatever size the sprite is drawn at.
#pragma once

#include "model/Modello.h"

namespace Colpi {

// A band of Top: strictly between `sopra` and `sotto`.
struct Banda {
  float sopra;
  float sotto;

  bool Contiene(float y) const { return sopra < y && y < sotto; }
};

// A target's window: Top < y < Top + altezza, Left - margine < x < Left + larghezza.
struct Finestra {
  float altezza;
  float margine;
  float larghezza;

  bool Contiene(const Sprite& bersaglio, int y, int x) const {
    return bersaglio.Top < y && y < bersaglio.Top + altezza && bersaglio.Left - margine < x &&
           x < bersaglio.Left + larghezza;
  }
};

// A brick: its 345 x 225 rectangle, for either side's shots.
inline constexpr Finestra Mattone{225, 120, 345};
// An alien: 495 down and to the right, less than its 615 x 615 picture.
inline constexpr Finestra Alieno{495, 110, 495};
// The cannon, 855 wide: only the upper 440 of its 495 twips is hit.
inline constexpr float LarghezzaCannone = 855;
inline constexpr Finestra Cannone{440, 120, LarghezzaCannone};
// The bonus ship, 1800 wide, is tested across the whole band in which it flies.
inline constexpr float MargineNavicella = 120;
inline constexpr float LarghezzaNavicella = 1800;

// The player's shot meets the bricks in the walls' band and the ship in its own; it
// meets the aliens wherever it is.
inline constexpr Banda MuriPerSparo{5500, 7440};
inline constexpr Banda Navicella{600, 1200};
// An alien shot is tested against the bricks and the cannon in this band only.
inline constexpr Banda ProiettiliNemici{6100, 7920};

}  // namespace Colpi
