// The game's timers: an interval and an enabled flag, driven by a clock.
#pragma once

#include <QString>

#include <cstdint>

// A timer of the model: an interval in milliseconds and an enabled flag, nothing
// else. While enabled it fires every interval; enabling it, or setting its interval
// while it is enabled, starts the count afresh; an interval of 0 never fires. The
// timer counts its settings, so that a clock looking at it after an event sees a
// timer enabled again, or given the same interval, as changed.
class Timer {
 public:
  Timer(const char* nome, int intervallo)
      : m_nome(QString::fromLatin1(nome)), m_interval(intervallo) {}

  const QString& Nome() const { return m_nome; }
  int Interval() const { return m_interval; }
  bool Enabled() const { return m_enabled; }
  void SetInterval(int ms) {
    m_interval = ms;
    ++m_impostazioni;
  }
  void SetEnabled(bool acceso) {
    m_enabled = acceso;
    ++m_impostazioni;
  }

  // How many times the interval or the enabled flag was set.
  uint64_t Impostazioni() const { return m_impostazioni; }

 private:
  QString m_nome;
  int m_interval;
  bool m_enabled = false;
  uint64_t m_impostazioni = 0;
};
