#include "ui/Avvio.h"

#include "codec/FileAtomico.h"
#include "ui/Demo.h"

namespace fs = std::filesystem;

namespace {

// A file named on the command line, as the game will find it whatever its own folder.
fs::path Assoluto(const std::string& file) {
  std::error_code ec;
  const fs::path assoluto = fs::absolute(file, ec);
  return ec ? fs::path(file) : assoluto;
}

// The value of an option given as "--opzione VALUE" or "--opzione=VALUE"; an empty
// one is none.
std::optional<std::string> Valore(const std::vector<std::string>& argomenti, size_t& i,
                                  const std::string& opzione) {
  const std::string& a = argomenti[i];
  if (a == opzione) {
    if (i + 1 >= argomenti.size() || argomenti[i + 1].empty()) return std::nullopt;
    return argomenti[++i];
  }
  std::string valore = a.substr(opzione.size() + 1);
  if (valore.empty()) return std::nullopt;
  return valore;
}

}  // namespace

Risultato<Opzioni> LeggiOpzioni(const std::vector<std::string>& argomenti) {
  Opzioni opzioni;
  std::vector<std::string> posizionali;
  for (size_t i = 0; i < argomenti.size(); ++i) {
    const std::string& a = argomenti[i];
    if (a == "--help" || a == "-h") {
      opzioni.aiuto = true;
    } else if (a == "--version") {
      opzioni.versione = true;
    } else if (a == "--headless") {
      opzioni.headless = true;
    } else if (a == "--verifica") {
      opzioni.verifica = true;
    } else if (a == "--registra" || a == "--rivedi") {
      if (i + 1 >= argomenti.size() || argomenti[i + 1].empty()) return Errore{a + " needs a FILE"};
      (a == "--registra" ? opzioni.registra : opzioni.rivedi) = fs::path(argomenti[++i]);
    } else if (a == "--program-folder" || a.starts_with("--program-folder=")) {
      const auto valore = Valore(argomenti, i, "--program-folder");
      if (!valore) return Errore{"--program-folder needs a DIR"};
      opzioni.cartella = fs::path(*valore);
    } else if (a.size() > 1 && a[0] == '-') {
      return Errore{"unknown option '" + a + "' (see --help)"};
    } else {
      posizionali.push_back(a);
    }
  }
  if (opzioni.aiuto || opzioni.versione) return opzioni;
  if (opzioni.registra && !opzioni.headless)
    return Errore{"--registra records the game of --headless"};
  if (opzioni.verifica) {
    if (opzioni.headless || opzioni.rivedi) return Errore{"--verifica takes only replay files"};
    if (posizionali.empty()) return Errore{"--verifica needs at least one FILE"};
    for (const std::string& f : posizionali) opzioni.file.emplace_back(f);
    return opzioni;
  }
  if (opzioni.headless) {
    if (posizionali.empty())
      return Errore{"--headless needs a SCRIPT (a file, or - for standard input)"};
    if (posizionali.size() > 1)
      return Errore{"--headless takes one SCRIPT, not " + std::to_string(posizionali.size())};
    opzioni.copione = posizionali.front();
  } else {
    // Files to open, as the file manager passes them; the replay to watch goes last,
    // so that it is what the window shows once the others are in.
    for (const std::string& f : posizionali) opzioni.file.push_back(Assoluto(f));
    if (opzioni.rivedi) {
      opzioni.rivedi = Assoluto(opzioni.rivedi->string());
      opzioni.file.push_back(*opzioni.rivedi);
    }
  }
  return opzioni;
}

std::string Uso() {
  return "Usage: skarvex [--program-folder DIR] [FILE.skcom | FILE.skrep...]\n"
         "       skarvex [--program-folder DIR] --rivedi FILE.skrep\n"
         "       skarvex --headless [--program-folder DIR] [--registra FILE] [--rivedi FILE] "
         "SCRIPT\n"
         "       skarvex --verifica FILE.skrep...\n"
         "\n"
         "A fixed-screen arcade shooter with skins (combinations) made in its editor.\n"
         "\n"
         "Options:\n"
         "  --program-folder DIR  keep the high scores, settings and combinations in DIR\n"
         "                        (default: the executable's folder when it can be written\n"
         "                        and is not installed, else $XDG_DATA_HOME/skarvex or\n"
         "                        ~/.local/share/skarvex)\n"
         "  FILE.skcom            add these combination files to the menu (to the game\n"
         "                        already running on that folder, when there is one)\n"
         "  FILE.skrep            watch this recorded game, between games (in the game\n"
         "                        already running on that folder, when there is one)\n"
         "  --rivedi FILE         the same, for a FILE that must be a recorded game\n"
         "  --headless SCRIPT     run the game without a window from a script of inputs,\n"
         "                        printing one JSON snapshot per 'dump' (SCRIPT - reads stdin)\n"
         "  --registra FILE       with --headless: write the replay of the script's game\n"
         "                        (the last one played) to FILE\n"
         "  --rivedi FILE         with --headless: play the replay FILE before SCRIPT\n"
         "  --verifica FILE...    replay each file at full speed, without a window, and\n"
         "                        say whether it ends as it claims (exit 1 if one does not)\n"
         "  --version             print the version and exit\n"
         "  -h, --help            print this help and exit\n";
}

void OffriDemo(const fs::path& cartella) {
  std::error_code ec;
  if (fs::exists(cartella / "Record", ec)) return;
  // Made whole or not at all, and never over a file of that name the player has.
  if (fs::exists(cartella / NomeFileDemo, ec)) return;
  const QByteArray byte = CombinazioneDemo();
  (void)CreaFileAtomico(cartella / NomeFileDemo, std::string_view(byte.constData(), byte.size()));
}
