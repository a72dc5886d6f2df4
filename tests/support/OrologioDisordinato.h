// A clock that keeps its timers badly, as a loaded desktop does: each firing comes a
// random few milliseconds late, so that timers due close together fire in another
// order than their schedule, and a firing due while the last was late may come only
// after the next input. Time still moves only when told to; the seed fixes the disorder.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "seams/Orologio.h"
#include "seams/Timer.h"

class OrologioDisordinato final : public Orologio {
 public:
  explicit OrologioDisordinato(uint32_t seme, int ritardoMassimo = 60)
      : m_caso(seme), m_ritardo(0, ritardoMassimo) {}

  void Registra(const Timer& timer, std::function<void()> gestore) override {
    m_voci.push_back({&timer, std::move(gestore)});
    Riprogramma(m_voci.back());
  }
  void Rimuovi(const Timer& timer) override {
    std::erase_if(m_voci, [&](const Voce& v) { return v.timer == &timer; });
  }
  void Dormi(int ms) override { m_ora += ms; }

  // Moves time forward by `ms`, firing every late tick that falls due on the way.
  void Avanza(int64_t ms) {
    Guarda();
    const int64_t fine = m_ora + ms;
    for (;;) {
      Voce* prossima = nullptr;
      for (Voce& v : m_voci)
        if (v.programmata && v.arrivo <= fine && (!prossima || v.arrivo < prossima->arrivo))
          prossima = &v;
      if (!prossima) break;
      m_ora = prossima->arrivo;
      if (prossima->scadenza < m_ultimaScadenza) ++m_fuoriOrdine;
      m_ultimaScadenza = prossima->scadenza;
      // Due one interval after its schedule, not after its late arrival.
      prossima->scadenza += prossima->timer->Interval();
      prossima->arrivo = std::max(m_ora, prossima->scadenza + m_ritardo(m_caso));
      const std::function<void()> gestore = prossima->gestore;
      gestore();
      Guarda();
    }
    m_ora = fine;
  }

  int64_t Ora() const { return m_ora; }
  // Firings that came before one scheduled earlier than them.
  int FuoriOrdine() const { return m_fuoriOrdine; }

 private:
  struct Voce {
    const Timer* timer;
    std::function<void()> gestore;
    uint64_t impostazioni = 0;
    int64_t scadenza = 0;
    int64_t arrivo = 0;
    bool programmata = false;
  };
  void Riprogramma(Voce& v) {
    v.impostazioni = v.timer->Impostazioni();
    v.programmata = v.timer->Enabled() && v.timer->Interval() > 0;
    v.scadenza = m_ora + v.timer->Interval();
    v.arrivo = v.scadenza + m_ritardo(m_caso);
  }
  void Guarda() {
    for (Voce& v : m_voci)
      if (v.impostazioni != v.timer->Impostazioni()) Riprogramma(v);
  }

  std::mt19937 m_caso;
  std::uniform_int_distribution<int> m_ritardo;
  std::vector<Voce> m_voci;
  int64_t m_ora = 0;
  int64_t m_ultimaScadenza = 0;
  int m_fuoriOrdine = 0;
};
