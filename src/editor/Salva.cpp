// Creating a combination ("Crea") and saving it ("Salva e applica"): the names,
// author and password asked, the file written, remembered, listed and applied.
#include "combinations/GestioneDatiEsterni.h"
#include "game/Campo.h"
#include "editor/TabelleEditor.h"
#include "editor/UnitaVolume.h"
#include "editor/frm_opzioni.h"
#include "model/Gioco.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace {

constexpr int MinimoNome = 3, MassimoNome = 25, MassimoAutore = 25;
constexpr int MinimoPassword = 3, MassimoPassword = 12;
constexpr int MassimoNomeFile = 255;  // bytes, on the file systems the program runs on

qsizetype Lunghezza(const QString& testo) {
  return testo.toUcs4().size();
}

// A name becomes "<name>.skcom" in the program folder, so it must be a file name
// here: no folder separator or control character, not "." or "..", not too long.
bool NomeFileValido(const QString& nome) {
  if (nome == QLatin1String(".") || nome == QLatin1String("..")) return false;
  for (const QChar c : nome) {
    if (c == QLatin1Char('/') || c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  }
  return nome.toUtf8().size() + 6 <= MassimoNomeFile;
}

}  // namespace

bool frm_opzioni::NomeAccettabile(const QString& nome) {
  if (NomeFileValido(nome)) return true;
  Messaggio(QStringLiteral("Il nome contiene caratteri non validi"), Icona::Esclamazione);
  return false;
}

QString frm_opzioni::ChiediAutore() {
  const QString autore = g.dialoghi.InputBox(QStringLiteral("Autore?"), Firma(), QString());
  return autore.isEmpty() ? QStringLiteral("Anonimo") : autore;
}

void frm_opzioni::CB_crea_Click() {
  const QString nome =
      g.dialoghi.InputBox(QStringLiteral("Nome Combinazione?"), Firma(), QString());
  if (nome.isEmpty()) return;
  if (Lunghezza(nome) < MinimoNome) {
    Messaggio(QStringLiteral("Il nome deve contenere almeno 3 caratteri"), Icona::Esclamazione);
    return;
  }
  if (!NomeAccettabile(nome)) return;
  if (GestioneDatiEsterni::VerificaEsistenza(GestioneDatiEsterni::FileCombinazione(g, nome))) {
    Messaggio(QStringLiteral("Il nome esiste già"), Icona::Esclamazione);
    return;
  }
  g.CombinazioneInModifica = nome;
  g.AutoreCombinazione = ChiediAutore();
  lbl_combinazione->setText(nome + QStringLiteral(" by ") + g.AutoreCombinazione);
  // The game still uses its old combination, and the captions say so.
  setWindowTitle(Didascalia(g.CombinazioneCorrente, std::nullopt, 2, QStringLiteral("OPZIONI - ")));
  Cd.titolo = Didascalia(g.CombinazioneCorrente, std::nullopt, 2, QStringLiteral("APRI - "));
  for (int n = 0; n < NumeroImmagini; ++n) ReimpostaImmagine(n);
  FontPredefinito();
  SvuotaSuoni();
  AggiornaPrincipale();
}

bool frm_opzioni::ChiediNome() {
  const QString nome = g.dialoghi.InputBox(QStringLiteral("Inserire il nome della combinazione"),
                                           Firma(), QString());
  if (nome.isEmpty()) return false;
  if (Lunghezza(nome) < MinimoNome || Lunghezza(nome) > MassimoNome) {
    Messaggio(QStringLiteral("Il nome deve avere un numero di caratteri compreso tra 3 e 25"),
              Icona::Esclamazione);
    return false;
  }
  if (!NomeAccettabile(nome)) return false;
  if (GestioneDatiEsterni::VerificaEsistenza(GestioneDatiEsterni::FileCombinazione(g, nome))) {
    Messaggio(QStringLiteral("la combinazione ") + nome + QStringLiteral(" esiste già!"),
              Icona::Esclamazione);
    return false;
  }
  g.AutoreCombinazione = ChiediAutore();
  if (Lunghezza(g.AutoreCombinazione) > MassimoAutore) {
    Messaggio(QStringLiteral("Il numero massimo di caratteri consentiti è 25"),
              Icona::Esclamazione);
    return false;
  }
  g.CombinazioneInModifica = nome;
  return true;
}

