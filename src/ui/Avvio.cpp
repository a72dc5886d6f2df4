#include "ui/Avvio.h"

#include <unistd.h>

#include <cstdlib>

#include "codec/FileAtomico.h"
#include "ui/Demo.h"

namespace fs = std::filesystem;

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
    } else if (a == "--program-folder" || a.starts_with("--program-folder=")) {
      std::string valore;
      if (a == "--program-folder") {
        if (i + 1 >= argomenti.size()) return Errore{"--program-folder needs a DIR"};
        valore = argomenti[++i];
      } else {
        valore = a.substr(a.find('=') + 1);
      }
      if (valore.empty()) return Errore{"--program-folder needs a DIR"};
      opzioni.cartella = fs::path(valore);
    } else if (a.size() > 1 && a[0] == '-') {
      return Errore{"unknown option '" + a + "' (see --help)"};
    } else {
      posizionali.push_back(a);
    }
  }
  if (opzioni.aiuto || opzioni.versione) return opzioni;
  if (opzioni.headless) {
    if (posizionali.empty())
      return Errore{"--headless needs a SCRIPT (a file, or - for standard input)"};
    if (posizionali.size() > 1)
      return Errore{"--headless takes one SCRIPT, not " + std::to_string(posizionali.size())};
    opzioni.copione = posizionali.front();
  } else if (!posizionali.empty()) {
    return Errore{"unexpected argument '" + posizionali.front() + "' (see --help)"};
  }
  return opzioni;
}

std::string Uso() {
  return "Usage: skarvex [--program-folder DIR]\n"
         "       skarvex --headless [--program-folder DIR] SCRIPT\n"
         "\n"
         "A fixed-screen arcade shooter with skins (combinations) made in its editor.\n"
         "\n"
         "Options:\n"
         "  --program-folder DIR  keep the high scores, settings and combinations in DIR\n"
         "                        (default: the executable's folder when it can be written\n"
         "                        and is not installed, else $XDG_DATA_HOME/skarvex or\n"
         "                        ~/.local/share/skarvex)\n"
         "  --headless SCRIPT     run the game without a window from a script of inputs,\n"
         "                        printing one JSON snapshot per 'dump' (SCRIPT - reads stdin)\n"
         "  --version             print the version and exit\n"
         "  -h, --help            print this help and exit\n";
}

#ifndef SKARVEX_ID_APPLICAZIONE
#error "the build names the application id"
#endif
const char* const IdApplicazione = SKARVEX_ID_APPLICAZIONE;

fs::path CartellaEseguibile() {
  std::error_code ec;
  const fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : eseguibile.parent_path();
}

bool AccettaFileNuovi(const fs::path& cartella) {
  std::string prova = (cartella / ".skarvex-prova-XXXXXX").string();
  const int fd = ::mkstemp(prova.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(prova.c_str());
  return true;
}

bool CopiaInstallata(const fs::path& cartellaEseguibile) {
  std::error_code ec;
  const fs::path voce = cartellaEseguibile.parent_path() / "share" / "applications" /
                        (std::string(IdApplicazione) + ".desktop");
  return fs::is_regular_file(voce, ec);
}

Ambiente Ambiente::DelProcesso() {
  auto leggi = [](const char* nome) {
    const char* valore = std::getenv(nome);
    return std::string(valore ? valore : "");
  };
  return {leggi("HOME"), leggi("XDG_DATA_HOME")};
}

Risultato<CartellaScelta> ScegliCartellaProgramma(
    const std::optional<fs::path>& opzione, const fs::path& cartellaEseguibile,
    const Ambiente& ambiente, const std::function<bool(const fs::path&)>& accettaFileNuovi) {
  if (opzione) return CartellaScelta{*opzione, false};
  // Checked before the trial, so that root never leaves a file in /usr/bin even briefly.
  const bool installata = CopiaInstallata(cartellaEseguibile);
  if (!installata && accettaFileNuovi(cartellaEseguibile))
    return CartellaScelta{cartellaEseguibile, false};
  // Relative values would make the folder depend on the working directory, so they count as
  // unset (the base directory rules say so of XDG_DATA_HOME).
  const fs::path xdg(ambiente.xdgDataHome), home(ambiente.home);
  if (xdg.is_absolute()) return CartellaScelta{xdg / "skarvex", true};
  if (home.is_absolute()) return CartellaScelta{home / ".local" / "share" / "skarvex", true};
  const std::string perche = installata ? "' is an installed copy's folder" : "' cannot be written";
  return Errore{"no program folder: '" + cartellaEseguibile.string() + perche +
                " and neither XDG_DATA_HOME nor HOME names a folder (use --program-folder DIR)"};
}

Risultato<fs::path> PreparaCartella(const CartellaScelta& scelta) {
  const fs::path& cartella = scelta.percorso;
  std::error_code ec;
  if (scelta.perUtente && !fs::exists(cartella, ec)) {
    fs::create_directories(cartella, ec);
    if (ec)
      return Errore{"cannot make the program folder '" + cartella.string() + "': " + ec.message()};
  }
  if (!fs::exists(cartella, ec))
    return Errore{"program folder '" + cartella.string() + "' does not exist"};
  if (!fs::is_directory(cartella, ec))
    return Errore{"program folder '" + cartella.string() + "' is not a folder"};
  return fs::absolute(cartella, ec).lexically_normal();
}

void OffriDemo(const fs::path& cartella) {
  std::error_code ec;
  if (fs::exists(cartella / "Record", ec)) return;
  // Made whole or not at all, and never over a file of that name the player has.
  if (fs::exists(cartella / NomeFileDemo, ec)) return;
  const QByteArray byte = CombinazioneDemo();
  (void)CreaFileAtomico(cartella / NomeFileDemo, std::string_view(byte.constData(), byte.size()));
}
