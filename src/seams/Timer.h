// The game's timers: an interval and an enabled flag, driven by a clock.
#pragma once

#include <functional>

#include <QString>

class Orologio;

// A timer: an interval in milliseconds and an enabled flag. It fires its handler
// every interval while enabled; enabling it, or setting its interval while it is
// enabled, starts the count afresh; an interval of 0 never fires. The clock that
// drives it is told of every change.
class Timer {
 public:
  Timer(const char* nome, int intervallo)
      : m_nome(QString::fromLatin1(nome)), m_interval(intervallo) {}
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const QString& Nome() const { return m_nome; }
  int Interval() const { return m_interval; }
  bool Enabled() const { return m_enabled; }
  void SetInterval(int ms);
  void SetEnabled(bool acceso);

  // Joins the timer to its clock and gives it its handler; timers are registered in
  // the order in which those due at the same instant fire.
  void Collega(Orologio& orologio, std::function<void()> gestore);
  void Scatta() const;  // runs the handler

 private:
  QString m_nome;
  int m_interval;
  bool m_enabled = false;
  Orologio* m_orologio = nullptr;
  std::function<void()> m_gestore;
};
