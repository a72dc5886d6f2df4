// The editor's steps: loading, the pickers and volumes, the resets, deleting,
// creating and saving, the font panel and the password.
#include "editing/Editor.h"

#include "codec/FileAtomico.h"
#include "codec/Vaglio.h"
#include "combinations/Decodifica.h"
#include "combinations/GestioneDatiEsterni.h"
#include "game/Campo.h"
#include "editing/UnitaVolume.h"
#include "model/Gioco.h"
#include "sound/Suoni.h"
#include "sound/dShow.h"

#include <QFile>

#include <algorithm>
#include <optional>
#include <variant>

namespace fs = std::filesystem;

namespace {

constexpr int MinimoNome = 3, MassimoNome = 25, MassimoAutore = 25;
constexpr int MinimoPassword = 3, MassimoPassword = 12;

QString Filtro(const char* filtro) {
  return QString::fromLatin1(filtro);
}

// The path a file dialog answered, for the file system.
fs::path Percorso(const QString& testo) {
  return fs::path(QFile::encodeName(testo).toStdString());
}

qsizetype Lunghezza(const QString& testo) {
  return testo.toUcs4().size();
}

bool Protetta(const Gioco& g) {
  return !g.PasswordCombinazione.isEmpty();
}

bool Riga(int i) {
  return i >= 0 && i < NumeroSuoni;
}

void Messaggio(Gioco& g, const QString& testo, Icona icona) {
  g.dialoghi.MsgBox(testo, Pulsanti::OK, icona, Firma());
}

void AggiornaPrincipale(ModelloEditor& m) {
  if (m.avvisi.aggiornaPrincipale) m.avvisi.aggiornaPrincipale();
}

void AvvisaTimer(ModelloEditor& m, bool acceso) {
  if (m.avvisi.timerProva) m.avvisi.timerProva(acceso);
}

// The text fields of a combination are stored in Windows-1252: a character it lacks
// would come back as '?', so a name would no longer be its file's and a password
// would no longer open. What says so, naming the first such character of `testo`.
std::optional<QString> FuoriWindows1252(const QString& campo, const QString& testo) {
  const auto carattere = GestioneDatiEsterni::PrimoNonSalvabile(testo);
  if (!carattere) return std::nullopt;
  return GestioneDatiEsterni::MotivoNonSalvabile(campo, *carattere,
                                                 QStringLiteral("in una combinazione"));
}

// Why a name can't be stored inside a combination and be its file's name too; nothing
// when it can. The name is written in Windows-1252, so each character must have a
// byte there, and it becomes "<name>.skcom" in the program folder, so it must make a
// plain file name; Default is the built-in combination's.
std::optional<QString> NomeNonSalvabile(const Gioco& g, const QString& nome) {
  if (nome.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("Il nome Default è riservato alla combinazione predefinita");
  if (const auto motivo = FuoriWindows1252(QStringLiteral("Il nome"), nome)) return motivo;
  if (!GestioneDatiEsterni::FileCombinazione(g, nome))
    return QStringLiteral("Il nome contiene caratteri non validi");
  return std::nullopt;
}

enum class Domanda { Crea, Salva };

// A name typed for "Crea" or "Salva e applica", without the blanks at its ends; nothing
// after telling the player which rule it breaks.
std::optional<QString> NomeDato(Gioco& g, const QString& risposta, Domanda domanda) {
  const QString nome = risposta.trimmed();
  std::optional<QString> motivo;
  if (nome.isEmpty()) {
    motivo = QStringLiteral("Il nome non può essere fatto solo di spazi");
  } else if (domanda == Domanda::Salva &&
             (Lunghezza(nome) < MinimoNome || Lunghezza(nome) > MassimoNome)) {
    motivo = QStringLiteral("Il nome deve avere un numero di caratteri compreso tra 3 e 25");
  } else if (Lunghezza(nome) < MinimoNome) {
    motivo = QStringLiteral("Il nome deve contenere almeno 3 caratteri");
  } else if (Lunghezza(nome) > MassimoNome) {
    motivo = QStringLiteral("Il nome può avere al massimo 25 caratteri");
  } else {
    motivo = NomeNonSalvabile(g, nome);
  }
  if (motivo) {
    Messaggio(g, *motivo, Icona::Esclamazione);
    return std::nullopt;
  }
  return nome;
}

bool NomeEsiste(const Gioco& g, const QString& nome) {
  const auto file = GestioneDatiEsterni::FileCombinazione(g, nome);
  return file && GestioneDatiEsterni::VerificaEsistenza(*file);
}

// Why the file chosen for "Elimina" is not to be deleted: only a combination file of
// the program folder is, itself and not a link to somewhere else.
std::optional<QString> NonEliminabile(const Gioco& g, const fs::path& file) {
  std::error_code ec;
  const fs::file_status stato = fs::symlink_status(file, ec);
  if (ec || !fs::exists(stato)) return QStringLiteral("il file non esiste");
  const std::string nome = file.filename().string();
  const bool skcom = nome.size() > 6 && nome.ends_with(".skcom");
  if (fs::is_symlink(stato)) return QStringLiteral("è un collegamento, non una combinazione");
  if (!skcom || !fs::is_regular_file(stato))
    return QStringLiteral("non è un file di combinazione (.skcom)");
  if (!fs::equivalent(file.parent_path(), g.CartellaProgramma, ec))
    return QStringLiteral("si eliminano solo le combinazioni della cartella del programma (%1)")
        .arg(QString::fromStdString(g.CartellaProgramma.string()));
  return std::nullopt;
}

// The author; nothing after telling the player it can't be stored.
std::optional<QString> ChiediAutore(Gioco& g) {
  const QString autore = g.dialoghi.InputBox(QStringLiteral("Autore?"), Firma(), QString());
  if (const auto motivo = FuoriWindows1252(QStringLiteral("L'autore"), autore)) {
    Messaggio(g, *motivo, Icona::Esclamazione);
    return std::nullopt;
  }
  return autore.isEmpty() ? QStringLiteral("Anonimo") : autore;
}

// A picture decoded from a file for slot `slot` as a combination's pictures are,
// through the same gate and within what the combination's other pictures leave of its
// budget; the reason when it can't be used.
std::variant<Immagine, QString> ImmagineDaFile(const QString& file, int slot, uint64_t altriPixel) {
  const QString illeggibile = QStringLiteral("non è un'immagine JPG, GIF o BMP leggibile");
  auto byte = LeggiFile(Percorso(file), Vaglio::MaxByteCombinazione);
  if (!byte) return illeggibile;
  Vaglio::EsameImmagine esame = Vaglio::EsaminaImmagine(byte.valore());
  if (!esame.rifiuto && altriPixel + esame.Pixel() > Vaglio::MaxPixelCombinazione)
    esame.rifiuto = Vaglio::Rifiuto{Vaglio::Motivo::PixelCombinazione, altriPixel + esame.Pixel(),
                                    Vaglio::MaxPixelCombinazione};
  if (esame.rifiuto) {
    switch (esame.rifiuto->motivo) {
      case Vaglio::Motivo::Formato:
      case Vaglio::Motivo::Danneggiato:
        return illeggibile;
      case Vaglio::Motivo::Pixel:
      case Vaglio::Motivo::PixelCombinazione:
        return QStringLiteral("è troppo grande (%1)")
            .arg(MotivoRifiuto(*esame.rifiuto, TipoSlot::Immagine));
      default:
        return MotivoRifiuto(*esame.rifiuto, TipoSlot::Immagine);
    }
  }
  // Decoded in the child, as the game will: what it can't decode says why.
  const DecodificaEsterna::Voce voce{slot, byte.valore(), esame};
  ImmagineDecodificata immagine = std::move(DecodificaImmagini({&voce, 1}).front());
  if (const auto* motivo = std::get_if<DecodificaEsterna::Motivo>(&immagine))
    return *motivo == DecodificaEsterna::Motivo::NonDecodificabile ? illeggibile
                                                                   : MotivoDecodifica(*motivo);
  return std::get<Immagine>(std::move(immagine));
}

// The pixels of the pictures chosen for the slots other than n, as the game will
// decode them.
uint64_t PixelAltriSlot(const ModelloEditor& m, int n) {
  uint64_t pixel = 0;
  for (int k = 0; k < NumeroImmagini; ++k) {
    const QImage& dati = m.anteprime[static_cast<size_t>(k)].Dati;
    if (k != n && m.immagini[static_cast<size_t>(k)] != QLatin1String("Default"))
      pixel += static_cast<uint64_t>(dati.width()) * static_cast<uint64_t>(dati.height());
  }
  return pixel;
}

// The player a row's trial uses: the one of the file chosen here, else the game's.
const Effetto* EffettoRiga(const Gioco& g, const ModelloEditor& m, int i) {
  const auto s = static_cast<size_t>(i);
  return m.effetti[s] ? m.effetti[s].get() : g.BufferSuoni[s].get();
}

void VolumeMusicaEditor(Gioco& g) {
  int32_t volume = g.VolumiEditor[0];
  dShow::VolumeMusica(g, volume);
}

// Stops every trial, as leaving the window does.
void FermaProve(Gioco& g, ModelloEditor& m) {
  for (int i = 1; i < NumeroSuoni; ++i) {
    if (EffettoRiga(g, m, i)) g.audio.Ferma(i);
  }
  dShow::FermaMusica(g);
  AvvisaTimer(m, false);
  m.suoni[0].prova = false;
  g.ProvaMusica = false;
}

void RiapriMusicaGioco(Gioco& g, ModelloEditor& m) {
  const fs::path musica = g.File(NomeFileSuono(0));
  if (!g.OrigineSuoni[0].isEmpty() && GestioneDatiEsterni::VerificaEsistenza(musica)) {
    dShow::ApriMusica(g, musica);
  } else {
    dShow::ChiudiMusica(g);
  }
  m.musicaSostituita = false;
  m.musicaEditor.clear();
}

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
    Editor::ImpostaTestoVolume(g, m, i, QStringLiteral("0"));
    Editor::ImpostaPosizione(g, m, i, 0);
    m.suoni[static_cast<size_t>(i)].attiva = false;
  }
}

