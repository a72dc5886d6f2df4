// Fonts named by the game's data ("Terminal", "MS Sans Serif", ...) stay names in
// the model; where the system lacks one, the window draws it with a substitute
// chosen to look as intended (a bold monospace for "Terminal").
#pragma once

#include <cstdint>

#include <QColor>
#include <QFont>

#include "model/Modello.h"

namespace Caratteri {

// The family to draw `nome` with: itself when installed, else its substitute.
QString Famiglia(const QString& nome);
// The Qt font for a model font, sized in pixels at 96 logical dots per inch.
QFont FontQt(const Carattere& carattere);
// A 24-bit colour with red in the low byte.
QColor ColoreQt(uint32_t rgb);
uint32_t ColoreModello(const QColor& colore);

}  // namespace Caratteri
