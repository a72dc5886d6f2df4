// What "Crea" and "Salva e applica" ask before they change anything: a name, an
// author and a password, each held to the rules a combination file can keep.
#include "editing/EditorComune.h"

#include "combinations/GestioneDatiEsterni.h"

namespace Editor {
namespace {

constexpr int MinimoNome = 3, MassimoNome = 25, MassimoAutore = 25;
constexpr int MinimoPassword = 3, MassimoPassword = 12;

enum class Domanda { Crea, Salva };

qsizetype Lunghezza(const QString& testo) {
  return testo.toUcs4().size();
}

// A refusal told with an exclamation, and no answer.
std::nullopt_t Rifiuta(Gioco& g, const std::string& motivo) {
  Messaggio(g, TestoErrore(motivo), Icona::Esclamazione);
  return std::nullopt;
}

// The text fields of a combination are stored in Windows-1252: a character it lacks
// would come back as '?', so a name would no longer be its file's and a password
// would no longer open. The refusal names the first such character of `testo`.
Esito Salvabile(const QString& campo, const QString& testo) {
  const auto carattere = GestioneDatiEsterni::PrimoNonSalvabile(testo);
  if (!carattere) return {};
  return ComeErrore(GestioneDatiEsterni::MotivoNonSalvabile(campo, *carattere,
                                                            QStringLiteral("in una combinazione")));
}

// A name is stored inside a combination and is its file's name too. It is written
// in Windows-1252, so each character must have a byte there, and it becomes
// "<name>.skcom" in the program folder, so it must make a plain file name; Default
// is the built-in combination's.
Esito NomeSalvabile(const Gioco& g, const QString& nome) {
  if (nome.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
    return ComeErrore(QStringLiteral("Il nome Default è riservato alla combinazione predefinita"));
  if (Esito salvabile = Salvabile(QStringLiteral("Il nome"), nome); !salvabile) return salvabile;
  if (!GestioneDatiEsterni::FileCombinazione(g, nome))
    return ComeErrore(QStringLiteral("Il nome contiene caratteri non validi"));
  return {};
}

bool NomeEsiste(const Gioco& g, const QString& nome) {
  const auto file = GestioneDatiEsterni::FileCombinazione(g, nome);
  return file && GestioneDatiEsterni::VerificaEsistenza(*file);
}

// A name typed for "Crea" or "Salva e applica", without the blanks at its ends, for a
// combination not yet in the folder.
Risultato<QString> NomeDato(const Gioco& g, const QString& risposta, Domanda domanda) {
  const QString nome = risposta.trimmed();
  if (nome.isEmpty())
    return ComeErrore(QStringLiteral("Il nome non può essere fatto solo di spazi"));
  const qsizetype lunghezza = Lunghezza(nome);
  if (domanda == Domanda::Salva && (lunghezza < MinimoNome || lunghezza > MassimoNome))
    return ComeErrore(
        QStringLiteral("Il nome deve avere un numero di caratteri compreso tra 3 e 25"));
  if (lunghezza < MinimoNome)
    return ComeErrore(QStringLiteral("Il nome deve contenere almeno 3 caratteri"));
  if (lunghezza > MassimoNome)
    return ComeErrore(QStringLiteral("Il nome può avere al massimo 25 caratteri"));
  if (Esito salvabile = NomeSalvabile(g, nome); !salvabile) return Errore{salvabile.errore()};
  if (NomeEsiste(g, nome))
    return ComeErrore(domanda == Domanda::Crea ? QStringLiteral("Il nome esiste già")
                                               : QStringLiteral("la combinazione ") + nome +
                                                     QStringLiteral(" esiste già!"));
  return nome;
}

// The author typed; an empty answer is "Anonimo".
Risultato<QString> AutoreDato(const QString& risposta) {
  if (Esito salvabile = Salvabile(QStringLiteral("L'autore"), risposta); !salvabile)
    return Errore{salvabile.errore()};
  return risposta.isEmpty() ? QStringLiteral("Anonimo") : risposta;
}

std::optional<NuovoNome> ChiediNome(Gioco& g, Domanda domanda) {
  const QString risposta = g.dialoghi.InputBox(
      domanda == Domanda::Crea ? QStringLiteral("Nome Combinazione?")
                               : QStringLiteral("Inserire il nome della combinazione"),
      Firma(), QString());
  if (risposta.isEmpty()) return std::nullopt;
  Risultato<QString> nome = NomeDato(g, risposta, domanda);
  if (!nome) return Rifiuta(g, nome.errore());
  Risultato<QString> autore =
      AutoreDato(g.dialoghi.InputBox(QStringLiteral("Autore?"), Firma(), QString()));
  if (!autore) return Rifiuta(g, autore.errore());
  return NuovoNome{std::move(nome).valore(), std::move(autore).valore()};
}

// Default is never written. Nor is a name that can't be stored as it is (the file,
// made elsewhere or by an earlier version, has a name outside Windows-1252 or one that
// is reserved): the player is told why, and both ask for a new name.
bool DaRinominare(Gioco& g, const ModelloEditor& m) {
  if (m.nome == QLatin1String("Default")) return true;
  const Esito salvabile = NomeSalvabile(g, m.nome);
  if (salvabile) return false;
  Messaggio(g,
            TestoErrore(salvabile.errore()) +
                QStringLiteral(": la combinazione va salvata con un altro nome."),
            Icona::Esclamazione);
  return true;
}

// The name and author of "Salva e applica", taken as soon as they are given.
bool Rinomina(Gioco& g, ModelloEditor& m) {
  const std::optional<NuovoNome> dato = ChiediNome(g, Domanda::Salva);
  if (!dato) return false;
  g.AutoreCombinazione = m.autore = dato->autore;
  // Refused, the long author stays the combination's, as the author's own box would
  // keep it; the name does not.
  if (Lunghezza(m.autore) > MassimoAutore) {
    Messaggio(g, QStringLiteral("Il numero massimo di caratteri consentiti è 25"),
              Icona::Esclamazione);
    return false;
  }
  g.CombinazioneInModifica = m.nome = dato->nome;
  return true;
}

// Typed hidden, a password is asked twice: a typo would lock its maker out for good.
std::optional<QString> ChiediNuovaPassword(Gioco& g) {
  for (;;) {
    const QString password =
        g.dialoghi.PasswordBox(QStringLiteral("Scegli una PassWord da 3 a 12 caratteri"), Firma());
    if (password.isEmpty()) return std::nullopt;
    if (Lunghezza(password) < MinimoPassword || Lunghezza(password) > MassimoPassword) {
      Messaggio(g, QStringLiteral("Password non in range"), Icona::Informazione);
      continue;
    }
    if (const Esito salvabile = Salvabile(QStringLiteral("La password"), password); !salvabile) {
      Messaggio(g, TestoErrore(salvabile.errore()), Icona::Informazione);
      continue;
    }
    const QString conferma =
        g.dialoghi.PasswordBox(QStringLiteral("Scrivi di nuovo la PassWord per conferma"), Firma());
    if (conferma.isEmpty()) return std::nullopt;
    if (conferma == password) return password;
    Messaggio(g, QStringLiteral("Le due PassWord non coincidono: scrivila due volte uguale"),
              Icona::Esclamazione);
  }
}

// A combination loaded with a password keeps it while locked and is saved without
// one once unlocked; the protect box counts only for one loaded without.
std::optional<QString> ChiediPassword(Gioco& g, const ModelloEditor& m) {
  if (!g.Comb.Password.empty()) return g.PasswordCombinazione;
  if (!m.proteggi) return QString();
  return ChiediNuovaPassword(g);
}

}  // namespace

std::optional<NuovoNome> ChiediNuovaCombinazione(Gioco& g) {
  return ChiediNome(g, Domanda::Crea);
}

std::optional<QString> ChiediSalvataggio(Gioco& g, ModelloEditor& m) {
  if (DaRinominare(g, m) && !Rinomina(g, m)) return std::nullopt;
  return ChiediPassword(g, m);
}

}  // namespace Editor