void ApriMusica(Gioco& g, ModelloEditor& m) {
  m.cd_audio.filtro = Filtro(FiltriEditor::Musica);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.cd_audio);
  // The music filter is for this row only, chosen or cancelled.
  m.cd_audio.filtro = Filtro(FiltriEditor::AudioDopoMusica);
  if (!scelto) return;
  dShow::ApriMusica(g, Percorso(*scelto));
  if (g.audio.Disponibile() && !g.audio.MusicaAperta()) {
    // Back to what played before: the file chosen earlier, or the game's music.
    if (m.musicaEditor.isEmpty()) {
      RiapriMusicaGioco(g, m);
    } else {
      dShow::ApriMusica(g, Percorso(m.musicaEditor));
    }
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: non è un file audio MP3, WAV o MID "
                             "leggibile.")
                  .arg(*scelto),
              Icona::Esclamazione);
    return;
  }
  m.musicaSostituita = true;
  m.musicaEditor = *scelto;
  RigaSuono& riga = m.suoni[0];
  riga.sorgente = *scelto;
  Editor::ImpostaTestoVolume(g, m, 0, QStringLiteral("100"));
  riga.attiva = true;
  Editor::ImpostaPosizione(g, m, 0, UnitaVolume::Intero(riga.volume).value_or(100));
}

