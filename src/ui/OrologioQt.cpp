#include "ui/OrologioQt.h"

#include <QThread>

#include "seams/Timer.h"

OrologioQt::OrologioQt(std::function<void()> dopoEvento) : m_dopoEvento(std::move(dopoEvento)) {}

void OrologioQt::Registra(const Timer& timer, std::function<void()> gestore) {
  Voce& v = m_timer[&timer];
  v.qt = std::make_unique<QTimer>();
  v.qt->setTimerType(Qt::PreciseTimer);
  QObject::connect(
      v.qt.get(), &QTimer::timeout, this, [this, &timer, gestore = std::move(gestore)] {
        if (m_misura)
          m_misura(m_timer.at(&timer).scadenza.Scatta(std::chrono::steady_clock::now()));
        if (m_inCorso) return;
        // A tick of a count that was set since, outside any handler or
        // turn (the window closing, say), is stale: the count starts over.
        if (m_timer.at(&timer).impostazioni != timer.Impostazioni()) {
          Guarda();
          return;
        }
        m_inCorso = true;
        gestore();
        m_inCorso = false;
        Guarda();
        if (m_dopoEvento) m_dopoEvento();
      });
  Riprogramma(timer, v);
}

void OrologioQt::Riprogramma(const Timer& timer, Voce& v) {
  v.impostazioni = timer.Impostazioni();
  if (timer.Enabled() && timer.Interval() > 0) {
    v.qt->start(timer.Interval());  // (re)starts the count from now
    if (m_misura) v.scadenza.Avvia(std::chrono::steady_clock::now(), v.qt->intervalAsDuration());
  } else {
    v.qt->stop();
  }
}

void OrologioQt::Guarda() {
  for (auto& [timer, v] : m_timer) {
    if (v.impostazioni != timer->Impostazioni()) Riprogramma(*timer, v);
  }
}

void OrologioQt::MisuraRitardi(std::function<void(std::chrono::nanoseconds)> misura) {
  m_misura = std::move(misura);
  // The timers already counting are due when Qt will fire them.
  const auto adesso = std::chrono::steady_clock::now();
  for (auto& [timer, v] : m_timer)
    if (v.qt->isActive())
      v.scadenza.Avvia(adesso + v.qt->remainingTimeAsDuration() - v.qt->intervalAsDuration(),
                       v.qt->intervalAsDuration());
}

void OrologioQt::Turno(const std::function<void()>& handler) {
  const bool prima = m_inCorso;
  m_inCorso = true;
  handler();
  m_inCorso = prima;
  Guarda();
}

void OrologioQt::Rimuovi(const Timer& timer) {
  m_timer.erase(&timer);
}

void OrologioQt::Dormi(int ms) {
  QThread::msleep(static_cast<unsigned long>(ms));
}
