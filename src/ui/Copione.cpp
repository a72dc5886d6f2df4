#include "ui/Copione.h"

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>

#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

#include "codec/FileAtomico.h"
#include "drawing/Disegno.h"
#include "drawing/ImmaginiIncorporate.h"
#include "game/Campo.h"
#include "game/Partita.h"
#include "replay/Registratore.h"
#include "replay/Riproduttore.h"
#include "seams/LatiCopione.h"
#include "ui/FontsQt.h"
#include "ui/Istantanea.h"
#include "ui/VariabiliCopione.h"

namespace {

// A script comes from anyone: a longer line is refused before it is held whole.
constexpr size_t MaxByteRiga = 64 * 1024;
// Virtual time never gets this far (146 million years): a timer's next firing, an
// interval later, can't overflow.
constexpr int64_t MaxOraVirtuale = std::numeric_limits<int64_t>::max() / 2;
constexpr long long MaxPunti = 1LL << 53;
// Sprites and labels stand within a few thousand twips of the playfield; far more
// could not be drawn.
constexpr float MaxTwips = 1e9f;

// A script line that cannot be understood or acted on.
struct ErroreRiga : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Rifiuta(const QString& motivo) {
  throw ErroreRiga(motivo.toStdString());
}

long long Intero(const QString& testo, const char* cosa) {
  bool ok = false;
  const long long valore = testo.toLongLong(&ok);
  if (!ok)
    Rifiuta(QStringLiteral("%1 must be a whole number, not '%2'").arg(QLatin1String(cosa), testo));
  return valore;
}

// A whole number within what its variable holds, or narrower; never one wrapped round.
template <typename T>
T Intero(const QString& testo, const char* cosa, long long minimo = std::numeric_limits<T>::min(),
         long long massimo = std::numeric_limits<T>::max()) {
  const long long valore = Intero(testo, cosa);
  if (valore < minimo || valore > massimo)
    Rifiuta(QStringLiteral("%1 must be from %2 to %3, not %4")
                .arg(QLatin1String(cosa))
                .arg(minimo)
                .arg(massimo)
                .arg(testo));
  return static_cast<T>(valore);
}

bool Booleano(const QString& testo) {
  if (testo == QLatin1String("true") || testo == QLatin1String("-1")) return true;
  if (testo == QLatin1String("false") || testo == QLatin1String("0")) return false;
  Rifiuta(QStringLiteral("expected true or false, not '%1'").arg(testo));
}

float Twips(const QString& testo) {
  bool ok = false;
  const float valore = testo.toFloat(&ok);
  if (!ok) Rifiuta(QStringLiteral("expected a number of twips, not '%1'").arg(testo));
  if (!std::isfinite(valore) || std::abs(valore) > MaxTwips)
    Rifiuta(QStringLiteral("a number of twips must be from %1 to %2, not '%3'")
                .arg(-MaxTwips, 0, 'g', 10)
                .arg(MaxTwips, 0, 'g', 10)
                .arg(testo));
  return valore;
}

// A value of type T for a variable, as the script writes it.
template <class T>
T Valore(const QString& testo, const char* cosa) {
  if constexpr (std::is_same_v<T, bool>) {
    return Booleano(testo);
  } else if constexpr (std::is_same_v<T, QString>) {
    return testo;
  } else if constexpr (std::is_same_v<T, int64_t>) {
    // Scores: what a snapshot's JSON number still carries exactly, and far from where
    // adding a bonus could overflow.
    return Intero<T>(testo, cosa, -MaxPunti, MaxPunti);
  } else {
    return Intero<T>(testo, cosa);
  }
}

// The game's counters (Livello, Vite, PassiSparo, ...) are 16-bit whole numbers, and its
// sums over them (20 x Livello + 150, a level's bonus) stay far within an int only while
// they are.
int Contatore(const QString& testo, const char* cosa) {
  return Intero<int>(testo, cosa, std::numeric_limits<int16_t>::min(),
                     std::numeric_limits<int16_t>::max());
}

// A plain variable of the runner's table.
void ImpostaVariabile(Gioco& g, const VariabileCopione& v, const QString& valore) {
  std::visit(
      [&](auto membro) {
        auto& variabile = g.*membro;
        using T = std::decay_t<decltype(variabile)>;
        if constexpr (std::is_same_v<T, int>)
          variabile = Contatore(valore, v.NomeValore());
        else if constexpr (!VariabiliCopione::EArray<T>)
          variabile = Valore<T>(valore, v.NomeValore());
      },
      v.membro);
}

// What `set` names: NAME, NAME(i), NAME.PROPERTY or NAME(i).PROPERTY.
struct NomeDaImpostare {
  QString intero;
  QString base;
  int indice = -1;  // none
  QString proprieta;
};

NomeDaImpostare Analizza(const QString& nome) {
  static const QRegularExpression forma(QStringLiteral(R"(^(\w+)(?:\((\d+)\))?(?:\.(\w+))?$)"));
  const auto parti = forma.match(nome);
  if (!parti.hasMatch()) Rifiuta(QStringLiteral("cannot set '%1'").arg(nome));
  NomeDaImpostare n{nome, parti.captured(1), -1, parti.captured(3)};
  if (!parti.captured(2).isEmpty()) {
    bool intero = false;
    n.indice = parti.captured(2).toInt(&intero);
    if (!intero) Rifiuta(QStringLiteral("cannot set '%1'").arg(nome));
  }
  return n;
}

// An element of an array variable of the runner's table, among those the snapshot shows.
void ImpostaElemento(Gioco& g, const NomeDaImpostare& n, const QString& valore) {
  const VariabileCopione* v = VariabiliCopione::Trova(n.base);
  const auto i = static_cast<size_t>(n.indice);
  if (!v || !v->EArray() || v->soloLettura || i < v->primo || i >= v->primo + v->quanti)
    Rifiuta(QStringLiteral("cannot set '%1'").arg(n.intero));
  std::visit(
      [&](auto membro) {
        auto& variabile = g.*membro;
        using T = std::decay_t<decltype(variabile)>;
        if constexpr (VariabiliCopione::EArray<T>)
          variabile[i] = Valore<typename T::value_type>(valore, v->NomeValore());
      },
      v->membro);
}

void ImpostaSprite(Sprite& sprite, const QString& proprieta, const QString& valore) {
  const std::pair<const char*, float Sprite::*> misure[] = {{"Left", &Sprite::Left},
                                                            {"Top", &Sprite::Top},
                                                            {"Width", &Sprite::Width},
                                                            {"Height", &Sprite::Height}};
  for (const auto& [nome, misura] : misure) {
    if (proprieta == QLatin1String(nome)) return void(sprite.*misura = Twips(valore));
  }
  if (proprieta == QLatin1String("Visible")) return void(sprite.Visible = Booleano(valore));
  Rifiuta(QStringLiteral("a sprite has no property '%1'").arg(proprieta));
}

void ImpostaEtichetta(Etichetta& etichetta, const QString& proprieta, const QString& valore) {
  if (proprieta == QLatin1String("Caption")) return void(etichetta.Caption = valore);
  if (proprieta == QLatin1String("Visible")) return void(etichetta.Visible = Booleano(valore));
  if (proprieta == QLatin1String("Left")) return void(etichetta.Left = Twips(valore));
  if (proprieta == QLatin1String("Top")) return void(etichetta.Top = Twips(valore));
  Rifiuta(QStringLiteral("a label has no settable property '%1'").arg(proprieta));
}

void ImpostaTimer(Timer& timer, const QString& proprieta, const QString& valore) {
  if (proprieta == QLatin1String("Enabled")) return timer.SetEnabled(Booleano(valore));
  if (proprieta != QLatin1String("Interval"))
    Rifiuta(QStringLiteral("a timer has no property '%1'").arg(proprieta));
  if (Intero(valore, "an interval") < 0)
    Rifiuta(QStringLiteral("an interval must not be negative"));
  timer.SetInterval(Intero<int>(valore, "an interval", 0));
}

enum class Lettura { Riga, Fine, TroppoLunga };

// One line of the script without its '\n', as std::getline reads it, but never more
// than MaxByteRiga bytes of it: a longer one is left unread past that.
Lettura LeggiRiga(std::istream& copione, std::string& riga) {
  riga.clear();
  std::streambuf& sorgente = *copione.rdbuf();
  for (bool letto = false;; letto = true) {
    const int c = sorgente.sbumpc();
    if (c == std::char_traits<char>::eof()) return letto ? Lettura::Riga : Lettura::Fine;
    if (c == '\n') return Lettura::Riga;
    if (riga.size() == MaxByteRiga) return Lettura::TroppoLunga;
    riga.push_back(static_cast<char>(c));
  }
}

class Esecutore {
 public:
  Esecutore(const std::filesystem::path& cartella, std::ostream& uscita)
      : m_partita(cartella, CreaAudioMuto(), std::make_unique<FontsQt>()), m_uscita(uscita) {
    m_partita.frm.Form_Load();
  }