// The questions of "Salva e applica"; false when the player refused or was refused
// (and told why).
bool ChiediNome(Gioco& g, ModelloEditor& m) {
  const QString risposta = g.dialoghi.InputBox(
      QStringLiteral("Inserire il nome della combinazione"), Firma(), QString());
  if (risposta.isEmpty()) return false;
  const std::optional<QString> dato = NomeDato(g, risposta, Domanda::Salva);
  if (!dato) return false;
  const QString& nome = *dato;
  if (NomeEsiste(g, nome)) {
    Messaggio(g, QStringLiteral("la combinazione ") + nome + QStringLiteral(" esiste già!"),
              Icona::Esclamazione);
    return false;
  }
  const std::optional<QString> autore = ChiediAutore(g);
  if (!autore) return false;
  g.AutoreCombinazione = m.autore = *autore;
  if (Lunghezza(m.autore) > MassimoAutore) {
    Messaggio(g, QStringLiteral("Il numero massimo di caratteri consentiti è 25"),
              Icona::Esclamazione);
    return false;
  }
  g.CombinazioneInModifica = m.nome = nome;
  return true;
}

bool ChiediPassword(Gioco& g, const ModelloEditor& m) {
  // A combination loaded with a password keeps it while locked and is saved without
  // one once unlocked; the protect box counts only for one loaded without.
  if (!g.Comb.Password.empty()) return true;
  if (!m.proteggi) {
    g.PasswordCombinazione.clear();
    return true;
  }
  // Typed hidden, a password is asked twice: a typo would lock its maker out for good.
  for (;;) {
    const QString password =
        g.dialoghi.PasswordBox(QStringLiteral("Scegli una PassWord da 3 a 12 caratteri"), Firma());
    if (password.isEmpty()) return false;
    if (Lunghezza(password) < MinimoPassword || Lunghezza(password) > MassimoPassword) {
      Messaggio(g, QStringLiteral("Password non in range"), Icona::Informazione);
      continue;
    }
    if (const auto motivo = FuoriWindows1252(QStringLiteral("La password"), password)) {
      Messaggio(g, *motivo, Icona::Informazione);
      continue;
    }
    const QString conferma =
        g.dialoghi.PasswordBox(QStringLiteral("Scrivi di nuovo la PassWord per conferma"), Firma());
    if (conferma.isEmpty()) return false;
    if (conferma == password) {
      g.PasswordCombinazione = password;
      return true;
    }
    Messaggio(g, QStringLiteral("Le due PassWord non coincidono: scrivila due volte uguale"),
              Icona::Esclamazione);
  }
}

}  // namespace

