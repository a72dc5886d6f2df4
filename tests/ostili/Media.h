// Small pictures and sounds made in code, and headers that lie about their size:
// the raw material of the hostile combinations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// `quanti` bytes of a little-endian or big-endian number.
std::string Piccolo(uint64_t valore, int quanti);
std::string Grande(uint64_t valore, int quanti);
// Deterministic noise (xorshift), so the corpus is the same on every run.
std::string Casuali(size_t quanti, uint32_t seme);

// A 24-bit BMP whose header claims `larghezza` x `altezza`; the pixels are there
// only for a small picture.
std::string Bmp(int32_t larghezza, int32_t altezza);
// A GIF whose screen and image claim `lato` x `lato`, carrying one pixel's data.
std::string Gif(uint16_t lato);
// A PNG with sound checksums whose header claims `lato` x `lato` RGB pixels; the
// pixels are there, uncompressed, only for a small picture.
std::string Png(uint32_t lato);
// A baseline JPEG start of frame claiming `lato` x `lato`, then the end.
std::string Jpeg(uint16_t lato);

// A 16-bit 8 kHz wave of `campioni` samples; the sizes in its header may lie.
std::string Wav(uint32_t campioni, uint16_t canali = 1, uint32_t rif = 0, uint32_t dati = 0);
// A one-track MIDI file playing a note; the track's length may lie.
std::string Midi(uint32_t lunghezza = 0);
// An AIFF of 100 random 16-bit samples at 8 kHz, claiming `canali` channels.
std::string Aiff(uint16_t canali);
