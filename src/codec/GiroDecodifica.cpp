#include "codec/GiroDecodifica.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <new>

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>

namespace DecodificaEsterna {

namespace {

namespace P = ProtocolloDecodifica;
using namespace std::chrono_literals;

// How often the child's resident memory is looked at.
constexpr auto IntervalloMisura = 10ms;

// A PNG's bit depth is byte 24, in its header chunk: 16-bit channels are decoded to
// 8 bytes a pixel.
uint32_t BytePerPixel(const Voce& voce) {
  const bool sedici = voce.esame.formato == FormatoMedia::PNG && voce.byte.size() > 24 &&
                      static_cast<unsigned char>(voce.byte[24]) == 16;
  return sedici ? 8 : 4;
}

template <class T>
std::string_view Byte(const T& valore) {
  return {reinterpret_cast<const char*>(&valore), sizeof valore};
}

}  // namespace

Giro::Giro(std::span<const Voce> voci, std::vector<std::optional<EsitoSlot>>& esiti,
           std::vector<size_t> daFare, uint32_t lavoratori, bool pixel,
           Orologio::time_point scadenza)
    : m_voci(voci),
      m_esiti(esiti),
      m_daFare(std::move(daFare)),
      m_inizio(voci.size()),
      m_fase(voci.size(), Fase::Fatta),
      m_pixel(pixel),
      m_scadenza(scadenza) {
  m_intestazioni.push_back(std::string(Byte(P::Richiesta{
      P::Firma, static_cast<uint32_t>(m_daFare.size()), lavoratori, pixel ? 1u : 0u})));
  for (const size_t i : m_daFare) {
    const Voce& v = m_voci[i];
    m_fase[i] = Fase::Attesa;
    m_intestazioni.push_back(std::string(
        Byte(P::Voce{static_cast<uint32_t>(v.slot), static_cast<uint32_t>(v.esame.formato),
                     v.esame.larghezza, v.esame.altezza, BytePerPixel(v), 0, v.byte.size()})));
  }
  m_pezzi.push_back(m_intestazioni[0]);
  for (size_t k = 0; k < m_daFare.size(); ++k) {
    m_pezzi.push_back(m_intestazioni[k + 1]);
    m_pezzi.push_back(m_voci[m_daFare[k]].byte);
  }
}

Fine Giro::Esegui(std::unique_ptr<ProcessoFiglio> figlio) {
  m_figlio = std::move(figlio);
  if (!m_figlio) return {Motivo::Mancante, {}};
  Orologio::time_point misura{};
  for (;;) {
    const auto ora = Orologio::now();
    if (ora >= m_scadenza) return Termina(Motivo::TempoTotale, InCorso());
    auto prossima = m_scadenza;
    std::vector<size_t> scaduti;
    for (const size_t i : InCorso()) {
      const auto limite = m_inizio[i] + std::chrono::seconds(P::SecondiSlot);
      if (ora >= limite) scaduti.push_back(i);
      prossima = std::min(prossima, limite);
    }
    if (!scaduti.empty()) return Termina(Motivo::Tempo, scaduti);
    if (ora - misura >= IntervalloMisura) {
      if (TroppaMemoria()) return Termina(Motivo::Memoria, InCorso());
      misura = ora;
    }
    const auto attesa = std::min<Orologio::duration>(prossima - ora, IntervalloMisura);
    pollfd evento{m_figlio->Socket(), POLLIN, 0};
    if (m_pezzo < m_pezzi.size()) evento.events |= POLLOUT;
    const int ms = static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(attesa).count());
    if (poll(&evento, 1, std::max(ms, 1)) < 0 && errno != EINTR) return Concludi();
    if (evento.revents & POLLOUT) Invia();
    if ((evento.revents & (POLLIN | POLLHUP | POLLERR)) && !Ricevi()) return Concludi();
  }
}

// The child over its own limit, or with this process over what both may hold. A
// sanitizer's shadow memory would count against them both: then only the first.
bool Giro::TroppaMemoria() const {
  const uint64_t figlio = m_figlio->MemoriaResidente();
  return figlio > P::MemoriaResidente ||
         (!P::ConSanitizer && figlio + MemoriaResidenteDi("self") > P::MemoriaInsieme);
}

std::vector<size_t> Giro::InCorso() const {
  std::vector<size_t> inCorso;
  for (const size_t i : m_daFare)
    if (m_fase[i] == Fase::InCorso) inCorso.push_back(i);
  return inCorso;
}

// Ended by this side: killed at once.
Fine Giro::Termina(std::optional<Motivo> motivo, std::vector<size_t> colpevoli) {
  m_figlio->Termina();
  return {motivo, std::move(colpevoli)};
}

