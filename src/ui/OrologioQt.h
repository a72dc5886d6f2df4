// The game's timers on precise Qt timers. One handler runs at a time: a tick that
// falls due while another handler is still running (inside a modal dialog) is
// dropped, and the timer simply fires again one interval later.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "seams/Orologio.h"

class OrologioQt final : public QObject, public Orologio {
 public:
  // `dopoEvento` runs after every handler, for the window to catch up with the model.
  explicit OrologioQt(std::function<void()> dopoEvento = {});

  void Registra(Timer& timer) override;
  void Riprogramma(Timer& timer) override;
  void Rimuovi(Timer& timer) override;
  void Dormi(int ms) override;

  void ImpostaDopoEvento(std::function<void()> dopoEvento) { m_dopoEvento = std::move(dopoEvento); }

  // Runs a handler of a key, a click or a menu: while it runs (and any modal
  // dialog it opens), no timer handler runs.
  void Turno(const std::function<void()>& handler);

 private:
  std::map<Timer*, std::unique_ptr<QTimer>> m_timer;
  std::function<void()> m_dopoEvento;
  bool m_inCorso = false;
};