  // From now on the games are recorded on the virtual clock.
  void Registra() {
    m_registratore =
        std::make_unique<Registratore>(m_gioco, m_smista, [this] { return m_orologio.Ora(); });
  }

  // After each line: a game that has just ended is kept.
  void DopoRiga() {
    if (!m_registratore) return;
    if (auto finita = m_registratore->PrendiFinita()) m_ultima = std::move(finita);
  }

  // The game under way, else the last one that ended.
  std::optional<PartitaRegistrata> Registrata() {
    DopoRiga();
    if (m_registratore)
      if (auto inCorso = m_registratore->Chiudi()) return inCorso;
    return std::move(m_ultima);
  }

  // The replay's game played on this one to its end; time moves on by the game's length,
  // and the timers count afresh from there.
  Esito Rivedi(const std::filesystem::path& file) {
    auto replica = LeggiFileReplica(file);
    if (!replica) return Errore{replica.errore()};
    Riproduttore riproduttore(m_partita, std::move(replica.valore()));
    if (Esito inizio = riproduttore.Inizia(); !inizio)
      return Errore{file.string() + ": " + inizio.errore()};
    riproduttore.FinoAllaFine();
    m_orologio.Dormi(static_cast<int>(riproduttore.Durata()));
    return {};
  }

  bool Terminato() const { return m_finestre.PrincipaleChiusa(); }

