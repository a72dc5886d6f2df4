#include "codec/CartellaProgramma.h"

#include <unistd.h>

#include <cstdlib>

namespace fs = std::filesystem;

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
