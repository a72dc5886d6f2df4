#include "combinations/Installazione.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <system_error>

#include "codec/CartellaProgramma.h"
#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/Vaglio.h"
#include "combinations/Decodifica.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view Estensione = ".skcom";
// "Notturno 2" up to "Notturno 99": a folder with more copies than that has a problem
// no further number solves.
constexpr int UltimoNumeroLibero = 99;

QString Testo(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QString Percorso(const fs::path& percorso) {
  return QFile::decodeName(percorso.c_str());
}

// Characters that show nothing, or show as a blank that is not a space: a name that
// holds one looks like a name it is not.
bool Invisibile(char32_t c) {
  switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:  // soft hyphen, zero-width characters, direction marks
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
      return true;
    case QChar::Separator_Space:  // the no-break space and the other wide or narrow blanks
      return c != U' ';
    default:
      // Letters and symbols that are drawn as nothing: the Hangul fillers, the blank
      // Braille pattern.
      return c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0 || c == 0x2800;
  }
}

Impedimento Nominato(const std::string& nome, const std::string& perche, const QString& motivo) {
  return {"the name stored in it, \"" + nome + "\", " + perche,
          QStringLiteral("il nome che contiene, «%1», ").arg(Testo(nome)) + motivo};
}

// Why `nome` cannot be the name of a combination in a folder holding `altri`, whose file
// names may have at most `massimo` bytes.
std::optional<Impedimento> NomeInaccettabile(const std::string& nome,
                                             const std::vector<std::string>& altri,
                                             size_t massimo) {
  const std::string file = nome + std::string(Estensione);
  if (!NomeFileSicuro(file))
    return Nominato(nome,
                    "cannot be a file name (empty, hidden, or with a slash or a control "
                    "character)",
                    QStringLiteral("non può essere il nome di un file (è vuoto, nascosto, o ha "
                                   "una barra o un carattere di controllo)"));
  const QString testo = Testo(nome);
  const QList<uint> caratteri = testo.toUcs4();
  if (testo.normalized(QString::NormalizationForm_C) != testo ||
      std::any_of(caratteri.begin(), caratteri.end(),
                  [](uint c) { return Invisibile(static_cast<char32_t>(c)); }))
    return Nominato(nome, "holds an invisible character or a blank that is not a space",
                    QStringLiteral("ha un carattere invisibile o uno spazio che non è uno spazio "
                                   "normale"));
  if (testo.front().isSpace() || testo.back().isSpace())
    return Nominato(nome, "begins or ends with a blank",
                    QStringLiteral("comincia o finisce con uno spazio"));
  const QString chiave = ChiaveNome(testo);
  if (chiave == ChiaveNome(QStringLiteral("Default")))
    return Nominato(nome, "is or looks like Default, the built-in combination's",
                    QStringLiteral("si confonde con Default, la combinazione incorporata"));
  for (const std::string& altro : altri)
    if (altro != nome && ChiaveNome(Testo(altro)) == chiave)
      return Nominato(
          nome,
          "looks like that of the combination \"" + altro + "\" already in the program folder",
          QStringLiteral("si confonde con quello della combinazione «%1» che c'è già")
              .arg(Testo(altro)));
  if (file.size() > massimo)
    return Nominato(nome,
                    "makes a file name of " + std::to_string(file.size()) +
                        " bytes; the program folder takes at most " + std::to_string(massimo),
                    QStringLiteral("è troppo lungo per un file della cartella del programma (%1 "
                                   "byte, al massimo %2)")
                        .arg(file.size())
                        .arg(massimo));
  return std::nullopt;
}

// The names of the folder's combinations: every entry whose name ends in .skcom.
std::vector<std::string> NomiNellaCartella(const fs::path& cartella) {
  std::vector<std::string> nomi;
  std::error_code ec;
  for (const auto& voce : fs::directory_iterator(cartella, ec)) {
    const std::string nome = voce.path().filename().string();
    if (nome.size() > Estensione.size() && nome.ends_with(Estensione))
      nomi.push_back(nome.substr(0, nome.size() - Estensione.size()));
  }
  return nomi;
}