  void Esegui(const QString& riga) {
    const QString testo = riga.trimmed();
    const qsizetype spazio = testo.indexOf(QLatin1Char(' '));
    const QString comando = spazio < 0 ? testo : testo.left(spazio);
    const QString resto = spazio < 0 ? QString() : testo.mid(spazio + 1).trimmed();
    const QStringList parole = resto.split(QLatin1Char(' '), Qt::SkipEmptyParts);

    if (comando == QLatin1String("keydown") || comando == QLatin1String("keyup") ||
        comando == QLatin1String("keypress")) {
      // A key or character code: 16 bits.
      const int codice = Intero<int>(Parola(parole, 0, 1), "the key code", 0, 0xFFFF);
      AttivaPrincipale();
      if (comando == QLatin1String("keydown")) m_smista.Invia(Evento::Giu(codice));
      if (comando == QLatin1String("keyup")) m_smista.Invia(Evento::Su(codice));
      if (comando == QLatin1String("keypress")) m_smista.Invia(Evento::Carattere(codice));
    } else if (comando == QLatin1String("click")) {
      Click(Parola(parole, 0, 1));
    } else if (comando == QLatin1String("menu")) {
      Menu(parole);
    } else if (comando == QLatin1String("wait")) {
      const long long ms = Intero(Parola(parole, 0, 1), "the wait");
      if (ms < 0) Rifiuta(QStringLiteral("the wait must not be negative"));
      if (ms > MaxOraVirtuale - m_orologio.Ora())
        Rifiuta(QStringLiteral("the wait must not take the clock past %1 ms").arg(MaxOraVirtuale));
      m_orologio.Avanza(ms);
    } else if (comando == QLatin1String("set")) {
      if (parole.size() < 2) Rifiuta(QStringLiteral("set needs a NAME and a VALUE"));
      if (m_registratore && m_registratore->InCorso())
        Rifiuta(
            QStringLiteral("set cannot change a game being recorded (--registra): its replay "
                           "would not play back the same game"));
      Imposta(parole[0], resto.mid(resto.indexOf(QLatin1Char(' ')) + 1).trimmed());
    } else if (comando == QLatin1String("answer")) {
      m_dialoghi.AccodaTesto(resto);  // the rest of the line, inner blanks kept
    } else if (comando == QLatin1String("reply")) {
      Rispondi(Parola(parole, 0, 1));
    } else if (comando == QLatin1String("dump")) {
      if (!parole.isEmpty()) Rifiuta(QStringLiteral("dump takes no arguments"));
      Scarica();
    } else if (comando == QLatin1String("shot")) {
      if (resto.isEmpty()) Rifiuta(QStringLiteral("shot needs a PATH"));
      Fotografa(resto);
    } else {
      Rifiuta(QStringLiteral("unknown command '%1'").arg(comando));
    }
  }

