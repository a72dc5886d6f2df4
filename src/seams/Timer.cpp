#include "seams/Timer.h"

#include <cassert>

#include "seams/Orologio.h"

Timer::~Timer() {
  if (m_orologio) m_orologio->Rimuovi(*this);
}

void Timer::SetInterval(int ms) {
  m_interval = ms;
  if (m_orologio) m_orologio->Riprogramma(*this);
}

void Timer::SetEnabled(bool acceso) {
  m_enabled = acceso;
  if (m_orologio) m_orologio->Riprogramma(*this);
}

void Timer::Collega(Orologio& orologio, std::function<void()> gestore) {
  assert(!m_orologio);
  m_orologio = &orologio;
  m_gestore = std::move(gestore);
  orologio.Registra(*this);
}

void Timer::Scatta() const {
  if (m_gestore) m_gestore();
}
