// The virtual clock of the tests and the headless runner: time moves only when told
// to, and timers due at the same instant fire in the order they were registered.
#pragma once

#include <cstdint>
#include <vector>

#include "seams/Orologio.h"

class OrologioVirtuale final : public Orologio {
 public:
  void Registra(Timer& timer) override;
  void Riprogramma(Timer& timer) override;
  void Rimuovi(Timer& timer) override;
  void Dormi(int ms) override;

  // Moves time forward by `ms`, firing in order every timer that falls due on the
  // way, including those due exactly at the end. While a handler runs, the current
  // time is its due time.
  void Avanza(int64_t ms);
  int64_t Ora() const { return m_ora; }
  int64_t Scatti() const { return m_scatti; }  // handlers run so far

 private:
  struct Voce {
    Timer* timer;
    int64_t scadenza;
    bool programmata;
  };
  Voce* Trova(const Timer& timer);

  std::vector<Voce> m_voci;  // in registration order
  int64_t m_ora = 0;
  int64_t m_scatti = 0;
};
