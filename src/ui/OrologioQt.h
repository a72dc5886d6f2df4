// The game's timers on precise Qt timers. One handler runs at a time: a tick that
// falls due while another handler is still running (inside a modal dialog) is
// dropped, and the timer simply fires again one interval later.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "seams/Orologio.h"

class OrologioQt final : public QObject, public Orologio {
 public:
  // `dopoEvento` runs after every handler, for the window to catch up with the model.
  explicit OrologioQt(std::function<void()> dopoEvento = {});

  void Registra(const Timer& timer, std::function<void()> gestore) override;
  void Rimuovi(const Timer& timer) override;
  void Dormi(int ms) override;

  void ImpostaDopoEvento(std::function<void()> dopoEvento) { m_dopoEvento = std::move(dopoEvento); }

  // Runs a handler of a key, a click or a menu: while it runs (and any modal
  // dialog it opens), no timer handler runs.
  void Turno(const std::function<void()>& handler);

  // Starts afresh, or stops, the Qt timers of the timers set since the last look:
  // done after every handler and turn, and by whoever sets timers outside them.
  void Guarda();

 private:
  struct Voce {
    std::unique_ptr<QTimer> qt;
    uint64_t impostazioni = 0;  // the timer's settings when last looked at
  };
  void Riprogramma(const Timer& timer, Voce& v);

  std::map<const Timer*, Voce> m_timer;
  std::function<void()> m_dopoEvento;
  bool m_inCorso = false;
};