namespace Editor {

ModelloEditor Apri(Gioco& g, ModelloEditor::Avvisi avvisi) {
  ModelloEditor m;
  m.avvisi = std::move(avvisi);
  const QString cartella = QString::fromStdString(g.CartellaProgramma.string());
  for (int n = 0; n < NumeroImmagini; ++n) {
    const auto s = static_cast<size_t>(n);
    m.immagini[s] = g.OrigineImmagini[s];
    m.anteprime[s] = g.OrigineImmagini[s] != QLatin1String("Default")
                         ? GestioneDatiEsterni::ImmagineSlot(g, n)
                         : GestioneDatiEsterni::ImmagineIncorporata(g, n);
  }
  m.cd_audio = {Filtro(FiltriEditor::Audio), cartella, Firma()};
  m.Cd = {Filtro(FiltriEditor::Immagini), cartella, Firma()};
  g.CombinazioneInModifica = m.nome = m.origine = g.CombinazioneCorrente;
  m.autore = g.AutoreCombinazione;
  m.font = g.lbl_hiscore.Font;
  m.colore = g.lbl_hiscore.ForeColor;
  m.titolo =
      Didascalia(g.CombinazioneCorrente, g.AutoreCombinazione, 1, QStringLiteral("OPZIONI - "));
  m.intestazione = m.nome + QStringLiteral(" by ") + m.autore;
  m.bloccata = m.defaultBloccato = Protetta(g);

  for (int i = 0; i < NumeroSuoni; ++i) {
    RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
    riga.sorgente = g.OrigineSuoni[static_cast<size_t>(i)];
    // The box's text and then the slider, each with its change handling: on a row
    // with a sound the slider writes its whole position back into the box. A
    // volume out of range in someone else's file puts the slider at its end.
    ImpostaTestoVolume(g, m, i, UnitaVolume::TestoVolume(g.Comb.Volumi[static_cast<size_t>(i)]));
    ImpostaPosizione(g, m, i, std::clamp(UnitaVolume::Intero(riga.volume).value_or(0), 0, 100));
    if (!riga.sorgente.isEmpty()) riga.attiva = true;
  }
  m.fontFile = g.Comb.FontFile;
  m.fontFileNome = g.Comb.FontFileNome;
  return m;
}

void Chiudi(Gioco& g, ModelloEditor& m) {
  for (int i = 1; i < NumeroSuoni; ++i) {
    if (m.effetti[static_cast<size_t>(i)]) g.audio.Ferma(i);
  }
  g.ProvaMusica = false;
}

void Esci(Gioco& g, ModelloEditor& m) {
  const Risposta risposta = g.dialoghi.MsgBox(
      QStringLiteral("Uscendo non verranno salvate le eventuali modifiche, uscire comunque?"),
      Pulsanti::SiNo, Icona::Domanda, Firma());
  if (risposta != Risposta::Si) return;
  FermaProve(g, m);
  if (m.musicaSostituita) RiapriMusicaGioco(g, m);
  g.finestre.Scarica(Finestra::frm_opzioni);
}

void ScegliImmagine(Gioco& g, ModelloEditor& m, int n) {
  if (Protetta(g) || n < 0 || n >= NumeroImmagini) return;
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.Cd);
  if (!scelto) return;
  std::variant<Immagine, QString> immagine = ImmagineDaFile(*scelto, n, PixelAltriSlot(m, n));
  if (const QString* motivo = std::get_if<QString>(&immagine)) {
    Messaggio(g, QStringLiteral("Impossibile usare il file %1: %2.").arg(*scelto, *motivo),
              Icona::Esclamazione);
    return;
  }
  m.immagini[static_cast<size_t>(n)] = *scelto;
  // The game changes only when the combination is saved.
  m.anteprime[static_cast<size_t>(n)] = std::move(std::get<Immagine>(immagine));
}

