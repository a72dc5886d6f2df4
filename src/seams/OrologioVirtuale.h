// The virtual clock of the tests and the headless runner: time moves only when told
// to, and timers due at the same instant fire in the order they were registered.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "seams/Orologio.h"

class OrologioVirtuale final : public Orologio {
 public:
  void Registra(const Timer& timer, std::function<void()> gestore) override;
  void Rimuovi(const Timer& timer) override;
  void Dormi(int ms) override;

  // Moves time forward by `ms`, firing in order every timer that falls due on the
  // way, including those due exactly at the end. While a handler runs, the current
  // time is its due time. Timers set since the last handler count from now.
  void Avanza(int64_t ms);
  int64_t Ora() const { return m_ora; }
  int64_t Scatti() const { return m_scatti; }  // handlers run so far

 private:
  struct Voce {
    const Timer* timer;
    std::function<void()> gestore;
    uint64_t impostazioni = 0;  // the timer's settings when last looked at
    int64_t scadenza = 0;
    bool programmata = false;
  };
  void Riprogramma(Voce& v);
  void Guarda();  // reschedules the timers set since the last look

  std::vector<Voce> m_voci;  // in registration order
  int64_t m_ora = 0;
  int64_t m_scatti = 0;
};
