// The timer seam. The game's timers are data (Timer); a clock drives them: precise
// Qt timers in the window, a virtual clock in the tests and in the headless runner.
// The clock is never told of a change: after every handler and every event it runs,
// it looks at its timers and starts their count afresh, or stops it, where they
// were set.
#pragma once

#include <functional>

class Timer;

class Orologio {
 public:
  virtual ~Orologio() = default;

  // Drives `timer`, running `gestore` at each of its ticks, until Rimuovi. Timers due
  // at the same instant fire in the order in which they were registered.
  virtual void Registra(const Timer& timer, std::function<void()> gestore) = 0;
  virtual void Rimuovi(const Timer& timer) = 0;  // the timer is going away

  // A blocking wait of the user-interface thread: no timer fires during it.
  virtual void Dormi(int ms) = 0;
};
