#include "codec/DecodificaEsterna.h"

#include <chrono>
#include <cstdlib>

#include <unistd.h>

#include "codec/GiroDecodifica.h"
#include "codec/ProcessoFiglio.h"
#include "codec/ProtocolloDecodifica.h"

namespace fs = std::filesystem;

namespace DecodificaEsterna {

namespace {

namespace P = ProtocolloDecodifica;
using Orologio = std::chrono::steady_clock;

std::optional<fs::path>& EseguibileScelto() {
  static std::optional<fs::path> percorso;
  return percorso;
}

// The environment a decoder gets beyond the libraries': a test's switch.
std::vector<std::string> Ambiente() {
  std::vector<std::string> altre;
  if (const char* guasto = std::getenv(P::VariabileGuasto))
    altre.push_back(std::string(P::VariabileGuasto) + "=" + guasto);
  return AmbienteMinimo(altre);
}

// A decoder started by Prepara, waiting for its pictures.
struct Pronto {
  fs::path eseguibile;
  std::vector<std::string> ambiente;
  std::unique_ptr<ProcessoFiglio> figlio;
};

Pronto& FiglioPronto() {
  static Pronto pronto;
  return pronto;
}

std::unique_ptr<ProcessoFiglio> Avvia(const fs::path& eseguibile,
                                      const std::vector<std::string>& ambiente) {
  auto figlio = std::make_unique<ProcessoFiglio>();
  if (figlio->Avvia(eseguibile, ambiente) != 0) return nullptr;
  return figlio;
}

// The decoder Prepara started, if it still runs as this call would start one; a new
// one otherwise.
std::unique_ptr<ProcessoFiglio> Figlio(const fs::path& eseguibile) {
  Pronto& pronto = FiglioPronto();
  std::unique_ptr<ProcessoFiglio> figlio = std::move(pronto.figlio);
  const std::vector<std::string> ambiente = Ambiente();
  if (figlio && pronto.eseguibile == eseguibile && pronto.ambiente == ambiente && figlio->InVita())
    return figlio;
  return Avvia(eseguibile, ambiente);
}

}  // namespace

std::string Descrivi(Motivo motivo) {
  switch (motivo) {
    case Motivo::NonDecodificabile:
      return "the picture does not decode";
    case Motivo::Memoria:
      return "decoding it went over the decoder's memory limit";
    case Motivo::Interrotto:
      return "the decoder crashed on it";
    case Motivo::Tempo:
      return "decoding it took over " + std::to_string(P::SecondiSlot) + " s";
    case Motivo::TempoTotale:
      return "decoding the pictures took over " + std::to_string(P::SecondiTotali) + " s in all";
    case Motivo::Mancante:
      return std::string("the picture decoder, ") + P::NomeEseguibile +
             ", is missing or cannot run";
  }
  return {};
}

std::vector<EsitoSlot> Decodifica(std::span<const Voce> voci, bool pixel) {
  std::vector<std::optional<EsitoSlot>> esiti(voci.size());
  const auto rimaste = [&] {
    std::vector<size_t> daFare;
    for (size_t i = 0; i < voci.size(); ++i)
      if (!esiti[i]) daFare.push_back(i);
    return daFare;
  };
  for (size_t i = 0; i < voci.size(); ++i)
    if (voci[i].esame.rifiuto) esiti[i] = Motivo::NonDecodificabile;
  const auto eseguibile = Eseguibile();
  const auto scadenza = Orologio::now() + std::chrono::seconds(P::SecondiTotali);
  uint32_t lavoratori = P::Lavoratori;
  for (std::vector<size_t> daFare = rimaste(); !daFare.empty(); daFare = rimaste()) {
    std::optional<Motivo> perTutte;
    if (!eseguibile) perTutte = Motivo::Mancante;
    if (Orologio::now() >= scadenza) perTutte = Motivo::TempoTotale;
    Fine fine;
    if (!perTutte)
      fine = Giro(voci, esiti, daFare, lavoratori, pixel, scadenza).Esegui(Figlio(*eseguibile));
    const bool avanti = rimaste().size() < daFare.size();
    if (fine.motivo == Motivo::TempoTotale) perTutte = fine.motivo;
    // A child that ended on one picture ended because of it; one that ended on two
    // leaves them to be decoded again one at a time, which tells which it was. One that
    // ended between pictures, having done none, will do no better next time.
    if (fine.motivo &&
        (fine.colpevoli.size() == 1 || (fine.motivo == Motivo::Tempo && !fine.colpevoli.empty()))) {
      for (const size_t i : fine.colpevoli) esiti[i] = *fine.motivo;
    } else if (fine.motivo && fine.colpevoli.size() > 1) {
      lavoratori = 1;
    } else if (fine.motivo && !avanti) {
      perTutte = fine.motivo;
    }
    if (perTutte) {
      for (const size_t i : rimaste()) esiti[i] = *perTutte;
    }
  }
  std::vector<EsitoSlot> risultato;
  risultato.reserve(voci.size());
  for (std::optional<EsitoSlot>& esito : esiti) risultato.push_back(std::move(*esito));
  return risultato;
}

std::array<std::optional<Motivo>, NumeroImmagini> Verifica(const TipoCombinazione& comb,
                                                           const Vaglio::EsameCombinazione& esame) {
  std::vector<Voce> voci;
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    if (comb.Immagini[s] != ImmagineDefault && !esame.immagini[s].rifiuto)
      voci.push_back({n, comb.Immagini[s], esame.immagini[s]});
  }
  const std::vector<EsitoSlot> esiti = Decodifica(voci, false);
  std::array<std::optional<Motivo>, NumeroImmagini> motivi{};
  for (size_t i = 0; i < voci.size(); ++i)
    if (const Motivo* motivo = std::get_if<Motivo>(&esiti[i]))
      motivi[static_cast<size_t>(voci[i].slot)] = *motivo;
  return motivi;
}

std::optional<fs::path> Eseguibile() {
  if (EseguibileScelto()) return EseguibileScelto();
  std::error_code ec;
  const fs::path cartella = fs::read_symlink("/proc/self/exe", ec).parent_path();
  if (ec) return std::nullopt;
  for (const fs::path& percorso :
       {cartella / P::NomeEseguibile, cartella / "../libexec/skarvex" / P::NomeEseguibile}) {
    if (fs::is_regular_file(percorso, ec) && access(percorso.c_str(), X_OK) == 0)
      return percorso.lexically_normal();
  }
  return std::nullopt;
}

void Prepara() {
  const auto eseguibile = Eseguibile();
  Pronto& pronto = FiglioPronto();
  const std::vector<std::string> ambiente = Ambiente();
  if (!eseguibile ||
      (pronto.figlio && pronto.eseguibile == *eseguibile && pronto.ambiente == ambiente))
    return;
  pronto = {*eseguibile, ambiente, Avvia(*eseguibile, ambiente)};
}

void UsaEseguibile(fs::path percorso) {
  EseguibileScelto() = std::move(percorso);
}

}  // namespace DecodificaEsterna
