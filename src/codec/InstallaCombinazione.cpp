#include "codec/InstallaCombinazione.h"

#include <unistd.h>

#include <cstring>
#include <optional>
#include <system_error>

#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/Vaglio.h"

namespace fs = std::filesystem;

std::vector<std::string> RifiutiCombinazione(const TipoCombinazione& comb) {
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(comb);
  std::vector<std::string> rifiuti;
  const auto rifiuta = [&](const std::string& slot, const std::optional<Vaglio::Rifiuto>& r) {
    if (r) rifiuti.push_back(slot + ": " + Vaglio::Descrivi(*r));
  };
  for (int n = 0; n < NumeroImmagini; ++n)
    rifiuta("Immagini(" + std::to_string(n) + ") " + NomiImmagini[n], esame.immagini[n].rifiuto);
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

Risultato<CombinazioneInstallata> InstallaCombinazione(const fs::path& file,
                                                       const fs::path& cartella, bool sostituisci) {
  using Come = CombinazioneInstallata::Come;
  if (!file.filename().string().ends_with(".skcom"))
    return Errore{"its name does not end in .skcom"};
  auto byte = LeggiFile(file, Vaglio::MaxByteCombinazione);
  if (!byte) return Errore{byte.errore()};
  auto comb = DecodificaCombinazione(byte.valore());
  if (!comb) return Errore{comb.errore()};
  const std::vector<std::string> rifiuti = RifiutiCombinazione(comb.valore());
  if (!rifiuti.empty()) {
    std::string perche = "the game refuses " + rifiuti.front();
    if (rifiuti.size() > 1)
      perche += " (and " + std::to_string(rifiuti.size() - 1) + " more: see check)";
    return Errore{perche};
  }
  const std::string& nome = comb.valore().Nome;
  if (nome == "Default")
    return Errore{"the name stored in it is Default, the built-in combination's"};
  const std::string nomeFile = nome + ".skcom";
  if (!NomeFileSicuro(nomeFile))
    return Errore{"the name stored in it, \"" + nome +
                  "\", cannot be a file name (empty, hidden, too long, or with a slash)"};

  CombinazioneInstallata esito{Come::Nuova, nome, cartella / nomeFile};
  std::error_code ec;
  const fs::file_status stato = fs::symlink_status(esito.percorso, ec);
  const bool presente = stato.type() != fs::file_type::not_found;
  if (presente && ec)
    return Errore{"cannot look for " + esito.percorso.string() + ": " + ec.message()};
  if (stato.type() == fs::file_type::regular) {
    const auto gia = LeggiFile(esito.percorso, Vaglio::MaxByteCombinazione);
    if (gia && gia.valore() == byte.valore()) {
      esito.come = Come::Identica;
      return esito;
    }
  }
  if (presente && !sostituisci) {
    esito.come = Come::Diversa;
    return esito;
  }
  // Not replacing, a name that appeared since the look above still stays as it was.
  if (auto scritto = sostituisci ? ScriviFileAtomico(esito.percorso, byte.valore())
                                 : CreaFileAtomico(esito.percorso, byte.valore());
      !scritto)
    return Errore{scritto.errore()};
  if (presente) esito.come = Come::Sostituita;
  return esito;
}
