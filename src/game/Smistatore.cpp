#include "game/Smistatore.h"

#include "game/frm_main.h"
#include "model/Gioco.h"

namespace {

// In the order of ModelloMain::Timers().
constexpr std::array<void (frm_main::*)(), NumeroTimer> GestoriTimer = {
    &frm_main::tmr_sposta_Timer,
    &frm_main::tmr_proiettile_Timer,
    &frm_main::tmr_proiettilenemico_Timer,
    &frm_main::tmr_rinascita_Timer,
    &frm_main::tmr_spostamentonemici_Timer,
    &frm_main::tmr_puntibonus_Timer};

constexpr std::array<void (frm_main::*)(), NumeroCartelli> GestoriCartelli = {
    &frm_main::img_gameover_Click, &frm_main::img_nextlevel_Click, &frm_main::img_pausa_Click};

// Counts an input as handled for as long as it is.
class InCorso {
 public:
  explicit InCorso(int& profondita) : m_profondita(profondita) { ++m_profondita; }
  ~InCorso() { --m_profondita; }
  InCorso(const InCorso&) = delete;
  InCorso& operator=(const InCorso&) = delete;

 private:
  int& m_profondita;
};

}  // namespace

std::optional<Evento> Evento::DaClick(void (frm_main::*gestore)()) {
  for (size_t i = 0; i < GestoriCartelli.size(); ++i) {
    if (GestoriCartelli[i] == gestore) return Clic(static_cast<Cartello>(i));
  }
  return std::nullopt;
}

bool Evento::Valido() const {
  switch (tipo) {
    case TipoEvento::Timer:
      return codice < NumeroTimer;
    case TipoEvento::Click:
      return codice < NumeroCartelli;
    case TipoEvento::Deactivate:
      return codice == 0;
    case TipoEvento::KeyDown:
    case TipoEvento::KeyUp:
    case TipoEvento::KeyPress:
      return true;
  }
  return false;
}

Smistatore::Smistatore(Gioco& gioco, frm_main& frm) : g(gioco), m_frm(frm) {
  // Registered in order: the order in which timers due at the same instant fire.
  const auto timer = g.Timers();
  for (int i = 0; i < NumeroTimer; ++i)
    g.orologio.Registra(*timer[static_cast<size_t>(i)], [this, i] { Invia(Evento::Scatto(i)); });
}

Smistatore::~Smistatore() {
  for (const Timer* t : g.Timers()) g.orologio.Rimuovi(*t);
}

void Smistatore::Invia(const Evento& evento) {
  if (!evento.Valido()) return;
  InCorso turno(m_profondita);
  // The observer may change while a dialog of the handler is open.
  if (OsservatoreEventi* prima = m_osservatore) prima->PrimaDi(evento);
  Esegui(evento);
  if (OsservatoreEventi* dopo = m_osservatore) dopo->DopoDi(evento);
}

void Smistatore::Esegui(const Evento& evento) {
  switch (evento.tipo) {
    case TipoEvento::Timer:
      return (m_frm.*GestoriTimer[evento.codice])();
    case TipoEvento::KeyDown:
      return m_frm.Form_KeyDown(evento.codice);
    case TipoEvento::KeyUp:
      return m_frm.Form_KeyUp(evento.codice);
    case TipoEvento::KeyPress:
      return m_frm.Form_KeyPress(evento.codice);
    case TipoEvento::Deactivate:
      return m_frm.Form_Deactivate();
    case TipoEvento::Click:
      return (m_frm.*GestoriCartelli[evento.codice])();
  }
}

void Smistatore::Clicca(void (frm_main::*gestore)()) {
  if (const auto evento = Evento::DaClick(gestore)) return Invia(*evento);
  InCorso turno(m_profondita);
  (m_frm.*gestore)();
}

void Smistatore::Menu(void (frm_main::*gestore)()) {
  InCorso turno(m_profondita);
  (m_frm.*gestore)();
}

void Smistatore::Menu(void (frm_main::*gestore)(int), int indice) {
  InCorso turno(m_profondita);
  (m_frm.*gestore)(indice);
}
