// Sounds made by the tests and benchmarks themselves: a sine wave file, a one-note
// MIDI file.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <numbers>
#include <string>

#include "support/File.h"
#include "support/MediaProva.h"

namespace suoni_di_prova {

// A mono 16-bit PCM wave file holding `secondi` of a tone of `hz`.
inline void ScriviWav(const std::filesystem::path& percorso, double secondi,
                      uint32_t frequenza = 44100, double hz = 440) {
  std::string campioni;
  for (uint32_t i = 0; i < static_cast<uint32_t>(secondi * frequenza); ++i) {
    const auto campione =
        static_cast<int16_t>(8000 * std::sin(2 * std::numbers::pi * hz * i / frequenza));
    campioni += Le(static_cast<uint16_t>(campione), 2);
  }
  ScriviTutto(percorso, Wav(1, 1, frequenza, 16, campioni));
}

// A format-0 MIDI file: one middle C of 24 ticks (1/8 s at the default tempo), and
// its end `pausa` ticks (under 128) after the note.
inline void ScriviMidi(const std::filesystem::path& percorso, char pausa = 0) {
  const std::string traccia = std::string(
                                  "\x00\x90\x3C\x64"   // note on
                                  "\x18\x80\x3C\x40",  // 24 ticks later, note off
                                  8) +
                              pausa + std::string("\xFF\x2F\x00", 3);  // end of track
  std::string s("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);  // format 0, one track, 96 ticks a beat
  s += "MTrk";
  s += std::string("\0\0\0", 3) + static_cast<char>(traccia.size());
  ScriviTutto(percorso, s + traccia);
}

}  // namespace suoni_di_prova
