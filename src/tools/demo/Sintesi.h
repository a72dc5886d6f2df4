// The demo combination's sounds, synthesized chiptune-style: fifteen effects and a
// looping tune, as 16-bit mono WAV files at 22050 Hz. Same bytes on every run.
#pragma once

#include <string>
#include <vector>

namespace Sintesi {

constexpr int Frequenza = 22050;  // samples a second

// Samples in -1..1 as the bytes of a WAV file (PCM, 16-bit, mono); louder samples
// are clipped.
std::string Wav(const std::vector<double>& campioni);

// The effect of sound slot n (1..15); empty for any other n.
std::vector<double> Effetto(int slot);

// Slot 0: eight seconds of tune that join up seamlessly when played in a loop.
std::vector<double> Motivo();

}  // namespace Sintesi
