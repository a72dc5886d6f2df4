// The demo combination's pictures: the built-in artwork redrawn in a night palette,
// and a starry sky for the background. Same bytes on every run.
#pragma once

#include <QByteArray>

class ImmaginiIncorporate;

namespace QuadriDemo {

// Image slot n (0..12) as PNG bytes: the built-in picture of that slot, taken from
// `originali`, in the demo's colours at twice its natural size. Empty for any other n.
QByteArray Immagine(const ImmaginiIncorporate& originali, int slot);

// Slot 13: an 800 x 600 night sky with stars and a crescent moon, as JPEG bytes.
QByteArray Sfondo();

}  // namespace QuadriDemo
