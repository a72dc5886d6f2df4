// The demo combination built into the program, for the game to put in the program
// folder on first run.
#pragma once

#include <QByteArray>

// The file name under which the game offers it.
inline constexpr char NomeFileDemo[] = "Notturno.skcom";

// The bytes of the whole combination file, made by the build from our own artwork
// and synthesizer.
QByteArray CombinazioneDemo();