bool frm_opzioni::ChiediPassword() {
  // A combination loaded with a password keeps it while locked and is saved without
  // one once unlocked; the protect box counts only for one loaded without.
  if (!g.Comb.Password.empty()) return true;
  if (!chk_password->isChecked()) {
    g.PasswordCombinazione.clear();
    return true;
  }
  for (;;) {
    const QString password = g.dialoghi.InputBox(
        QStringLiteral("Scegli una PassWord da 3 a 12 caratteri"), Firma(), QString());
    if (password.isEmpty()) return false;
    if (Lunghezza(password) >= MinimoPassword && Lunghezza(password) <= MassimoPassword) {
      g.PasswordCombinazione = password;
      return true;
    }
    Messaggio(QStringLiteral("Password non in range"), Icona::Informazione);
  }
}

void frm_opzioni::cb_salva_Click() {
  if (g.CombinazioneInModifica == QLatin1String("Default") && !ChiediNome()) return;
  const QString passwordPrima = g.PasswordCombinazione;
  if (!ChiediPassword()) return;

  for (size_t n = 0; n < NumeroImmagini; ++n) g.PercorsiImmagini[n] = CaselleImmagine[n]->text();
  g.EditorFontNome = m_fontAnteprima.Name;
  g.EditorFontDimensione = QString::number(m_fontAnteprima.Size);
  g.EditorFontColore = QString::number(m_coloreAnteprima);
  g.EditorFontGrassetto = m_fontAnteprima.Bold;
  g.EditorFontCorsivo = m_fontAnteprima.Italic;

  // What the game was using, for when the combination can't become the game's.
  const QString correntePrima = g.CombinazioneCorrente;
  const auto volumiPrima = g.Volumi;
  TipoCombinazione combPrima = g.Comb;
  const auto ripristina = [&] {
    g.CombinazioneCorrente = correntePrima;
    g.Volumi = volumiPrima;
    g.PasswordCombinazione = passwordPrima;
    g.Comb = std::move(combPrima);
  };

  g.CombinazioneCorrente = g.CombinazioneInModifica;
  std::array<QString, NumeroSuoni> sorgenti;
  for (size_t i = 0; i < NumeroSuoni; ++i) {
    g.Volumi[i] = UnitaVolume::DaPosizione(HS_regolavol[i]->value());
    sorgenti[i] = txt_audio[i]->text();
  }
  g.Comb.FontFile = m_fontFile;
  g.Comb.FontFileNome = m_fontFileNome;
  // A file that can't be read or written has been reported; the editor stays as it is.
  if (!GestioneDatiEsterni::ScriviCombinazione(g, g.CombinazioneInModifica, sorgenti)) {
    ripristina();
    return;
  }
  if (const Esito ricordata = GestioneDatiEsterni::RicordaScelta(g, g.CombinazioneInModifica);
      !ricordata) {
    ripristina();
    GestioneDatiEsterni::CostruisciMenu(g);
    AggiornaPrincipale();
    Messaggio(
        QStringLiteral("La combinazione %1 è stata salvata, ma non è stato possibile "
                       "ricordarla come scelta nella cartella del programma (%2): il gioco "
                       "continua con quella di prima.")
            .arg(g.CombinazioneInModifica, QString::fromStdString(g.CartellaProgramma.string())),
        Icona::Critica);
    return;
  }

  FermaProve();
  GestioneDatiEsterni::CostruisciMenu(g);
  GestioneDatiEsterni::ApplicaCombinazione(g);
  GestioneDatiEsterni::ApplicaFont(g);
  AggiornaPrincipale();
  g.finestre.Scarica(Finestra::frm_opzioni);
}