// The game's gate, in the terminal's words and in the player's.
std::optional<Impedimento> RifiutoDelGioco(const TipoCombinazione& comb) {
  const std::vector<std::string> rifiuti = RifiutiCombinazione(comb);
  if (rifiuti.empty()) return std::nullopt;
  std::string perche = "the game refuses " + rifiuti.front();
  if (rifiuti.size() > 1)
    perche += " (and " + std::to_string(rifiuti.size() - 1) + " more: see check)";
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(comb);
  QStringList slot;
  const auto rifiuta = [&slot](const char* nome, const std::optional<Vaglio::Rifiuto>& r,
                               TipoSlot tipo) {
    if (r) slot << QString::fromUtf8(nome) + QStringLiteral(" (") + MotivoRifiuto(*r, tipo) + ')';
  };
  for (size_t n = 0; n < NumeroImmagini; ++n)
    rifiuta(NomiImmagini[n], esame.immagini[n].rifiuto, TipoSlot::Immagine);
  for (size_t n = 0; n < NumeroSuoni; ++n) rifiuta(NomiSuoni[n], esame.suoni[n], TipoSlot::Suono);
  rifiuta("la font", esame.font, TipoSlot::Font);
  if (slot.isEmpty()) slot << Testo(rifiuti.front());
  return Impedimento{perche,
                     QStringLiteral("il gioco non può usare ") + slot.join(QStringLiteral(", "))};
}

Candidata::Posto PostoDi(const fs::path& percorso, const std::string& byte) {
  std::error_code ec;
  const fs::file_status stato = fs::symlink_status(percorso, ec);
  if (stato.type() == fs::file_type::not_found) return Candidata::Posto::Libero;
  if (stato.type() == fs::file_type::regular) {
    const auto gia = LeggiFile(percorso, Vaglio::MaxByteCombinazione);
    if (gia && gia.valore() == byte) return Candidata::Posto::Identica;
  }
  return Candidata::Posto::Occupata;
}

// The trash lives in the user's data folder, which the desktop normally has made: without
// it Qt would not refuse, but put the "trash" in the working folder.
bool CestinoPronto() {
  const QString dati = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  return !dati.isEmpty() && QDir().mkpath(dati);
}

Impedimento CartellaNonScrivibile(const fs::path& cartella, const std::string& perche) {
  return {
      "the program folder " + cartella.string() + " cannot be written" +
          (perche.empty() ? std::string() : " (" + perche + ")"),
      QStringLiteral("la cartella del programma %1 non si può scrivere").arg(Percorso(cartella))};
}

// A new file of the folder; a name that appeared since it was looked at stays as it is.
std::optional<Impedimento> Scrivi(const fs::path& percorso, std::string_view byte) {
  const Esito scritto = CreaFileAtomico(percorso, byte);
  if (scritto) return std::nullopt;
  std::error_code ec;
  if (fs::symlink_status(percorso, ec).type() != fs::file_type::not_found)
    return Impedimento{percorso.string() + " appeared meanwhile, and stays as it is",
                       QStringLiteral("nel frattempo è comparso un altro file %1, che resta com'è")
                           .arg(Percorso(percorso.filename()))};
  return CartellaNonScrivibile(percorso.parent_path(), scritto.errore());
}

}  // namespace

QString ChiaveNome(const QString& nome) {
  QString chiave;
  bool spazio = false;
  for (const uint c : nome.normalized(QString::NormalizationForm_KC).toUcs4()) {
    const auto carattere = static_cast<char32_t>(c);
    if (QChar::isSpace(carattere)) {
      spazio = !chiave.isEmpty();
      continue;
    }
    if (Invisibile(carattere)) continue;
    if (spazio) chiave += QLatin1Char(' ');
    spazio = false;
    chiave += QString::fromUcs4(&carattere, 1);
  }
  return chiave.toCaseFolded();
}

