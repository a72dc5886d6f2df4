// The version of the game's rules. A replay holds only the inputs of a game, so it
// plays back the same game only under the same rules: every change to what a handler
// does, to a timer's interval, a speed, a hit window or a score must raise this
// number, and replays of another number are refused rather than played wrong.
#pragma once

#include <cstdint>

constexpr uint32_t VersioneRegole = 1;
