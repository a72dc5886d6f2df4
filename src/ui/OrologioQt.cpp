#include "ui/OrologioQt.h"

#include <QThread>

#include "seams/Timer.h"

OrologioQt::OrologioQt(std::function<void()> dopoEvento) : m_dopoEvento(std::move(dopoEvento)) {}

void OrologioQt::Registra(Timer& timer) {
  auto qt = std::make_unique<QTimer>();
  qt->setTimerType(Qt::PreciseTimer);
  QObject::connect(qt.get(), &QTimer::timeout, this, [this, &timer] {
    if (m_inCorso) return;
    m_inCorso = true;
    timer.Scatta();
    m_inCorso = false;
    if (m_dopoEvento) m_dopoEvento();
  });
  m_timer[&timer] = std::move(qt);
  Riprogramma(timer);
}

void OrologioQt::Riprogramma(Timer& timer) {
  auto it = m_timer.find(&timer);
  if (it == m_timer.end()) return;
  if (timer.Enabled() && timer.Interval() > 0) {
    it->second->start(timer.Interval());  // (re)starts the count from now
  } else {
    it->second->stop();
  }
}

void OrologioQt::Turno(const std::function<void()>& handler) {
  const bool prima = m_inCorso;
  m_inCorso = true;
  handler();
  m_inCorso = prima;
}

void OrologioQt::Rimuovi(Timer& timer) {
  m_timer.erase(&timer);
}

void OrologioQt::Dormi(int ms) {
  QThread::msleep(static_cast<unsigned long>(ms));
}
