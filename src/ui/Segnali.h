// SIGINT, SIGTERM and SIGHUP (Ctrl+C, `kill`, a closed terminal) caught and handed to
// the event loop. The handler itself only writes the signal's number into a socket
// pair, which is all a handler may safely do; the event loop reads it and calls back.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

class Segnali final : public QObject {
 public:
  // From now on, each of the three signals calls `arrivato` in the event loop. One
  // object at a time.
  explicit Segnali(std::function<void()> arrivato, QObject* genitore = nullptr);
  // The default handlers again.
  ~Segnali() override;
  Segnali(const Segnali&) = delete;
  Segnali& operator=(const Segnali&) = delete;

 private:
  void Leggi();

  int m_coppia[2] = {-1, -1};
  QSocketNotifier* m_notifica = nullptr;
  std::function<void()> m_arrivato;
};
