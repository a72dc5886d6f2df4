// The timer seam. The game's timers are data (Timer); a clock drives them: precise
// Qt timers in the window, a virtual clock in the tests and in the headless runner.
#pragma once

class Timer;

class Orologio {
 public:
  virtual ~Orologio() = default;

  virtual void Registra(Timer& timer) = 0;     // in firing order for equal due times
  virtual void Riprogramma(Timer& timer) = 0;  // its interval or enabled flag was set
  virtual void Rimuovi(Timer& timer) = 0;      // the timer is going away

  // A blocking wait of the user-interface thread: no timer fires during it.
  virtual void Dormi(int ms) = 0;
};