std::variant<Candidata, Impedimento> EsaminaRicevuta(const fs::path& file,
                                                     const fs::path& cartella) {
  if (!file.filename().string().ends_with(Estensione))
    return Impedimento{"its name does not end in .skcom",
                       QStringLiteral("il suo nome non finisce in .skcom")};
  auto ricevuta = LeggiRicevuta(file);
  if (!ricevuta)
    return Impedimento{ricevuta.errore(),
                       QStringLiteral("non si legge per intero come combinazione (è danneggiato, "
                                      "troppo grande o illeggibile)")};
  if (auto rifiuto = RifiutoDelGioco(ricevuta.valore().comb)) return *std::move(rifiuto);
  const std::string nome = ricevuta.valore().comb.Nome;
  if (auto rifiuto =
          NomeInaccettabile(nome, NomiNellaCartella(cartella), MassimoByteNomeFile(cartella)))
    return *std::move(rifiuto);
  Candidata candidata{std::move(ricevuta).valore(), cartella, nome,
                      cartella / (nome + std::string(Estensione))};
  candidata.posto = PostoDi(candidata.percorso, candidata.ricevuta.byte);
  if (candidata.posto != Candidata::Posto::Identica && !AccettaFileNuovi(cartella))
    return CartellaNonScrivibile(cartella, {});
  return candidata;
}

std::optional<std::string> NomeLibero(const Candidata& candidata) {
  const std::vector<std::string> altri = NomiNellaCartella(candidata.cartella);
  const size_t massimo = MassimoByteNomeFile(candidata.cartella);
  for (int n = 2; n <= UltimoNumeroLibero; ++n) {
    std::string nome = candidata.nome + ' ' + std::to_string(n);
    if (std::find(altri.begin(), altri.end(), nome) == altri.end() &&
        !NomeInaccettabile(nome, altri, massimo))
      return nome;
  }
  return std::nullopt;
}

std::variant<Installata, Impedimento> Installa(const Candidata& candidata, SceltaConflitto scelta) {
  using Posto = Candidata::Posto;
  Installata fatta{candidata.percorso, candidata.nome};
  if (candidata.posto == Posto::Identica ||
      (candidata.posto == Posto::Occupata && scelta == SceltaConflitto::TieniMia))
    return fatta;
  std::string byte = candidata.ricevuta.byte;
  if (candidata.posto == Posto::Occupata && scelta == SceltaConflitto::TieniEntrambe) {
    const std::optional<std::string> nome = NomeLibero(candidata);
    auto rinominata = nome ? CambiaNomeCombinazione(byte, *nome) : Errore{"no free name"};
    if (!rinominata)
      return Impedimento{"no free name like \"" + candidata.nome + " 2\" is left beside it",
                         QStringLiteral("non c'è un nome libero come «%1 2» per tenerle entrambe")
                             .arg(Testo(candidata.nome))};
    byte = std::move(rinominata).valore();
    fatta.nome = *nome;
    fatta.percorso = candidata.cartella / (*nome + std::string(Estensione));
  } else if (candidata.posto == Posto::Occupata) {
    // The player's file is never simply deleted: it goes where the desktop keeps what
    // is thrown away, and can be taken back from there.
    if (!CestinoPronto() || !QFile::moveToTrash(Percorso(candidata.percorso)))
      return Impedimento{
          "the old " + candidata.percorso.string() +
              " could not be moved to the trash, so it was not replaced",
          QStringLiteral("la combinazione %1 che c'era non si è potuta spostare nel cestino, "
                         "quindi non è stata sostituita")
              .arg(Testo(candidata.nome))};
    fatta.sostituita = true;
  }
  if (auto errore = Scrivi(fatta.percorso, byte)) {
    if (fatta.sostituita) {
      errore->perche += " (the old file is in the trash)";
      errore->motivo += QStringLiteral(" (la combinazione che c'era è nel cestino)");
    }
    return *std::move(errore);
  }
  fatta.scritta = true;
  return fatta;
}
