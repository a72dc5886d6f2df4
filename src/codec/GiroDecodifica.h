// One run of the picture decoder's process, as DecodificaEsterna starts one for the
// pictures still to do: the request written to it, its answers read and held to what
// was asked, and its end read for what it says about the pictures under way.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/DecodificaEsterna.h"
#include "codec/ProcessoFiglio.h"
#include "codec/ProtocolloDecodifica.h"

namespace DecodificaEsterna {

// How a child's run ended: all its pictures done, or why not and which were under way.
struct Fine {
  std::optional<Motivo> motivo;
  std::vector<size_t> colpevoli;
};

// One decoder process, given the pictures not yet done. Their results go into `esiti`,
// the index of each in `voci`, as they come.
class Giro {
 public:
  using Orologio = std::chrono::steady_clock;

  Giro(std::span<const Voce> voci, std::vector<std::optional<EsitoSlot>>& esiti,
       std::vector<size_t> daFare, uint32_t lavoratori, bool pixel, Orologio::time_point scadenza);

  // Runs `figlio` (null when it could not be started) on the pictures until they are
  // done, it ends, or a deadline or its memory ends it.
  Fine Esegui(std::unique_ptr<ProcessoFiglio> figlio);

 private:
  Fine Termina(std::optional<Motivo> motivo, std::vector<size_t> colpevoli);
  Fine Concludi();
  std::vector<size_t> InCorso() const;
  bool TroppaMemoria() const;
  void Invia();
  bool Ricevi();
  bool Leggi(const ProtocolloDecodifica::Messaggio& m);
  std::optional<size_t> Indice(uint32_t slot) const;
  void Completa(size_t i, EsitoSlot esito);

  std::span<const Voce> m_voci;
  std::vector<std::optional<EsitoSlot>>& m_esiti;
  const std::vector<size_t> m_daFare;  // indices into m_voci, in the order sent
  std::vector<Orologio::time_point> m_inizio;
  enum class Fase { Attesa, InCorso, Fatta };
  std::vector<Fase> m_fase;
  size_t m_prossima = 0;  // in m_daFare, the next the child should start
  const bool m_pixel;
  const Orologio::time_point m_scadenza;
  std::unique_ptr<ProcessoFiglio> m_figlio;

  std::vector<std::string> m_intestazioni;
  std::vector<std::string_view> m_pezzi;
  size_t m_pezzo = 0, m_inviati = 0;

  ProtocolloDecodifica::Messaggio m_messaggio;
  size_t m_letti = 0;
  std::optional<size_t> m_righe;  // the picture whose rows are arriving
  Pixel m_ricevuto;
  size_t m_lettiRighe = 0, m_totaleRighe = 0;
  bool m_fine = false, m_violazione = false;
};

}  // namespace DecodificaEsterna
