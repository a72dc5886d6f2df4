// How long a standard MIDI file plays: up to the last end of track of its tracks,
// through its tempo changes.
#pragma once

#include <string_view>

// Seconds; 0 when the bytes are not a MIDI file that can be read to its end.
double DurataMidi(std::string_view byte);

// What a MIDI file asks of a synthesizer: the most notes it holds at once, overall
// and on one channel, and the most it strikes in any one second. A note is held from
// its note-on to its note-off (or a note-on at velocity 0) on its channel and key;
// striking a held key again holds it once still. Counted over as much of the file as
// can be read, its tracks played together.
struct CaricoMidi {
  uint32_t tenute = 0;
  uint32_t tenuteCanale = 0;
  uint32_t alSecondo = 0;
};
CaricoMidi MisuraCaricoMidi(std::string_view byte);
