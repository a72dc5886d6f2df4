// The steps that make, reset, write or delete a combination: "Crea", "Def",
// "TUTTO A DEFAULT", "Salva e applica" and "Elimina". Their questions are asked in
// Domande.cpp; what is done with the answers is here.
#include "editing/EditorComune.h"

#include "codec/FileAtomico.h"
#include "combinations/GestioneDatiEsterni.h"
#include "editing/UnitaVolume.h"
#include "game/Campo.h"

namespace fs = std::filesystem;

namespace Editor {
namespace {

// Shared by "Def", "TUTTO A DEFAULT" and "Crea".
void ReimpostaImmagine(Gioco& g, ModelloEditor& m, int n) {
  const auto s = static_cast<size_t>(n);
  m.immagini[s] = QStringLiteral("Default");
  g.PercorsiImmagini[s] = QStringLiteral("Default");
  m.anteprime[s] = GestioneDatiEsterni::ImmagineIncorporata(g, n);
  // The game shows it at once, saved or not; the alien shots and the bricks other
  // than the first keep theirs until a combination is applied.
  GestioneDatiEsterni::ImpostaImmagineSlot(g, n, m.anteprime[s], false);
}

void Predefinito(Gioco& g, ModelloEditor& m) {
  for (int n = 0; n < NumeroImmagini; ++n) ReimpostaImmagine(g, m, n);
  m.font = g.lbl_default.Font;
  m.colore = g.lbl_default.ForeColor;
  for (int i = 0; i < NumeroSuoni; ++i) {
    m.suoni[static_cast<size_t>(i)].sorgente.clear();
    ImpostaTestoVolume(g, m, i, QStringLiteral("0"));
    ImpostaPosizione(g, m, i, 0);
    m.suoni[static_cast<size_t>(i)].attiva = false;
  }
}

// Only a combination file of the program folder is deleted, itself and not a link
// to somewhere else.
Esito Eliminabile(const Gioco& g, const fs::path& file) {
  std::error_code ec;
  const fs::file_status stato = fs::symlink_status(file, ec);
  if (ec || !fs::exists(stato)) return ComeErrore(QStringLiteral("il file non esiste"));
  const std::string nome = file.filename().string();
  const bool skcom = nome.size() > 6 && nome.ends_with(".skcom");
  if (fs::is_symlink(stato))
    return ComeErrore(QStringLiteral("è un collegamento, non una combinazione"));
  if (!skcom || !fs::is_regular_file(stato))
    return ComeErrore(QStringLiteral("non è un file di combinazione (.skcom)"));
  if (!fs::equivalent(file.parent_path(), g.CartellaProgramma, ec))
    return ComeErrore(
        QStringLiteral("si eliminano solo le combinazioni della cartella del programma (%1)")
            .arg(QString::fromStdString(g.CartellaProgramma.string())));
  return {};
}

// Deletes the file chosen and confirmed. The game goes on showing what it shows; the
// menu catches up at its next rebuild. The choice remembered for the next start goes
// only with the combination in use: deleting another one leaves it, and the audio
// switch it keeps, alone.
void EliminaConfermato(Gioco& g, const fs::path& file, const QString& scelto, bool corrente) {
  const QString nonEliminato = QStringLiteral("Impossibile eliminare il file %1.").arg(scelto);
  if (!corrente) {
    if (!EliminaFile(file)) Messaggio(g, nonEliminato, Icona::Critica);
    return;
  }
  if (GestioneDatiEsterni::EliminaCombinazione(g, file)) return;
  if (GestioneDatiEsterni::VerificaEsistenza(file))
    return Messaggio(g, nonEliminato, Icona::Critica);
  Messaggio(g,
            QStringLiteral("Il file %1 è stato eliminato, ma non il file delle scelte "
                           "CombinazioneScelta: al prossimo avvio si userà ancora la "
                           "combinazione che vi è indicata, se esiste.")
                .arg(scelto),
            Icona::Esclamazione);
}

// The labels' font and colour the file carries, from the preview. The size goes as
// text, as the font panel rounds it.
void CampiFont(Gioco& g, const Carattere& font, uint32_t colore) {
  g.EditorFontNome = font.Name;
  g.EditorFontDimensione = TestoDimensione(font.Size);
  g.EditorFontColore = QString::number(colore);
  g.EditorFontGrassetto = font.Bold;
  g.EditorFontCorsivo = font.Italic;
}

// What the game was using, put back when the combination can't become the game's.
struct StatoGioco {
  QString corrente;
  decltype(Gioco::Volumi) volumi;
  QString password;
  TipoCombinazione comb;

