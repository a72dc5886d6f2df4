// The preview of a combination, in file managers and beside a question about it: the
// playfield as a wave starts, drawn with the combination's own pictures.
#pragma once

#include <QImage>

#include "codec/Combinazione.h"

// The widths a preview is drawn at; a width asked outside them is held to the nearer.
inline constexpr int MinLarghezzaMiniatura = 16;
inline constexpr int MaxLarghezzaMiniatura = 1024;

// The background picture at its own size from the top left, one alien of each row,
// the cannon and a wall of bricks, `larghezza` pixels wide and as high as the
// playfield's proportions make it. A slot that is Default, or that the game would
// refuse or cannot decode, shows the built-in picture, as in the game; pictures are
// decoded only after the gate has passed them.
QImage DisegnaMiniatura(const TipoCombinazione& comb, int larghezza);
