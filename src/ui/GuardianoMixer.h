// The watchdog of the mixer's thread: whatever a music asks of the synthesizer or the
// decoder, mixing it may not take more than half of real time for seconds together,
// or the game stutters and the machine with it.
#pragma once

#include <chrono>
#include <optional>
#include <utility>

#include <time.h>

class GuardianoMixer {
 public:
  using Durata = std::chrono::nanoseconds;

  // Looked at in slices of half a second; a few seconds of slices each over half.
  static constexpr Durata Fetta = std::chrono::milliseconds(500);
  static constexpr Durata Soglia = std::chrono::seconds(3);

  // One mixed block: the CPU time the mixer's thread has taken since the previous
  // one, and the real time. True once the work has been over half of real time for
  // Soglia; the count then starts again.
  bool Blocco(Durata cpu, Durata reale);
  // The same, called on the mixer's thread as each block ends, from its own clocks.
  bool FineBlocco();

 private:
  std::optional<std::pair<timespec, timespec>> m_orologi;  // CPU and real, at the last end
  Durata m_cpu{}, m_reale{};                               // of the slice under way
  Durata m_sopra{};  // the real time of the slices in a row over half
};