// The child ended, or broke the protocol: what its end says.
Fine Giro::Concludi() {
  const int stato = m_figlio->Termina();
  const std::vector<size_t> inCorso = InCorso();
  const bool tutte = std::all_of(m_daFare.begin(), m_daFare.end(),
                                 [&](size_t i) { return m_fase[i] == Fase::Fatta; });
  if (tutte && !m_violazione) return {};
  if (m_violazione) return {Motivo::Interrotto, inCorso};
  if (WIFEXITED(stato) && WEXITSTATUS(stato) == P::CodiceMemoria) return {Motivo::Memoria, inCorso};
  if (WIFEXITED(stato) && WEXITSTATUS(stato) == P::CodiceRecinto)
    return {Motivo::Mancante, inCorso};
  if (WIFSIGNALED(stato) && WTERMSIG(stato) == SIGXCPU) return {Motivo::Tempo, inCorso};
  return {Motivo::Interrotto, inCorso};
}

// Sends what the socket takes now. A child that stopped reading (it ended, or broke)
// is sent nothing more; what it said before is still read, to its end.
void Giro::Invia() {
  while (m_pezzo < m_pezzi.size()) {
    const std::string_view pezzo = m_pezzi[m_pezzo];
    if (m_inviati == pezzo.size()) {
      ++m_pezzo;
      m_inviati = 0;
      continue;
    }
    const ssize_t inviati = send(m_figlio->Socket(), pezzo.data() + m_inviati,
                                 pezzo.size() - m_inviati, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (inviati < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
      m_pezzo = m_pezzi.size();
    if (inviati < 0) return;
    m_inviati += static_cast<size_t>(inviati);
  }
}

bool Giro::Ricevi() {
  // The rows of a picture that could not be given memory here are read and dropped.
  static thread_local unsigned char scarto[64 * 1024];
  for (;;) {
    unsigned char* dove;
    size_t quanti;
    if (m_righe) {
      dove = m_ricevuto.byte ? m_ricevuto.byte.get() + m_lettiRighe : scarto;
      quanti = m_totaleRighe - m_lettiRighe;
      if (!m_ricevuto.byte) quanti = std::min(quanti, sizeof scarto);
    } else {
      dove = reinterpret_cast<unsigned char*>(&m_messaggio) + m_letti;
      quanti = sizeof m_messaggio - m_letti;
    }
    const ssize_t letti = recv(m_figlio->Socket(), dove, quanti, MSG_DONTWAIT);
    if (letti < 0) return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    if (letti == 0) return false;
    if (m_righe) {
      m_lettiRighe += static_cast<size_t>(letti);
      if (m_lettiRighe < m_totaleRighe) continue;
      const size_t i = *m_righe;
      m_righe.reset();
      if (m_ricevuto.byte) {
        Completa(i, std::move(m_ricevuto));
      } else {
        Completa(i, Motivo::Memoria);
      }
      continue;
    }
    m_letti += static_cast<size_t>(letti);
    if (m_letti < sizeof m_messaggio) continue;
    m_letti = 0;
    if (!Leggi(m_messaggio)) {
      m_violazione = true;
      return false;
    }
  }
}

// One message of the child's, held to what was asked of it: a picture announced in the
// order sent, pixels no more than its header promised. False when it breaks that.
bool Giro::Leggi(const P::Messaggio& m) {
  switch (m.tipo) {
    case P::Inizio: {
      if (m_prossima >= m_daFare.size() ||
          m_voci[m_daFare[m_prossima]].slot != static_cast<int>(m.slot))
        return false;
      const size_t i = m_daFare[m_prossima++];
      m_fase[i] = Fase::InCorso;
      m_inizio[i] = Orologio::now();
      return true;
    }
    case P::Pixel: {
      const auto i = Indice(m.slot);
      const uint64_t pixel = uint64_t{m.larghezza} * m.altezza;
      if (!i || pixel == 0 || pixel > m_voci[*i].esame.Pixel()) return false;
      Pixel ricevuto{m.larghezza, m.altezza, m.valore == 1, nullptr};
      if (!m_pixel) {
        Completa(*i, std::move(ricevuto));
        return true;
      }
      ricevuto.byte.reset(new (std::nothrow) unsigned char[pixel * 4]);
      m_ricevuto = std::move(ricevuto);
      m_righe = *i;
      m_lettiRighe = 0;
      m_totaleRighe = pixel * 4;
      return true;
    }
    case P::Rifiuto: {
      const auto i = Indice(m.slot);
      if (!i) return false;
      switch (m.valore) {
        case P::NonDecodificabile:
          Completa(*i, Motivo::NonDecodificabile);
          return true;
        case P::Memoria:
          Completa(*i, Motivo::Memoria);
          return true;
        case P::DecoderMancante:
          Completa(*i, Motivo::Mancante);
          return true;
        default:
          return false;
      }
    }
    case P::Fine:
      m_fine = true;
      return m_prossima == m_daFare.size() && InCorso().empty();
    default:
      return false;
  }
}

// The picture of `slot` that is under way.
std::optional<size_t> Giro::Indice(uint32_t slot) const {
  for (const size_t i : m_daFare)
    if (m_voci[i].slot == static_cast<int>(slot) && m_fase[i] == Fase::InCorso) return i;
  return std::nullopt;
}

void Giro::Completa(size_t i, EsitoSlot esito) {
  m_esiti[i] = std::move(esito);
  m_fase[i] = Fase::Fatta;
}

}  // namespace DecodificaEsterna
