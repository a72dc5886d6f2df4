// The gate every picture, sound and font of a combination passes before anything
// decodes it. A combination arrives from people the player does not know, so its
// slots are taken for what their first bytes say they are, and their size is read
// from their headers and held against the budgets below: what a decoder would need
// is known before the decoder runs. Nothing here decodes a pixel or a sample.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codec/Combinazione.h"
#include "codec/FileMedia.h"

namespace Vaglio {

inline constexpr uint64_t MiB = 1024 * 1024;

// What one combination may ask of the machine.
inline constexpr uint64_t MaxPixelImmagine = 16'000'000;      // one picture
inline constexpr uint64_t MaxPixelCombinazione = 64'000'000;  // the fourteen together
// A progressive JPEG is decoded once per scan; ordinary encoders write about ten.
inline constexpr uint64_t MaxScansioniJpeg = 100;
// A JPEG's APPn and comment segments (Exif, XMP, ICC profiles, Photoshop's and
// Adobe's blocks, comments) are kept whole by the decoder, each added to the end of a
// list it walks from the start: many thousands of them, even empty, take it minutes.
// Cameras and editors write a few dozen and a few MiB at most: the largest ICC
// profile the APP2 numbering allows (255 segments of 64 KiB) just fits, and an
// extended XMP packet of several MiB is under a hundred segments more.
inline constexpr uint64_t MaxSegmentiJpeg = 1000;
inline constexpr uint64_t MaxByteSegmentiJpeg = 16 * MiB;
// Effects are held decoded as the mixer plays them: 44.1 kHz, stereo, 16 bits.
inline constexpr uint64_t MaxByteEffetto = 16 * MiB;  // about 95 seconds
inline constexpr uint64_t MaxByteEffetti = 64 * MiB;  // the fifteen together
// The music is streamed, but a MIDI file's events are all read at once.
inline constexpr uint64_t MaxByteMidi = 4 * MiB;
// What a MIDI music may ask of the synthesizer, which has 256 voices and sounds every
// note struck until its voice is taken back: notes held at once (a pianist holds ten,
// a full orchestra's score about a hundred across its channels), on one channel (a
// dense piano part, a few dozen), and notes struck in any one second (a fast
// orchestral passage, a few hundred).
inline constexpr uint64_t MaxNoteTenute = 256;
inline constexpr uint64_t MaxNoteTenuteCanale = 64;
inline constexpr uint64_t MaxNoteAlSecondo = 1000;
inline constexpr uint64_t MaxByteFont = 32 * MiB;

// Files read whole, and the most each may hold.
inline constexpr size_t MaxByteCombinazione = 128 * MiB;
inline constexpr size_t MaxByteImpostazioni = 64 * 1024;
// Ten names as long as a text box takes (32,767 characters each) fit in a third of it.
inline constexpr size_t MaxByteRecord = 1 * MiB;
inline constexpr size_t MaxByteManifesto = 1 * MiB;

// The output the effects are converted to, as the sound device is opened.
inline constexpr uint64_t FrequenzaMixer = 44100;
inline constexpr uint64_t BytePerFotogrammaMixer = 4;  // two channels of 16 bits

enum class Motivo {
  Formato,            // not a kind the slot takes
  Danneggiato,        // its header can't be read, or says something impossible
  Pixel,              // valore: its pixels
  PixelCombinazione,  // valore: the pixels of the pictures before it and its own
  Scansioni,          // valore: a progressive JPEG's scans
  Effetto,            // valore: the bytes it decodes to
  Effetti,            // valore: the bytes of the effects before it and its own
  Midi,               // valore: the file's bytes
  Font,               // valore: the file's bytes
  SegmentiJpeg,       // valore: a JPEG's APPn and comment segments
  ByteSegmentiJpeg,   // valore: their bytes
  PrecisioneJpeg,     // valore: bits a sample, where the decoder takes 8
  ProcessoJpeg,       // valore: the frame's marker, lossless or hierarchical
  IntestazioneBmp,    // valore: the bytes of a BMP header of a kind the decoder lacks
  CompressioneBmp,    // valore: a BMP's compression, one the decoder lacks
  PaletteMancante,    // a palette PNG with no palette before its pixels
  NoteTenute,         // valore: a MIDI music's notes held at once
  NoteTenuteCanale,   // valore: the same on one channel
  NoteAlSecondo,      // valore: the notes it strikes in one second
};

struct Rifiuto {
  Motivo motivo = Motivo::Formato;
  uint64_t valore = 0;
  uint64_t limite = 0;  // the budget it broke, in the unit of `valore`
};

// One line in English, as skarvex-comb says it: "20000 x 20000 pixels, over the
// limit of 16000000 pixels a picture", "not a JPEG, GIF, BMP or PNG picture".
std::string Descrivi(const Rifiuto& rifiuto);

struct EsameImmagine {
  FormatoMedia formato = FormatoMedia::Sconosciuto;
  uint32_t larghezza = 0;
  uint32_t altezza = 0;
  uint32_t scansioni = 0;  // a JPEG's scans; 0 for the other kinds
  std::optional<Rifiuto> rifiuto;

  uint64_t Pixel() const { return uint64_t{larghezza} * altezza; }
};

// A picture slot takes JPEG, GIF and BMP, and PNG, which earlier versions of the
// editor and the demo combination store.
EsameImmagine EsaminaImmagine(std::string_view byte);

struct EsameEffetto {
  uint64_t byteDecodificati = 0;  // at most this, once converted for the mixer
  std::optional<Rifiuto> rifiuto;
};

// An effect slot takes a WAV file whose samples are PCM, IEEE float, A-law, mu-law or
// ADPCM.
EsameEffetto EsaminaEffetto(std::string_view byte);

struct EsameMusica {
  FormatoMedia formato = FormatoMedia::Sconosciuto;
  std::optional<Rifiuto> rifiuto;
};

// The music takes WAV (as an effect, but of any length), MP3 or MIDI.
EsameMusica EsaminaMusica(std::string_view byte);

// A font file must announce itself as TrueType, OpenType or a Windows .fon.
std::optional<Rifiuto> EsaminaFont(std::string_view byte);

// A whole combination's verdict, slot by slot, with the budgets that span slots
// counted in the order the game uses them: the effects 1 to 15, then the pictures 0
// to 13. Empty sound slots and Default picture slots are always fine; an empty
// picture slot is no picture.
struct EsameCombinazione {
  std::array<EsameImmagine, NumeroImmagini> immagini;
  std::array<std::optional<Rifiuto>, NumeroSuoni> suoni;
  std::optional<Rifiuto> font;
  // The decoders to use for the slots that passed.
  std::array<FormatoMedia, NumeroSuoni> formatiSuoni{};

  bool Tutto() const;  // nothing refused
};

EsameCombinazione EsaminaCombinazione(const TipoCombinazione& comb);

}  // namespace Vaglio
