#include "replay/Registratore.h"

#include <chrono>
#include <ctime>

#include "game/Regole.h"
#include "game/frm_main.h"
#include "model/Gioco.h"
#include "replay/StatoPartita.h"

namespace {

// An hour of play is some 270,000 inputs: memory for the first ten minutes is taken
// at once, and what a longer game took is kept for the next.
constexpr size_t EventiRiservati = 64 * 1024;

static_assert(NumeroTipiEventoReplica == NumeroTipiEvento);

}  // namespace

int64_t Registratore::OraReale() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

Registratore::Registratore(Gioco& gioco, Smistatore& smista, std::function<int64_t()> adesso)
    : g(gioco), m_smista(smista), m_adesso(std::move(adesso)) {
  m_eventi.reserve(EventiRiservati);
  m_stato.reserve(32 * 1024);
  m_smista.Osserva(this);
}

Registratore::~Registratore() {
  if (m_smista.Osservatore() == this) m_smista.Osserva(nullptr);
}

bool Registratore::PuoIniziare(const Evento& evento) const {
  // A new game starts only from the game-over banner, clicked or answered by the space
  // bar; a script may click the banner's handler at any time.
  return evento == Evento::Clic(Cartello::GameOver) ||
         (evento == Evento::Carattere(Tasti::Spazio) && g.img_gameover.Visible);
}

void Registratore::PrimaDi(const Evento& evento) {
  const bool esterno = m_smista.Profondita() == 1;
  if (esterno && !m_inCorso && PuoIniziare(evento)) {
    m_forse = true;
    m_inizio = m_adesso();
    StatoPartita::Fotografa(g, m_stato);
    for (size_t i = 1; i <= 10; ++i) m_tabella[i] = g.RecordPunti[i];
    m_combinazione = g.CombinazioneCorrente;
    m_eventi.clear();
  }
  if (!m_inCorso && !m_forse) return;
  const int64_t tempo = m_adesso() - m_inizio;
  if (tempo < 0 || tempo > MaxDurataReplica || m_eventi.size() >= MaxEventiReplica) {
    // Too long to keep: the game goes on unrecorded.
    Abbandona();
    return;
  }
  const int64_t ultimo = m_eventi.empty() ? 0 : m_eventi.back().tempo;
  m_eventi.push_back({static_cast<uint32_t>(std::max(tempo, ultimo)),
                      static_cast<uint8_t>(evento.tipo), evento.codice});
}

void Registratore::DopoDi(const Evento&) {
  if (m_smista.Profondita() != 1) return;  // inside a dialog of another input
  if (m_forse) {
    m_forse = false;
    m_inCorso = !g.img_gameover.Visible;
    if (!m_inCorso) m_eventi.clear();
    return;
  }
  if (m_inCorso && g.img_gameover.Visible) m_finita = Concludi();
}

int Registratore::Posizione() const {
  // As the table takes a score: below every entry with as many points or more.
  for (int p = 1; p <= 10; ++p) {
    if (g.Punteggio > m_tabella[static_cast<size_t>(p)]) return p;
  }
  return 0;
}

PartitaRegistrata Registratore::Concludi() {
  m_inCorso = false;
  PartitaRegistrata finita;
  Replica& r = finita.replica;
  finita.posizione = g.img_gameover.Visible ? Posizione() : 0;
  IntestazioneReplica& i = r.intestazione;
  i.versioneRegole = VersioneRegole;
  if (finita.posizione > 0)
    i.nome = g.RecordNomi[static_cast<size_t>(finita.posizione)].toStdString();
  i.punteggio = g.Punteggio;
  i.livello = g.Livello;
  i.durata = m_eventi.empty() ? 0 : m_eventi.back().tempo;
  i.data = static_cast<int64_t>(std::time(nullptr));
  i.combinazione = m_combinazione.toStdString();
  r.statoIniziale = m_stato;
  r.improntaFinale = StatoPartita::Impronta(g);
  r.eventi.assign(m_eventi.begin(), m_eventi.end());
  m_eventi.clear();
  return finita;
}

std::optional<PartitaRegistrata> Registratore::PrendiFinita() {
  return std::exchange(m_finita, std::nullopt);
}

std::optional<PartitaRegistrata> Registratore::Chiudi() {
  if (!m_inCorso) return std::nullopt;
  return Concludi();
}

void Registratore::Abbandona() {
  m_inCorso = false;
  m_forse = false;
  m_eventi.clear();
}
