#include "ui/Avvio.h"

#include <unistd.h>

#include <cstdlib>

#include <QFile>

#include "tools/demo/Demo.h"

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
         "                        (default: the folder of the executable)\n"
         "  --headless SCRIPT     run the game without a window from a script of inputs,\n"
         "                        printing one JSON snapshot per 'dump' (SCRIPT - reads stdin)\n"
         "  --version             print the version and exit\n"
         "  -h, --help            print this help and exit\n";
}

fs::path CartellaEseguibile() {
  std::error_code ec;
  const fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : eseguibile.parent_path();
}

Esito VerificaCartella(const fs::path& cartella) {
  std::error_code ec;
  if (!fs::exists(cartella, ec))
    return Errore{"program folder '" + cartella.string() + "' does not exist"};
  if (!fs::is_directory(cartella, ec))
    return Errore{"program folder '" + cartella.string() + "' is not a folder"};
  // Try it: permissions alone don't tell (read-only file systems, root).
  std::string prova = (cartella / ".skarvex-prova-XXXXXX").string();
  const int fd = ::mkstemp(prova.data());
  if (fd < 0) return Errore{"program folder '" + cartella.string() + "' cannot be written"};
  ::close(fd);
  ::unlink(prova.c_str());
  return {};
}

void OffriDemo(const fs::path& cartella) {
  std::error_code ec;
  if (fs::exists(cartella / "Record", ec)) return;
  QFile file(QString::fromStdString((cartella / NomeFileDemo).string()));
  // NewOnly: the file is made only if no file of that name exists.
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return;
  const QByteArray byte = CombinazioneDemo();
  if (file.write(byte) != byte.size()) file.remove();
}
