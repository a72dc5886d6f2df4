// The real side of the audio seam, on SDL2_mixer: effects decoded into memory and
// played on one mixer channel per slot, and the background music's file read once,
// checked by the gate and streamed from those bytes. Without a usable audio device the
// game runs silently.
#pragma once

#include <cstdint>
#include <memory>

#include "seams/Audio.h"

// One mixer channel per sound slot: channel n plays slot n (channel 0 stays free,
// slot 0 being the music).
constexpr int CanaliMixer = 16;

// The mixer's volumes run from 0 (silent) to 128 (full); its channels and music
// stay at full, and each sound is brought to its exact gain as it is mixed.
constexpr int VolumeMixerPieno = 128;

// Where Debian's General MIDI soundfont lives; used for MIDI music unless the
// environment (SDL_SOUNDFONTS) names another.
constexpr const char* SoundfontPredefinito = "/usr/share/sounds/sf2/default-GM.sf2";

// Opens the default audio device. With none usable (no sound card, no sound server,
// or the mixer already open elsewhere in this process) it says so once on standard
// error and returns the silent audio; it never waits and never shows a message.
std::unique_ptr<Audio> CreaAudioSdl();