void ScegliSuono(Gioco& g, ModelloEditor& m, int i) {
  if (Protetta(g) || !Riga(i)) return;
  if (i == 0) return ApriMusica(g, m);
  const auto s = static_cast<size_t>(i);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.cd_audio);
  if (!scelto) return;
  std::shared_ptr<Effetto> effetto = Suoni::CreaBufferSuono(g, Percorso(*scelto));
  // Without a sound device nothing can be tried, but the file can still be saved.
  if (!effetto && g.audio.Disponibile()) {
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: non è un file audio WAV leggibile.")
                  .arg(*scelto),
              Icona::Esclamazione);
    return;
  }
  RigaSuono& riga = m.suoni[s];
  riga.sorgente = *scelto;
  ImpostaTestoVolume(g, m, i, QStringLiteral("100"));
  ImpostaPosizione(g, m, i, 100);
  // A trial of the old sound ends with it.
  if (riga.prova) {
    g.audio.Ferma(i);
    riga.prova = false;
  }
  m.effetti[s] = std::move(effetto);
  riga.attiva = true;
}

void Prova(Gioco& g, ModelloEditor& m, int i, bool giu) {
  if (!Riga(i)) return;
  m.suoni[static_cast<size_t>(i)].prova = giu;
  if (i == 0) {
    AvvisaTimer(m, true);
    g.ProvaMusica = giu;
    if (giu) {
      dShow::RiproduciDallInizio(g);
    } else {
      dShow::FermaMusica(g);
    }
    return;
  }
  const Effetto* effetto = EffettoRiga(g, m, i);
  if (!effetto) return;
  if (giu) {
    g.audio.Suona(i, *effetto, g.VolumiEditor[static_cast<size_t>(i)], true);
  } else {
    g.audio.Ferma(i);
  }
}

