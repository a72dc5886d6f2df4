#include "replay/Verifica.h"

#include <ostream>

#include "replay/Riproduttore.h"

EsitoVerifica VerificaReplica(Replica replica) {
  EsitoVerifica esito;
  esito.dichiarata = replica.intestazione;
  auto moviola = Moviola::Da(std::move(replica), false);
  if (!moviola) {
    esito.errore = moviola.errore();
    return esito;
  }
  Riproduttore& r = moviola.valore()->riproduttore();
  r.FinoAllaFine();
  const Gioco& g = moviola.valore()->g();
  esito.punteggio = g.Punteggio;
  esito.livello = g.Livello;
  esito.durata = r.Ora();
  esito.statoConforme = r.StatoConforme();
  return esito;
}

EsitoVerifica VerificaFileReplica(const std::filesystem::path& file) {
  auto replica = LeggiFileReplica(file);
  if (!replica) {
    EsitoVerifica esito;
    esito.errore = replica.errore();
    return esito;
  }
  return VerificaReplica(std::move(replica.valore()));
}

namespace {

std::string Tempo(int64_t ms) {
  const int64_t s = ms / 1000;
  std::string testo = std::to_string(s / 60) + ":";
  if (s % 60 < 10) testo += '0';
  return testo + std::to_string(s % 60) + "." + std::to_string(ms % 1000 / 100);
}

// "12.340 (il file dice 12.000)" where they differ.
template <class T>
std::string Confronto(const std::string& reale, T valore, T dichiarato,
                      const std::string& dichiaratoTesto) {
  if (valore == dichiarato) return reale;
  return reale + " (il file dice " + dichiaratoTesto + ")";
}

}  // namespace

std::string RigaVerifica(const std::filesystem::path& file, const EsitoVerifica& e) {
  std::string riga = file.string() + ": ";
  // A read error names the file already.
  if (!e.errore.empty()) {
    const std::string nome = file.string() + ": ";
    return e.errore.rfind(nome, 0) == 0 ? "RIFIUTATA " + e.errore : "RIFIUTATA " + riga + e.errore;
  }
  riga = (e.Conforme() ? "VALIDA " : "NON VALIDA ") + riga;
  riga += "punteggio " + Confronto(std::to_string(e.punteggio), e.punteggio, e.dichiarata.punteggio,
                                   std::to_string(e.dichiarata.punteggio));
  riga += ", livello " + Confronto(std::to_string(e.livello), e.livello, e.dichiarata.livello,
                                   std::to_string(e.dichiarata.livello));
  riga +=
      ", tempo " + Confronto(Tempo(e.durata), e.durata, static_cast<int64_t>(e.dichiarata.durata),
                             Tempo(e.dichiarata.durata));
  if (!e.dichiarata.nome.empty()) riga += ", giocatore " + e.dichiarata.nome;
  if (!e.statoConforme) riga += "; la partita non finisce nello stato registrato nel file";
  return riga;
}

int VerificaFile(const std::vector<std::filesystem::path>& file, std::ostream& uscita) {
  int codice = 0;
  for (const auto& f : file) {
    const EsitoVerifica esito = VerificaFileReplica(f);
    uscita << RigaVerifica(f, esito) << '\n';
    if (!esito.Conforme()) codice = 1;
  }
  uscita.flush();
  return codice;
}
