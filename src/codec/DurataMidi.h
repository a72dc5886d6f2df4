// How long a standard MIDI file plays: up to the last end of track of its tracks,
// through its tempo changes.
#pragma once

#include <string_view>

// Seconds; 0 when the bytes are not a MIDI file that can be read to its end.
double DurataMidi(std::string_view byte);