void TimerProva(Gioco& g, ModelloEditor& m) {
  if (!m.suoni[0].prova) return;
  // The trial loops whatever the game's own combination and audio switch: it was
  // started regardless of them.
  if (!dShow::MusicaFinita(g)) return;
  dShow::RiproduciDallInizio(g);
  VolumeMusicaEditor(g);
}

void ImpostaPosizione(Gioco& g, ModelloEditor& m, int i, int posizione) {
  if (!Riga(i)) return;
  const auto s = static_cast<size_t>(i);
  posizione = std::clamp(posizione, 0, 100);
  if (m.suoni[s].posizione == posizione) return;
  m.suoni[s].posizione = posizione;
  if (m.suoni[s].sorgente.isEmpty()) return;
  ImpostaTestoVolume(g, m, i, QString::number(posizione));
  g.VolumiEditor[s] = UnitaVolume::DaPosizione(posizione);
  if (i == 0) {
    VolumeMusicaEditor(g);
  } else if (EffettoRiga(g, m, i)) {
    g.audio.VolumeCanale(i, g.VolumiEditor[s]);
  }
}

void ImpostaTestoVolume(Gioco& g, ModelloEditor& m, int i, const QString& testo) {
  if (!Riga(i)) return;
  const auto s = static_cast<size_t>(i);
  if (m.suoni[s].volume == testo) return;
  m.suoni[s].volume = testo;
  if (m.suoni[s].sorgente.isEmpty()) return;
  // The typed text is taken over only on Enter; until then the slider rules.
  g.VolumiEditor[s] = UnitaVolume::DaPosizione(m.suoni[s].posizione);
  if (i == 0) VolumeMusicaEditor(g);
}

}  // namespace Editor

namespace {

// The box's text as a volume for the slider, when it is one.
std::optional<int> VolumeDigitato(const RigaSuono& riga) {
  const std::optional<int> valore = UnitaVolume::Intero(riga.volume);
  if (!valore || *valore < 0 || *valore > 100) return std::nullopt;
  return valore;
}

// The slider at `posizione`, and the box showing it as the slider's change handling
// writes it, even when the slider was there already ("62.5" becomes "62").
void VolumeRiga(Gioco& g, ModelloEditor& m, int i, int posizione) {
  Editor::ImpostaPosizione(g, m, i, posizione);
  Editor::ImpostaTestoVolume(g, m, i, QString::number(posizione));
}

}  // namespace