 private:
  static QString Parola(const QStringList& parole, int i, int quante) {
    if (parole.size() != quante) {
      Rifiuta(QStringLiteral("expected %1 argument%2, found %3")
                  .arg(quante)
                  .arg(quante == 1 ? "" : "s")
                  .arg(parole.size()));
    }
    return parole[i];
  }

  // The picture is written whole under its name, never through a link or into a FIFO or
  // a device that happens to bear it.
  void Fotografa(const QString& percorso) {
    const QString nonScritta = QStringLiteral("cannot write the picture '%1'").arg(percorso);
    const std::filesystem::path file = QFile::encodeName(percorso).toStdString();
    struct stat stato {};
    if (::lstat(file.c_str(), &stato) == 0 && !S_ISREG(stato.st_mode))
      Rifiuta(nonScritta + (S_ISLNK(stato.st_mode)
                                ? QStringLiteral(": it is a symbolic link, never written through")
                                : QStringLiteral(": it is not a regular file")));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!m_pittore.Fotografa(m_gioco).save(&buffer, "PNG")) Rifiuta(nonScritta);
    if (const Esito scritta =
            ScriviFileAtomico(file, std::string_view(png.constData(), png.size()));
        !scritta)
      Rifiuta(nonScritta + QStringLiteral(": ") + QString::fromStdString(scritta.errore()));
  }

  // A click, a key or a menu of the main window activates it, and the about and
  // help windows close when they lose activation.
  void AttivaPrincipale() {
    m_finestre.Scarica(Finestra::frm_inf);
    m_finestre.Scarica(Finestra::frm_aiuto);
  }

  void Click(const QString& nome) {
    AttivaPrincipale();
    const Controllo* c = Campo::Trova(nome);
    if (!c || c->EVoce() || !c->click)
      Rifiuta(QStringLiteral("nothing to click called '%1'").arg(nome));
    m_smista.Clicca(c->click);
  }

  void Menu(const QStringList& parole) {
    if (parole.isEmpty()) Rifiuta(QStringLiteral("menu needs a NAME"));
    const QString& nome = parole[0];
    const Controllo* c = Campo::Trova(nome);
    if (c && c->EVoce() && c->clickIndice) {
      const int indice = Intero<int>(Parola(parole, 1, 2), "the menu index", 0);
      if (!Campo::Elemento<VoceMenu>(m_gioco, *c, indice))
        Rifiuta(QStringLiteral("there is no menu item %1(%2)").arg(nome).arg(indice));
      AttivaPrincipale();
      m_smista.Menu(c->clickIndice, indice);
      return;
    }
    if (parole.size() != 1) Rifiuta(QStringLiteral("menu %1 takes no index").arg(nome));
    if (!c || !c->EVoce() || !c->click)
      Rifiuta(QStringLiteral("no menu item '%1' has a click handler").arg(nome));
    AttivaPrincipale();
    m_smista.Menu(c->click);
  }

  void Rispondi(const QString& pulsante) {
    const std::pair<const char*, Risposta> pulsanti[] = {{"yes", Risposta::Si},
                                                         {"no", Risposta::No},
                                                         {"ok", Risposta::OK},
                                                         {"cancel", Risposta::Annulla}};
    for (const auto& [nome, risposta] : pulsanti) {
      if (pulsante == QLatin1String(nome)) return m_dialoghi.AccodaPulsante(risposta);
    }
    Rifiuta(QStringLiteral("reply must be yes, no, ok or cancel, not '%1'").arg(pulsante));
  }

  void Scarica() {
    const QJsonObject istantanea = Istantanea(m_gioco, m_orologio.Ora(), m_suoni,
                                              m_dialoghi.PrendiBox(), m_finestre.Caricate());
    m_suoni.clear();
    m_uscita << QJsonDocument(istantanea).toJson(QJsonDocument::Compact).toStdString() << '\n';
    m_uscita.flush();
  }

