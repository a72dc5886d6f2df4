// Hostile replays end to end. From a game the runner records here, each case makes a
// file (cut short, bytes flipped, a damaged starting state, other rules, claims that
// do not hold, counts at and past the caps) and hands it to the game twice, as a child
// process bounded in time: `skarvex --verifica FILE` must end with 0 or 1 and one line
// of verdict, `skarvex --headless --rivedi FILE` must end with 0 or 1 and, when it
// refuses the file, say why in Italian. Neither may crash, hang or report a sanitizer
// finding; every case's verdict must be the one it expects.
//
//   ostili_repliche SKARVEX
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "codec/Replica.h"
#include "support/Processo.h"
#include "game/Regole.h"
#include "ui/Copione.h"

namespace {

// Qualunque: a change that may leave the file readable (a name's byte, a label's
// caption in the state) may be played to any verdict, so long as it gives one.
enum class Attesa { Valida, NonValida, Rifiutata, Qualunque };

struct Caso {
  std::string nome;
  std::string byte;
  Attesa attesa;
  const char* motivo = "";  // a piece of the Italian reason it must give
};

// A game played by the runner to its end, with a name in the table.
Replica Base(const std::filesystem::path& cartella) {
  std::istringstream copione(
      "answer Ostile\nkeypress 32\nkeydown 37\nkeypress 32\nwait 900\nkeyup 37\nkeypress "
      "32\nwait 60000\n");
  std::ostringstream uscita, errori;
  const auto file = cartella / "base.skrep";
  if (EseguiCopione(cartella / "gioco", copione, uscita, errori, {file, {}}) != 0) {
    std::fprintf(stderr, "ostili_repliche: the base game: %s\n", errori.str().c_str());
    std::exit(2);
  }
  return LeggiFileReplica(file).valore();
}

std::vector<Caso> Corpus(const Replica& base) {
  std::vector<Caso> casi;
  const std::string intero = CodificaReplica(base).valore();
  casi.push_back({"intera", intero, Attesa::Valida});
  for (size_t n = 0; n < intero.size(); n += 61)
    casi.push_back({"tagliata-" + std::to_string(n), intero.substr(0, n), Attesa::Rifiutata,
                    n < MagiaReplica.size() ? "non è una partita" : "danneggiato"});
  // A byte changed in the header or the packed body: refused, or played to a verdict.
  for (size_t n = MagiaReplica.size() + 2; n < intero.size(); n += 37) {
    std::string b = intero;
    b[n] = static_cast<char>(b[n] ^ 0x5A);
    casi.push_back({"byte-" + std::to_string(n), b, Attesa::Qualunque});
  }
  const auto variante = [&](const std::string& nome, Attesa attesa, const char* motivo,
                            const std::function<void(Replica&)>& cambia) {
    Replica r = base;
    cambia(r);
    casi.push_back({nome, CodificaReplica(r).valore(), attesa, motivo});
  };
  variante("altre-regole", Attesa::Rifiutata, "altre regole",
           [](Replica& r) { r.intestazione.versioneRegole = VersioneRegole + 1; });
  variante("punteggio-falso", Attesa::NonValida, "il file dice",
           [](Replica& r) { r.intestazione.punteggio += 100; });
  variante("livello-falso", Attesa::NonValida, "il file dice",
           [](Replica& r) { r.intestazione.livello += 1; });
  variante("durata-falsa", Attesa::NonValida, "il file dice",
           [](Replica& r) { r.intestazione.durata += 1000; });
  variante("impronta-falsa", Attesa::NonValida, "stato registrato",
           [](Replica& r) { r.improntaFinale[0] ^= 1; });
  variante("eventi-tolti", Attesa::NonValida, "",
           [](Replica& r) { r.eventi.resize(r.eventi.size() / 2); });
  variante("stato-tagliato", Attesa::Rifiutata, "danneggiato",
           [](Replica& r) { r.statoIniziale.resize(r.statoIniziale.size() / 2); });
  // Every byte of the state turned, one at a time in steps: refused or played.
  for (size_t n = 0; n < base.statoIniziale.size(); n += 97) {
    variante("stato-byte-" + std::to_string(n), Attesa::Qualunque, "", [n](Replica& r) {
      r.statoIniziale[n] = static_cast<char>(r.statoIniziale[n] ^ 0xFF);
    });
  }
  variante("codici-fuori", Attesa::NonValida, "", [](Replica& r) {
    for (size_t i = 0; i < r.eventi.size(); i += 3) r.eventi[i].codice = 0xFFFF;
  });
  variante("troppi-eventi", Attesa::NonValida, "", [](Replica& r) {
    r.eventi.assign(MaxEventiReplica, {0, 0, 0});
  });
  return casi;
}

// Whether a case's verdict is one it may give.
bool Atteso(const Caso& c, int codice, const std::string& riga) {
  if (c.attesa == Attesa::Qualunque)
    return (codice == 0 && riga.starts_with("VALIDA ")) ||
           (codice == 1 && (riga.starts_with("NON VALIDA ") || riga.starts_with("RIFIUTATA ")));
  if (c.attesa == Attesa::Valida) return codice == 0 && riga.starts_with("VALIDA ");
  if (codice != 1 || riga.find(c.motivo) == std::string::npos) return false;
  if (c.attesa == Attesa::NonValida) return riga.starts_with("NON VALIDA ");
  return riga.starts_with("RIFIUTATA ") || riga.starts_with("NON VALIDA ");
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // the runner's fonts, for the base game
  if (argc < 2) {
    std::fprintf(stderr, "usage: ostili_repliche SKARVEX\n");
    return 2;
  }
  const QString gioco = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir cartella;
  const std::filesystem::path radice = cartella.path().toStdString();
  std::filesystem::create_directory(radice / "gioco");
  int falliti = 0, casi = 0;
  for (const Caso& c : Corpus(Base(radice))) {
    ++casi;
    const auto file = radice / (c.nome + ".skrep");
    std::ofstream(file, std::ios::binary) << c.byte;
    const QString percorso = QString::fromStdString(file.string());
    // A crash or a run still going after a minute ends as -1.
    const Uscita verifica = Esegui(gioco, {QStringLiteral("--verifica"), percorso});
    const std::string riga = verifica.out.section('\n', 0, 0).toStdString();
    std::filesystem::remove_all(radice / "rivista");
    std::filesystem::create_directory(radice / "rivista");
    const Uscita rivista = Esegui(gioco,
                                  {QStringLiteral("--headless"), QStringLiteral("--program-folder"),
                                   QString::fromStdString((radice / "rivista").string()),
                                   QStringLiteral("--rivedi"), percorso, QStringLiteral("-")},
                                  "dump\n");
    const bool ok = Atteso(c, verifica.stato, riga) && !verifica.err.contains("ERROR: ") &&
                    (rivista.stato == 0 || (rivista.stato == 1 && !rivista.err.isEmpty())) &&
                    !rivista.err.contains("ERROR: ");
    if (!ok) {
      ++falliti;
      std::printf("FAIL %s: --verifica %d '%s' %s; --rivedi %d %s\n", c.nome.c_str(),
                  verifica.stato, riga.c_str(), qPrintable(verifica.err), rivista.stato,
                  qPrintable(rivista.err));
    }
  }
  std::printf("%d of %d hostile replays passed\n", casi - falliti, casi);
  return falliti == 0 ? 0 : 1;
}
