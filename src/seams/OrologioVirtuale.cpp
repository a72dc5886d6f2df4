#include "seams/OrologioVirtuale.h"

#include <algorithm>

#include "seams/Timer.h"

OrologioVirtuale::Voce* OrologioVirtuale::Trova(const Timer& timer) {
  auto it =
      std::find_if(m_voci.begin(), m_voci.end(), [&](const Voce& v) { return v.timer == &timer; });
  return it == m_voci.end() ? nullptr : &*it;
}

void OrologioVirtuale::Registra(Timer& timer) {
  m_voci.push_back({&timer, 0, false});
  Riprogramma(timer);
}

void OrologioVirtuale::Riprogramma(Timer& timer) {
  Voce* v = Trova(timer);
  if (!v) return;
  v->programmata = timer.Enabled() && timer.Interval() > 0;
  v->scadenza = m_ora + timer.Interval();
}

void OrologioVirtuale::Rimuovi(Timer& timer) {
  std::erase_if(m_voci, [&](const Voce& v) { return v.timer == &timer; });
}

void OrologioVirtuale::Dormi(int ms) {
  // The thread is blocked: nothing fires, and the timers count afresh afterwards.
  m_ora += ms;
  for (Voce& v : m_voci) Riprogramma(*v.timer);
}

void OrologioVirtuale::Avanza(int64_t ms) {
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
    Timer* timer = prossima->timer;
    ++m_scatti;
    timer->Scatta();
  }
  m_ora = fine;
}
