#include "combinations/Font.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>

#include "codec/FileAtomico.h"
#include "codec/FileMedia.h"
#include "codec/SegnoApplicazione.h"
#include "combinations/Decodifica.h"
#include "combinations/GestioneDatiEsterni.h"
#include "model/Gioco.h"

namespace fs = std::filesystem;

namespace {

QString Testo(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The font is unpacked into the program folder under its own name, so any other
// name could be one of the player's files there (Record, the settings file, a
// combination) and would be overwritten, then moved away with the font.
bool NomeFileFont(const std::string& nome) {
  std::string estensione = fs::path(nome).extension().string();
  std::transform(estensione.begin(), estensione.end(), estensione.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return estensione == ".ttf" || estensione == ".otf" || estensione == ".ttc" ||
         estensione == ".fon";
}

void RegistraFont(Gioco& g, const fs::path& file) {
  if (g.FontCaricati.contains(file.string())) return;
  g.FontCaricati.insert(file.string());
  g.fonts.Registra(file);
  ++g.GenerazioneFont;
}

// The labels the combination's label font reaches: the heading line, the high-score
// table and the bonus ship's points. The link to the site takes only its colour; the
// notice of the built-in combination none of it.
using M = ModelloMain;
constexpr Etichetta M::*Scritte[] = {&M::Label1,     &M::lbl_punteggio, &M::Label2,
                                     &M::lbl_level,  &M::Label3,        &M::lbl_nomer,
                                     &M::lbl_record, &M::lbl_hiscore,   &M::lbl_puntinavicella};
constexpr std::array<Etichetta, 11> M::*Tabella[] = {&M::lbl_namer, &M::lbl_puntir,
                                                     &M::lbl_livellor};

// The size as the combination wrote it: a decimal point or a decimal comma.
std::optional<double> Dimensione(const QString& testo) {
  QString numero = testo.trimmed();
  numero.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double valore = numero.toDouble(&ok);
  if (!ok || !(valore > 0) || valore > 1000) return std::nullopt;
  return valore;
}

std::optional<uint32_t> Colore(const QString& testo) {
  bool ok = false;
  const qlonglong valore = testo.trimmed().toLongLong(&ok);
  if (!ok || valore < 0 || valore > 0xFFFFFF) return std::nullopt;
  return static_cast<uint32_t>(valore);
}

}  // namespace

namespace GestioneDatiEsterni {

// Only a real font is offered, and no file of the player's is ever replaced: the copy
// in the program folder is made only when that name is free there, and removed only
// when this call made it. The mark is off while the player answers, which may take as
// long as they like.
void ControllaFont(Gioco& g, const std::optional<Vaglio::Rifiuto>& esame, const std::string& segno,
                   QStringList& inutilizzabili) {
  const std::string& nome = g.Comb.FontFileNome;
  if (nome.empty() || nome == FontFileNessuno) return;
  // The name comes from someone else's file: only a bare file name is used.
  if (!NomeFileSicuro(nome) || !NomeFileFont(nome)) return;
  const fs::path cartellaFont = g.fonts.Cartella();
  if (cartellaFont.empty()) return;
  const fs::path installato = cartellaFont / nome;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(installato, ec))) {
    if (fs::is_regular_file(installato, ec)) RegistraFont(g, installato);
    return;
  }
  const QString etichetta = QStringLiteral("la font ") + Testo(nome);
  if (esame) {
    inutilizzabili << etichetta + QStringLiteral(" (") + MotivoRifiuto(*esame, TipoSlot::Font) +
                          QLatin1Char(')');
    return;
  }
  if (!g.fonts.Valido(g.Comb.FontFile)) {
    inutilizzabili << etichetta + QStringLiteral(" (non è un file di font)");
    return;
  }

  const fs::path locale = g.File(nome);
  const bool copiaNostra =
      static_cast<bool>(CreaFileAtomico(locale, ContenutoMedia(g.Comb.FontFile), g.chiamateFile));
  const QString domanda =
      QStringLiteral("La combinazione richiede l'istallazione di una font: ") + Testo(nome) +
      QStringLiteral(" non presente nel sistema") + QLatin1Char('\r') +
      QStringLiteral(
          "Se non si installa la font verrà richiesto ogni volta che si usa "
          "questa combinazione") +
      QLatin1Char('\r') +
      QStringLiteral("L'operazione durerà circa 5 secondi.   INSTALLARE LA FONT?");
  TogliSegno(g.CartellaProgramma);
  const Risposta risposta = g.dialoghi.MsgBox(domanda, Pulsanti::SiNo, Icona::Domanda, Firma());
  MettiSegno(g.CartellaProgramma, segno);
  if (risposta != Risposta::Si) return;

  // Installed from the combination's own bytes, never over a file already there.
  if (!g.fonts.Installa(nome, ContenutoMedia(g.Comb.FontFile))) return;
  if (copiaNostra) (void)EliminaFile(locale);
  // Registered at once, so the labels can use it in this run.
  RegistraFont(g, installato);
}

void ApplicaFont(Gioco& g) {
  const auto colore = Colore(g.FontColore);
  if (!colore) return;
  g.lbl_sitelink.ForeColor = *colore;
  const auto dimensione = Dimensione(g.FontDimensione);
  if (!dimensione) return;

  const Carattere font{g.FontNome, *dimensione, g.FontGrassetto, g.FontCorsivo};
  const auto applica = [&](Etichetta& e) {
    e.Font = font;
    e.ForeColor = *colore;
  };
  for (Etichetta M::*e : Scritte) applica(g.*e);
  for (std::array<Etichetta, 11> M::*righe : Tabella)
    for (Etichetta& e : g.*righe) applica(e);
}

}  // namespace GestioneDatiEsterni
