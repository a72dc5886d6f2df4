#include "seams/OrologioVirtuale.h"

#include <algorithm>

#include "seams/Timer.h"

void OrologioVirtuale::Registra(const Timer& timer, std::function<void()> gestore) {
  m_voci.push_back({&timer, std::move(gestore)});
  Riprogramma(m_voci.back());
}

void OrologioVirtuale::Riprogramma(Voce& v) {
  v.impostazioni = v.timer->Impostazioni();
  v.programmata = v.timer->Enabled() && v.timer->Interval() > 0;
  v.scadenza = m_ora + v.timer->Interval();
}

void OrologioVirtuale::Guarda() {
  for (Voce& v : m_voci) {
    if (v.impostazioni != v.timer->Impostazioni()) Riprogramma(v);
  }
}

void OrologioVirtuale::Rimuovi(const Timer& timer) {
  std::erase_if(m_voci, [&](const Voce& v) { return v.timer == &timer; });
}

void OrologioVirtuale::Dormi(int ms) {
  // The thread is blocked: nothing fires, and the timers count afresh afterwards.
  m_ora += ms;
  for (Voce& v : m_voci) Riprogramma(v);
}

void OrologioVirtuale::Avanza(int64_t ms) {
  Guarda();  // what the events since the last wait set counts from now
  const int64_t fine = m_ora + ms;
  for (;;) {
    Voce* prossima = nullptr;
    for (Voce& v : m_voci) {
      if (v.programmata && v.scadenza <= fine && (!prossima || v.scadenza < prossima->scadenza))
        prossima = &v;
    }
    if (!prossima) break;
    m_ora = prossima->scadenza;
    // The next firing is due one interval later, unless the handler sets the timer
    // again, which restarts its count from now.
    prossima->scadenza += prossima->timer->Interval();
    ++m_scatti;
    // A copy: the handler may close the window whose timer this is.
    const std::function<void()> gestore = prossima->gestore;
    gestore();
    Guarda();
  }
  m_ora = fine;
}
