// The game's timers on precise Qt timers. One handler runs at a time: a tick that
// falls due while another handler is still running (inside a modal dialog) is
// dropped, and the timer simply fires again one interval later.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "seams/Orologio.h"

// When a precise Qt timer is due: one interval after it was started, then one interval
// after it was last due, or one interval after a firing that came so late that that
// time had passed already.
class Scadenza {
 public:
  using Tempo = std::chrono::steady_clock::time_point;

  void Avvia(Tempo adesso, std::chrono::milliseconds intervallo) {
    m_intervallo = intervallo;
    m_prossima = adesso + intervallo;
  }
  // How late a firing at `adesso` came; the next due time follows it.
  std::chrono::nanoseconds Scatta(Tempo adesso) {
    const std::chrono::nanoseconds ritardo = adesso - m_prossima;
    m_prossima += m_intervallo;
    if (m_prossima < adesso) m_prossima = adesso + m_intervallo;
    return ritardo;
  }

 private:
  std::chrono::milliseconds m_intervallo{0};
  Tempo m_prossima{};
};

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

  // For the timing benchmark: from now on `misura` is told, at every firing of a
  // timer, how late it came against its schedule. Unset, nothing is measured.
  void MisuraRitardi(std::function<void(std::chrono::nanoseconds)> misura);

 private:
  struct Voce {
    std::unique_ptr<QTimer> qt;
    uint64_t impostazioni = 0;  // the timer's settings when last looked at
    Scadenza scadenza;          // kept only while lateness is measured
  };
  void Riprogramma(const Timer& timer, Voce& v);

  std::map<const Timer*, Voce> m_timer;
  std::function<void()> m_dopoEvento;
  std::function<void(std::chrono::nanoseconds)> m_misura;
  bool m_inCorso = false;
};
