// The MIDI synthesizer's messages. A file that strikes more notes than it has voices
// makes it warn once a note ("Failed to allocate a synthesis process"), which can be
// hundreds of thousands of lines a second: they go through a limit of ours into the
// game's log instead of straight to standard error.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The first few lines of a burst pass as they come; then the rest are counted, and at
// the end of each interval one line says how many were held back and the last of
// them. A burst is over after an interval with no message, or one that held nothing
// back.
class LimiteRighe {
 public:
  using Istante = std::chrono::nanoseconds;  // from any fixed origin

  LimiteRighe(int prime, Istante intervallo) : m_prime(prime), m_intervallo(intervallo) {}

  // The lines to write for a message arriving at `ora`: none, the message, a summary
  // of those held back, or both.
  std::vector<std::string> Accetta(std::string_view messaggio, Istante ora);

 private:
  int m_prime;
  Istante m_intervallo;
  bool m_aperto = false;
  Istante m_inizio{};  // of the interval under way
  Istante m_ultimoArrivo{};
  int m_concesse = 0;  // lines the interval may still write
  uint64_t m_trattenute = 0;
  std::string m_ultima;  // held back
};

// Sends the synthesizer's messages of every level but debugging, through a limit of
// five lines and then one every ten seconds, to the sound's log. The library is the
// one SDL_mixer loads, so its settings are ours: called once, before any music opens.
void InstallaRegistroSintetizzatore();
