// Pictures and music that cost a decoder or a synthesizer far more than their size
// says, made in code for the tests, the hostile corpus and the benchmarks alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/MediaProva.h"
#include "support/Png.h"

namespace media_ostili {

// A real baseline JPEG of `lato` x `lato` pixels, as Qt writes it.
inline std::string Jpeg(int lato = 16) {
  return CodificaImmagine(TintaUnita(Qt::darkCyan, {lato, lato}, QImage::Format_RGB32), "jpeg");
}

// `jpeg` with `quanti` segments of `marcatore` (an APPn or COM), each of `byte` bytes
// after its length, right after its start.
inline std::string ConSegmenti(const std::string& jpeg, unsigned char marcatore, size_t quanti,
                               size_t byte = 0) {
  std::string segmento = {'\xFF', static_cast<char>(marcatore), static_cast<char>((byte + 2) >> 8),
                          static_cast<char>((byte + 2) & 0xFF)};
  segmento.append(byte, 'c');
  std::string risultato = jpeg.substr(0, 2);
  risultato.reserve(jpeg.size() + quanti * segmento.size());
  for (size_t i = 0; i < quanti; ++i) risultato += segmento;
  return risultato + jpeg.substr(2);
}

// `jpeg` with its frame header made a `sof` marker (0xC3 lossless, ...) of `bit` bits
// a sample.
inline std::string ConFrame(std::string jpeg, unsigned char sof, unsigned char bit) {
  const size_t frame = jpeg.find("\xFF\xC0");
  jpeg[frame + 1] = static_cast<char>(sof);
  jpeg[frame + 4] = static_cast<char>(bit);
  return jpeg;
}

// A format-0 MIDI file of one track, 96 ticks a beat, holding `eventi` (delta times
// and events) and its end.
inline std::string Midi(const std::string& eventi) {
  const std::string traccia = eventi + std::string("\x00\xFF\x2F\x00", 4);
  const auto n = static_cast<uint32_t>(traccia.size());
  return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk", 18) + static_cast<char>(n >> 24) +
         static_cast<char>(n >> 16) + static_cast<char>(n >> 8) + static_cast<char>(n) + traccia;
}

// `note` notes struck together at the start and never released, spread round the
// first `canali` channels, each on the next key free there.
inline std::string MidiNoteTenute(size_t note, size_t canali = 16) {
  std::string eventi;
  eventi.reserve(note * 4);
  for (size_t i = 0; i < note; ++i) {
    eventi += '\0';
    // One channel keeps its status running: its notes need only their key and velocity.
    if (canali > 1 || i == 0) eventi += static_cast<char>(0x90 | i % canali);
    eventi += static_cast<char>(i / canali % 128);
    eventi += '\x40';
  }
  return Midi(eventi);
}

// `note` short notes on channel 1, one every `tick` ticks (at 120 beats a minute and
// 96 ticks a beat, a tick is 1/192 s), each released as the next is struck.
inline std::string MidiRaffica(size_t note, uint8_t tick) {
  char tasto = 0x3C;
  std::string eventi = {'\0', '\x90', tasto, '\x40'};
  for (size_t i = 1; i < note; ++i) {
    const char precedente = tasto;  // released by striking it at velocity 0
    tasto = static_cast<char>(0x30 + i % 24);
    eventi += {static_cast<char>(tick), precedente, '\0', '\0', tasto, '\x40'};
  }
  return Midi(eventi);
}

// A MIDI file of exactly `byte` bytes: one note, and a text event that fills the rest.
inline std::string MidiDiByte(size_t byte) {
  const std::string nota("\x00\x90\x3C\x40\x60\x80\x3C\x00", 8);
  // 26 bytes of headers and end, the note, the text's delta time, type and 4-byte length.
  const size_t testo = byte - 26 - nota.size() - 3 - 4;
  std::string eventi = nota + std::string("\x00\xFF\x01", 3);
  for (int i = 3; i >= 0; --i)
    eventi += static_cast<char>(((testo >> (7 * i)) & 0x7F) | (i ? 0x80 : 0));
  eventi.append(testo, 't');
  return Midi(eventi);
}

// A format chunk of 16-bit PCM at 8 kHz claiming `canali` channels.
inline std::string FormatoWav(uint16_t canali) {
  return "fmt " + Le(16, 4) + Le(1, 2) + Le(canali, 2) + Le(8000, 4) + Le(16000u * canali, 4) +
         Le(2u * canali, 2) + Le(16, 2);
}

// A mono wave whose `campioni` bytes of samples are followed by `coda`, with no pad byte
// even when they are odd: what the effects' decoder reads up to its data, and the
// music's decoder on to the end.
inline std::string WavConCoda(const std::string& coda, uint32_t campioni = 200) {
  const std::string corpo =
      FormatoWav(1) + "data" + Le(campioni, 4) + std::string(campioni, '\x10') + coda;
  return "RIFF" + Le(4 + corpo.size(), 4) + "WAVE" + corpo;
}

}  // namespace media_ostili
