// How long a MIDI file plays, read from the file: the loop check restarts the music
// at that moment, the synthesizer telling its end only seconds later.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/DurataMidi.h"

namespace {

std::string Be(uint32_t n, int byte) {
  std::string s;
  for (int i = byte - 1; i >= 0; --i) s += static_cast<char>(n >> (8 * i) & 0xFF);
  return s;
}

std::string Midi(uint16_t divisione, const std::vector<std::string>& tracce,
                 const std::string& prima = {}) {
  std::string s = "MThd" + Be(6, 4) + Be(1, 2) + Be(static_cast<uint32_t>(tracce.size()), 2) +
                  Be(divisione, 2) + prima;
  for (const auto& t : tracce) s += "MTrk" + Be(static_cast<uint32_t>(t.size()), 4) + t;
  return s;
}

const std::string Fine = std::string("\x00\xFF\x2F\x00", 4);

std::string Tempo(uint32_t microsecondi) {
  return std::string("\xFF\x51\x03", 3) + Be(microsecondi, 3);
}

TEST(DurataMidi, SommaITickAlTempoDelMomentoFinoAllUltimaFineTraccia) {
  // A note of 96 ticks at 120 beats a minute, then 96 more by running status.
  const std::string nota = std::string("\x00\x90\x3C\x64\x60\x3C\x00\x00\x3E\x64\x60\x3E\x00", 13);
  struct Caso {
    const char* cosa;
    std::string byte;
    double secondi;
  } casi[] = {
      {"two notes, the second by running status", Midi(96, {nota + Fine}), 1.0},
      {"a rest before the end of track", Midi(96, {nota + "\x30\xFF\x2F" + std::string(1, '\0')}),
       1.25},
      {"the tempo halved after a beat, on another track",
       Midi(96, {std::string(1, '\0') + Tempo(250'000) + "\x60" + Tempo(1'000'000) + Fine,
                 nota + Fine}),
       0.25 + 1.0},
      {"a program change, a controller and a sysex",
       Midi(96,
            {std::string("\x00\xC0\x05\x00\xB0\x07\x64\x00\xF0\x02\x7E\xF7", 12) + nota + Fine}),
       1.0},
      {"25 frames a second of 40 ticks", Midi(0xE728, {std::string("\x83\x74\xFF\x2F\x00", 5)}),
       0.5},
      {"a chunk of another kind first", Midi(96, {nota + Fine}, "XTRA" + Be(3, 4) + "abc"), 1.0},
      {"not MIDI", "RIFF....WAVEfmt ", 0},
      {"a track cut short", Midi(96, {nota + Fine}).substr(0, 30), 0},
      {"data with no status", Midi(96, {std::string("\x00\x3C\x64", 3) + Fine}), 0},
      {"no ticks a beat", Midi(0, {nota + Fine}), 0},
  };
  for (const auto& c : casi) EXPECT_NEAR(DurataMidi(c.byte), c.secondi, 1e-9) << c.cosa;
}

// Notes held at once and struck in a second, as the synthesizer meets them.
TEST(DurataMidi, IlCaricoContaLeNoteTenuteInsiemeEQuelleSuonateInUnSecondo) {
  const auto on = [](char delta, char canale, char tasto, char velocita = 0x40) {
    return std::string{delta, static_cast<char>(0x90 | canale), tasto, velocita};
  };
  const auto off = [](char delta, char canale, char tasto) {
    return std::string{delta, static_cast<char>(0x80 | canale), tasto, 0};
  };
  struct Caso {
    const char* cosa;
    std::string byte;
    CaricoMidi carico;
  } casi[] = {
      {"a chord of three, released",
       Midi(96, {on(0, 0, 60) + on(0, 0, 64) + on(0, 0, 67) + off(96, 0, 60) + off(0, 0, 64) +
                 off(0, 0, 67) + Fine}),
       {3, 3, 3}},
      {"a key struck again while held, and a note-on at velocity 0 releasing it",
       Midi(96, {on(0, 0, 60) + on(10, 0, 60) + on(10, 0, 60, 0) + on(0, 0, 62) + Fine}),
       {1, 1, 3}},
      {"two tracks held together, on two channels",
       Midi(96, {on(0, 0, 60) + on(0, 0, 61) + Fine, on(5, 1, 60) + Fine}),
       {3, 2, 3}},
      // At 1/192 s a tick: 192 notes in one second; the tempo halved after 1,000 ticks
      // makes it 96.
      {"a note every tick, then the tempo halved",
       Midi(96, {std::string(1, '\0') + Tempo(500'000) + "\x87\x68" + Tempo(1'000'000) + Fine,
                 [&] {
                   std::string t;
                   for (int i = 0; i < 2000; ++i) t += on(i ? 1 : 0, 2, 60) + off(0, 2, 60);
                   return t + Fine;
                 }()}),
       {1, 1, 192}},
      // A track that breaks off still strikes the notes before the break.
      {"a track cut short",
       Midi(96, {on(0, 3, 1) + on(0, 3, 2) + on(0, 3, 3)}).substr(0, 34),
       {3, 3, 3}},
      {"not MIDI", "RIFF....WAVEfmt ", {}},
  };
  for (const auto& c : casi) {
    const CaricoMidi carico = MisuraCaricoMidi(c.byte);
    EXPECT_EQ(std::tuple(carico.tenute, carico.tenuteCanale, carico.alSecondo),
              std::tuple(c.carico.tenute, c.carico.tenuteCanale, c.carico.alSecondo))
        << c.cosa;
  }
}

}  // namespace
