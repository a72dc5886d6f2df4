// Small pictures and sounds made in code, and headers that lie about their size:
// the raw material of the hostile combinations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// A one-colour PNG of `lato` x `lato` pixels, deflated: each pixel only repeats the
// one before or the one above, so a few kilobytes hold millions of them. RGB with
// 8 bits a channel, or with `unBit` one bit a pixel, grey.
std::string PngTinta(uint32_t lato, uint32_t rgb, bool unBit = false);
// A real progressive JPEG of `lato` x `lato` grey pixels, as Qt writes it, with empty
// AC scans added before its end until it has `scansioni` scans.
std::string JpegProgressivo(int lato, uint32_t scansioni);
// An SVG drawing of 16 x 16 with a square, `dentro` before its end and `prologo`
// between the XML declaration and the drawing (a DOCTYPE).
std::string Svg(std::string_view dentro, std::string_view prologo = "");
// An SVG drawing that shows the picture at `indirizzo`, relative or absolute.
std::string SvgImmagine(std::string_view indirizzo);
// Small pictures in formats an image library might take by itself: a Windows icon,
// X pixmap and bitmap, a binary PPM and an uncompressed TIFF.
std::string Ico();
std::string Xpm();
std::string Xbm();
std::string Ppm();
std::string Tiff();

// A 16-bit 8 kHz wave of `campioni` samples; the sizes in its header may lie.
std::string Wav(uint32_t campioni, uint16_t canali = 1, uint32_t rif = 0, uint32_t dati = 0);
// An 8-bit mono wave of `campioni` samples at `frequenza` samples a second.
std::string Wav8(uint32_t campioni, uint32_t frequenza);
// A one-track MIDI file playing a note; the track's length may lie.
std::string Midi(uint32_t lunghezza = 0);
// An AIFF of 100 random 16-bit samples at 8 kHz, claiming `canali` channels.
std::string Aiff(uint16_t canali);