  void Imposta(const QString& nome, const QString& valore);

  Partita<LatiCopione> m_partita;
  OrologioVirtuale& m_orologio = m_partita.orologio;
  DialoghiCopione& m_dialoghi = m_partita.dialoghi;
  FinestreCopione& m_finestre = m_partita.finestre;
  Gioco& m_gioco = m_partita.g;
  Smistatore& m_smista = m_partita.smista;
  std::unique_ptr<Registratore> m_registratore;
  std::optional<PartitaRegistrata> m_ultima;  // the last game recorded to its end
  std::vector<int>& m_suoni = m_partita.suoni;
  ImmaginiIncorporate m_immagini;  // parsed only for a `shot`
  Pittore m_pittore{m_immagini};
  std::ostream& m_uscita;
};

// `set NAME VALUE`: a variable, an element of an array variable (Volumi(3)), or a
// property of a sprite, a label or a timer (img_muro(3).Visible, tmr_sposta.Enabled).
void Esecutore::Imposta(const QString& nome, const QString& valore) {
  const VariabileCopione* variabile = VariabiliCopione::Trova(nome);
  if (variabile && !variabile->EArray()) return ImpostaVariabile(m_gioco, *variabile, valore);
  const NomeDaImpostare n = Analizza(nome);
  if (n.proprieta.isEmpty() && n.indice >= 0) return ImpostaElemento(m_gioco, n, valore);

  const Controllo* controllo = Campo::Trova(n.base);
  if (Sprite* s = controllo ? Campo::Elemento<Sprite>(m_gioco, *controllo, n.indice) : nullptr)
    return ImpostaSprite(*s, n.proprieta, valore);
  if (n.base.startsWith(QLatin1String("img_")) && n.indice >= 0)
    Rifiuta(QStringLiteral("there is no sprite %1(%2)").arg(n.base).arg(n.indice));
  if (Etichetta* e =
          controllo ? Campo::Elemento<Etichetta>(m_gioco, *controllo, n.indice) : nullptr)
    return ImpostaEtichetta(*e, n.proprieta, valore);
  for (Timer* t : m_gioco.Timers()) {
    if (n.indice < 0 && t->Nome() == n.base) return ImpostaTimer(*t, n.proprieta, valore);
  }
  Rifiuta(QStringLiteral("nothing called '%1' can be set").arg(nome));
}

int EseguiRighe(Esecutore& esecutore, std::istream& copione, std::ostream& errori) {
  std::string riga;
  for (int numero = 1; !esecutore.Terminato(); ++numero) {
    const Lettura lettura = LeggiRiga(copione, riga);
    if (lettura == Lettura::Fine) break;
    if (lettura == Lettura::TroppoLunga) {
      errori << "line " << numero << ": longer than " << MaxByteRiga << " bytes\n";
      return 1;
    }
    QString testo = QString::fromStdString(riga);
    if (testo.endsWith(QLatin1Char('\r'))) testo.chop(1);
    const QString pulito = testo.trimmed();
    if (pulito.isEmpty() || pulito.startsWith(QLatin1Char('#'))) continue;
    try {
      esecutore.Esegui(testo);
      esecutore.DopoRiga();
    } catch (const ErroreRiga& e) {
      errori << "line " << numero << ": " << e.what() << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace

int EseguiCopione(const std::filesystem::path& cartella, std::istream& copione,
                  std::ostream& uscita, std::ostream& errori, const OpzioniCopione& opzioni) {
  Esecutore esecutore(cartella, uscita);
  if (opzioni.rivedi) {
    if (const Esito rivista = esecutore.Rivedi(*opzioni.rivedi); !rivista) {
      errori << rivista.errore() << '\n';
      return 1;
    }
  }
  if (opzioni.registra) esecutore.Registra();
  const int codice = EseguiRighe(esecutore, copione, errori);
  if (codice != 0 || !opzioni.registra) return codice;
  const auto registrata = esecutore.Registrata();
  if (!registrata) {
    errori << "no game was played to record in '" << opzioni.registra->string() << "'\n";
    return 1;
  }
  if (const Esito scritta = ScriviFileReplica(*opzioni.registra, registrata->replica); !scritta) {
    errori << scritta.errore() << '\n';
    return 1;
  }
  return 0;
}