namespace Editor {

void ConfermaVolume(Gioco& g, ModelloEditor& m, int i) {
  if (!Riga(i)) return;
  const RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
  if (riga.sorgente.isEmpty()) return;
  const std::optional<int> valore = VolumeDigitato(riga);
  if (!valore) {
    Messaggio(g, QStringLiteral("Valore non in range (0 - 100)"), Icona::Esclamazione);
    return VolumeRiga(g, m, i, 100);
  }
  VolumeRiga(g, m, i, *valore);
}

void LasciaVolume(Gioco& g, ModelloEditor& m, int i) {
  if (!Riga(i)) return;
  const RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
  if (riga.sorgente.isEmpty()) return;
  // Leaving the box says nothing: what can't be a volume gives way to the slider.
  VolumeRiga(g, m, i, VolumeDigitato(riga).value_or(riga.posizione));
}

void SvuotaRiga(ModelloEditor& m, int i) {
  if (!Riga(i)) return;
  RigaSuono& riga = m.suoni[static_cast<size_t>(i)];
  // The box's change handling finds the row empty; the player and its volume stay.
  riga.sorgente.clear();
  riga.volume = QStringLiteral("0");
  riga.attiva = false;
}

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
  if (const std::optional<QString> motivo = NonEliminabile(g, file)) {
    Messaggio(g, QStringLiteral("Impossibile eliminare %1: %2.").arg(*scelto, *motivo),
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
  if (g.dialoghi.MsgBox(domanda, Pulsanti::OKAnnulla, Icona::Domanda, Firma()) != Risposta::OK)
    return;
  // The game goes on showing what it shows; the menu catches up at its next rebuild.
  // The choice remembered for the next start goes only with the combination in use:
  // deleting another one leaves it, and the audio switch it keeps, alone.
  if (!corrente) {
    if (!EliminaFile(file))
      Messaggio(g, QStringLiteral("Impossibile eliminare il file %1.").arg(*scelto),
                Icona::Critica);
    return;
  }
  if (!GestioneDatiEsterni::EliminaCombinazione(g, file)) {
    if (GestioneDatiEsterni::VerificaEsistenza(file)) {
      Messaggio(g, QStringLiteral("Impossibile eliminare il file %1.").arg(*scelto),
                Icona::Critica);
    } else {
      Messaggio(g,
                QStringLiteral("Il file %1 è stato eliminato, ma non il file delle scelte "
                               "CombinazioneScelta: al prossimo avvio si userà ancora la "
                               "combinazione che vi è indicata, se esiste.")
                    .arg(*scelto),
                Icona::Esclamazione);
    }
  }
}

void Crea(Gioco& g, ModelloEditor& m) {
  const QString risposta =
      g.dialoghi.InputBox(QStringLiteral("Nome Combinazione?"), Firma(), QString());
  if (risposta.isEmpty()) return;
  const std::optional<QString> dato = NomeDato(g, risposta, Domanda::Crea);
  if (!dato) return;
  const QString& nome = *dato;
  if (NomeEsiste(g, nome)) {
    Messaggio(g, QStringLiteral("Il nome esiste già"), Icona::Esclamazione);
    return;
  }
  // An author that can't be stored leaves everything as it was.
  const std::optional<QString> autore = ChiediAutore(g);
  if (!autore) return;
  g.CombinazioneInModifica = m.nome = nome;
  g.AutoreCombinazione = m.autore = *autore;
  m.intestazione = nome + QStringLiteral(" by ") + m.autore;
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
  // Default is never written. Nor is a name that can't be stored as it is (the file,
  // made elsewhere or by an earlier version, has a name outside Windows-1252 or one
  // that is reserved): the player is told why, and both ask for a new name.
  bool rinomina = m.nome == QLatin1String("Default");
  if (!rinomina) {
    if (const std::optional<QString> motivo = NomeNonSalvabile(g, m.nome)) {
      Messaggio(g, *motivo + QStringLiteral(": la combinazione va salvata con un altro nome."),
                Icona::Esclamazione);
      rinomina = true;
    }
  }
  if (rinomina && !ChiediNome(g, m)) return;
  const QString passwordPrima = g.PasswordCombinazione;
  if (!ChiediPassword(g, m)) return;

  // The slots still showing the game's combination keep what they hold, under
  // whatever name it is saved.
  const auto propria = [&](const QString& sorgente) {
    return m.origine != QLatin1String("Default") && sorgente == m.origine ? m.nome : sorgente;
  };
  for (size_t n = 0; n < NumeroImmagini; ++n) g.PercorsiImmagini[n] = propria(m.immagini[n]);
  g.EditorFontNome = m.font.Name;
  g.EditorFontDimensione = QString::number(m.font.Size);
  g.EditorFontColore = QString::number(m.colore);
  g.EditorFontGrassetto = m.font.Bold;
  g.EditorFontCorsivo = m.font.Italic;

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

  g.CombinazioneCorrente = m.nome;
  std::array<QString, NumeroSuoni> sorgenti;
  for (size_t i = 0; i < NumeroSuoni; ++i) {
    g.Volumi[i] = UnitaVolume::DaPosizione(m.suoni[i].posizione);
    sorgenti[i] = propria(m.suoni[i].sorgente);
  }
  g.Comb.FontFile = m.fontFile;
  g.Comb.FontFileNome = m.fontFileNome;
  // A file that can't be read or written has been reported; the editor stays as it is.
  if (!GestioneDatiEsterni::ScriviCombinazione(g, m.nome, sorgenti)) {
    ripristina();
    return;
  }
  if (const Esito ricordata = GestioneDatiEsterni::RicordaScelta(g, m.nome); !ricordata) {
    ripristina();
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

void ApriPannelloFont(Gioco& g, ModelloEditor& m) {
  if (!Protetta(g)) m.pannelloFont = true;
}

void ChiudiPannelloFont(ModelloEditor& m) {
  m.pannelloFont = false;
}

void ScegliFont(Gioco& g, ModelloEditor& m) {
  if (Protetta(g)) return;
  const std::optional<Carattere> scelto = g.dialoghi.ScegliFont(m.font);
  if (!scelto || scelto->Name.isEmpty()) return;
  g.EditorFontNome = scelto->Name;
  g.EditorFontDimensione = QString::number(scelto->Size);
  g.EditorFontGrassetto = scelto->Bold;
  g.EditorFontCorsivo = scelto->Italic;
  // The size goes through its text, as the save writes it.
  m.font = {g.EditorFontNome, g.EditorFontDimensione.toDouble(), g.EditorFontGrassetto,
            g.EditorFontCorsivo};
}

void ScegliColore(Gioco& g, ModelloEditor& m) {
  if (Protetta(g)) return;
  if (const std::optional<uint32_t> colore = g.dialoghi.ScegliColore()) m.colore = *colore;
}

void ScegliFileFont(Gioco& g, ModelloEditor& m) {
  m.Cd.filtro = Filtro(FiltriEditor::Font);
  const std::optional<QString> scelto = g.dialoghi.ApriFile(m.Cd);
  m.Cd.filtro = Filtro(FiltriEditor::ImmaginiRipristinato);
  if (!scelto) return;
  const fs::path file = Percorso(*scelto);
  auto byte = LeggiFile(file, Vaglio::MaxByteFont);
  if (!byte) {
    Messaggio(g, QStringLiteral("Impossibile leggere il file %1.").arg(*scelto), Icona::Critica);
    return;
  }
  // What a player attaches goes to every player of the combination: it must be a
  // font, and the same one the game takes.
  if (const auto rifiuto = Vaglio::EsaminaFont(byte.valore())) {
    Messaggio(g,
              QStringLiteral("Impossibile usare il file %1: %2.")
                  .arg(*scelto, MotivoRifiuto(*rifiuto, TipoSlot::Font)),
              Icona::Esclamazione);
    return;
  }
  m.fontFile = std::move(byte.valore());
  m.fontFileNome = file.filename().string();
  const QString nome = QString::fromStdString(m.fontFileNome);

  // Installed for this user unless a file of that name already is there, which is
  // never replaced; it is registered with the window system when a combination
  // carrying it is applied.
  const fs::path cartella = g.fonts.Cartella();
  std::error_code ec;
  if (cartella.empty() || !fs::exists(fs::symlink_status(cartella / file.filename(), ec))) {
    if (!g.fonts.Installa(m.fontFileNome, m.fontFile)) {
      Messaggio(g,
                QStringLiteral("La font %1 non è stata copiata nella cartella %2: la "
                               "combinazione la porterà comunque con sé.")
                    .arg(nome, QString::fromStdString(cartella.string())),
                Icona::Esclamazione);
    }
  }
  Messaggio(g,
            QStringLiteral("Ricorda che se vuoi utilizzare la Font che hai appena caricato devi "
                           "selezionarla con il pulsante 'Da Font'"),
            Icona::Informazione);
}

void CancellaFileFont(ModelloEditor& m) {
  m.fontFile = FontFileNessuno;
  m.fontFileNome.clear();
}

void InserisciPassword(Gioco& g, ModelloEditor& m) {
  const QString risposta = g.dialoghi.PasswordBox(QStringLiteral("Inserire la PassWord"), Firma());
  if (risposta != g.PasswordCombinazione) {
    Messaggio(g, QStringLiteral("Password errata"), Icona::Critica);
    return;
  }
  // Unlocked for the rest of this opening; "TUTTO A DEFAULT" stays disabled.
  g.PasswordCombinazione.clear();
  m.bloccata = false;
  m.proteggi = true;
}

}  // namespace Editor