  explicit StatoGioco(const Gioco& g)
      : corrente(g.CombinazioneCorrente),
        volumi(g.Volumi),
        password(g.PasswordCombinazione),
        comb(g.Comb) {}
  void Ripristina(Gioco& g) {
    g.CombinazioneCorrente = corrente;
    g.Volumi = volumi;
    g.PasswordCombinazione = password;
    g.Comb = std::move(comb);
  }
};

// The editor's contents into the game's fields, for the file writer: the slots still
// showing the game's combination keep what they hold, under whatever name it is saved.
std::array<QString, NumeroSuoni> Prepara(Gioco& g, const ModelloEditor& m,
                                         const QString& password) {
  const auto propria = [&](const QString& sorgente) {
    return m.origine != QLatin1String("Default") && sorgente == m.origine ? m.nome : sorgente;
  };
  for (size_t n = 0; n < NumeroImmagini; ++n) g.PercorsiImmagini[n] = propria(m.immagini[n]);
  CampiFont(g, m.font, m.colore);
  g.PasswordCombinazione = password;
  g.CombinazioneCorrente = m.nome;
  std::array<QString, NumeroSuoni> sorgenti;
  for (size_t i = 0; i < NumeroSuoni; ++i) {
    g.Volumi[i] = UnitaVolume::DaPosizione(m.suoni[i].posizione);
    sorgenti[i] = propria(m.suoni[i].sorgente);
  }
  g.Comb.FontFile = m.fontFile;
  g.Comb.FontFileNome = m.fontFileNome;
  return sorgenti;
}

// "Salva e applica" once its questions are answered: the file written, remembered as
// the choice, and put in play; the editor goes. A file that can't be read or written
// has been reported and the editor stays as it is; a choice that can't be remembered
// is told and leaves the game on the combination it had.
void Registra(Gioco& g, ModelloEditor& m, const QString& password) {
  StatoGioco prima(g);
  const std::array<QString, NumeroSuoni> sorgenti = Prepara(g, m, password);
  if (!GestioneDatiEsterni::ScriviCombinazione(g, m.nome, sorgenti)) return prima.Ripristina(g);
  if (const Esito ricordata = GestioneDatiEsterni::RicordaScelta(g, m.nome); !ricordata) {
    prima.Ripristina(g);
    GestioneDatiEsterni::CostruisciMenu(g);
    AggiornaPrincipale(m);
    Messaggio(g,
              QStringLiteral("La combinazione %1 è stata salvata, ma non è stato possibile "
                             "ricordarla come scelta nella cartella del programma (%2): il gioco "
                             "continua con quella di prima.")
                  .arg(m.nome, QString::fromStdString(g.CartellaProgramma.string())),
              Icona::Critica);
    return;
  }
  FermaProve(g, m);
  GestioneDatiEsterni::CostruisciMenu(g);
  GestioneDatiEsterni::ApplicaCombinazione(g);
  GestioneDatiEsterni::ApplicaFont(g);
  AggiornaPrincipale(m);
  g.finestre.Scarica(Finestra::frm_opzioni);
}

}  // namespace

void Def(Gioco& g, ModelloEditor& m, int n) {
  if (Protetta(g) || n < 0 || n >= NumeroImmagini) return;
  ReimpostaImmagine(g, m, n);
  AggiornaPrincipale(m);
}

void TuttoADefault(Gioco& g, ModelloEditor& m) {
  if (Protetta(g)) return;
  m.intestazione = QStringLiteral("Default");
  // The next save asks for a new name.
  g.CombinazioneInModifica = m.nome = QStringLiteral("Default");
  Predefinito(g, m);
  AggiornaPrincipale(m);
}

void Elimina(Gioco& g, ModelloEditor& m) {
  m.Cd.filtro = Filtro(FiltriEditor::Combinazioni);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.Cd);
  if (!scelto) {
    m.Cd.filtro = Filtro(FiltriEditor::ImmaginiRipristinato);
    return;
  }
  m.Cd.filtro = Filtro(FiltriEditor::Immagini);
  const fs::path file = Percorso(*scelto);
  if (const Esito eliminabile = Eliminabile(g, file); !eliminabile) {
    Messaggio(g,
              QStringLiteral("Impossibile eliminare %1: %2.")
                  .arg(*scelto, TestoErrore(eliminabile.errore())),
              Icona::Esclamazione);
    return;
  }
  const std::optional<fs::path> inUso =
      GestioneDatiEsterni::FileCombinazione(g, g.CombinazioneCorrente);
  std::error_code ec;
  const bool corrente = !g.UsaDefault && inUso && fs::equivalent(file, *inUso, ec);
  QString domanda = QStringLiteral("Eliminare ") + *scelto + QStringLiteral(" ?");
  if (corrente)
    domanda +=
        QLatin1Char('\r') + QStringLiteral(
                                "%1 è la combinazione in uso: il gioco continua a usarla fino alla "
                                "chiusura, dal prossimo avvio userà la combinazione Default.")
                                .arg(g.CombinazioneCorrente);
  if (g.dialoghi.MsgBox(domanda, Pulsanti::OKAnnulla, Icona::Domanda, Firma()) == Risposta::OK)
    EliminaConfermato(g, file, *scelto, corrente);
}

void Crea(Gioco& g, ModelloEditor& m) {
  // A name or an author that can't be stored leaves everything as it was.
  const std::optional<NuovoNome> dato = ChiediNuovaCombinazione(g);
  if (!dato) return;
  g.CombinazioneInModifica = m.nome = dato->nome;
  g.AutoreCombinazione = m.autore = dato->autore;
  m.intestazione = m.nome + QStringLiteral(" by ") + m.autore;
  // The game still uses its old combination, and the captions say so.
  m.titolo = Didascalia(g.CombinazioneCorrente, std::nullopt, 2, QStringLiteral("OPZIONI - "));
  m.Cd.titolo = Didascalia(g.CombinazioneCorrente, std::nullopt, 2, QStringLiteral("APRI - "));
  m.cd_audio.titolo = m.Cd.titolo;
  Predefinito(g, m);
  AggiornaPrincipale(m);
}

void Salva(Gioco& g, ModelloEditor& m) {
  // What is typed in a volume box and not yet taken over is what the player sees.
  for (int i = 0; i < NumeroSuoni; ++i) LasciaVolume(g, m, i);
  const std::optional<QString> password = ChiediSalvataggio(g, m);
  if (password) Registra(g, m, *password);
}

}  // namespace Editor
