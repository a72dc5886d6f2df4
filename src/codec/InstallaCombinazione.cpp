#include "codec/InstallaCombinazione.h"

#include <unistd.h>

#include <cstring>
#include <optional>

#include "codec/DecodificaEsterna.h"
#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"

namespace fs = std::filesystem;

std::vector<std::string> RifiutiCombinazione(const TipoCombinazione& comb) {
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(comb);
  std::vector<std::string> rifiuti;
  const auto rifiuta = [&](const std::string& slot, const std::optional<Vaglio::Rifiuto>& r) {
    if (r) rifiuti.push_back(slot + ": " + Vaglio::Descrivi(*r));
  };
  // The pictures the gate passes are decoded as the game would decode them.
  const auto decodifica = DecodificaEsterna::Verifica(comb, esame);
  for (int n = 0; n < NumeroImmagini; ++n) {
    const std::string slot = "Immagini(" + std::to_string(n) + ") " + NomiImmagini[n];
    rifiuta(slot, esame.immagini[n].rifiuto);
    if (decodifica[n]) rifiuti.push_back(slot + ": " + DecodificaEsterna::Descrivi(*decodifica[n]));
  }
  for (int n = 0; n < NumeroSuoni; ++n)
    rifiuta("Suoni(" + std::to_string(n) + ") " + NomiSuoni[n], esame.suoni[n]);
  rifiuta("FontFile", esame.font);
  return rifiuti;
}

Risultato<Ricevuta> LeggiRicevuta(const fs::path& file) {
  if (!file.filename().string().ends_with(".skcom"))
    return Errore{"its name does not end in .skcom"};
  auto byte = LeggiFile(file, Vaglio::MaxByteCombinazione);
  if (!byte) return Errore{byte.errore()};
  auto comb = DecodificaCombinazione(byte.valore());
  if (!comb) return Errore{comb.errore()};
  return Ricevuta{file, std::move(byte).valore(), std::move(comb).valore()};
}

size_t MassimoByteNomeFile(const fs::path& cartella) {
  constexpr long Consueto = 255;  // NAME_MAX of the usual Linux file systems
  const long limite = ::pathconf(cartella.c_str(), _PC_NAME_MAX);
  const size_t aggiunti = std::strlen(PrefissoTemporanei) + std::strlen(".XXXXXX");
  const auto massimo = static_cast<size_t>(limite > 0 ? limite : Consueto);
  return massimo > aggiunti ? massimo - aggiunti : 0;
}
