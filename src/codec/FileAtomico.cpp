#include "codec/FileAtomico.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>

namespace fs = std::filesystem;

namespace {

Errore ErroreDi(const fs::path& percorso, const std::string& azione, int codice) {
  return Errore{azione + " " + percorso.string() + ": " + std::strerror(codice)};
}

// Writes all bytes to a descriptor, going on after short writes.
bool ScriviTutto(ChiamateFile& chiamate, int fd, std::string_view byte) {
  while (!byte.empty()) {
    const ssize_t n = chiamate.Scrivi(fd, byte.data(), byte.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    byte.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Makes the rename itself durable. Best effort: the new file is already in place.
void SincronizzaCartella(ChiamateFile& chiamate, const fs::path& percorso) {
  const fs::path cartella = percorso.has_parent_path() ? percorso.parent_path() : fs::path(".");
  const int fd = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  chiamate.SincronizzaCartella(fd);
  ::close(fd);
}

// A descriptor closed when it goes.
struct Descrittore {
  explicit Descrittore(int n) : numero(n) {}
  ~Descrittore() {
    if (numero >= 0) ::close(numero);
  }
  Descrittore(const Descrittore&) = delete;
  Descrittore& operator=(const Descrittore&) = delete;

  int numero;
};

}  // namespace

ChiamateFile& ChiamateFile::Sistema() {
  // No state: every write shares it.
  static ChiamateFile sistema;
  return sistema;
}

int ChiamateFile::Crea(char* modello) {
  return ::mkstemp(modello);
}
ssize_t ChiamateFile::Scrivi(int fd, const void* byte, size_t quanti) {
  return ::write(fd, byte, quanti);
}
int ChiamateFile::Permessi(int fd, mode_t modo) {
  return ::fchmod(fd, modo);
}
int ChiamateFile::Sincronizza(int fd) {
  return ::fsync(fd);
}
int ChiamateFile::Chiudi(int fd) {
  return ::close(fd);
}
int ChiamateFile::Rinomina(const char* temporaneo, const char* percorso, bool sostituisci) {
  return sostituisci ? ::rename(temporaneo, percorso) : ::link(temporaneo, percorso);
}
int ChiamateFile::SincronizzaCartella(int fd) {
  return ::fsync(fd);
}

namespace {

// The process's umask, read without changing it (setting it to read it back would
// leave a moment in which another thread's new files get no mask at all). The system
// says it in the process's status, read at each write: nothing beside the write's own
// sync. Where it can't be read, the strictest mask, the owner's alone, is assumed.
mode_t Umask() {
  std::ifstream stato("/proc/self/status");
  for (std::string riga; std::getline(stato, riga);)
    if (riga.starts_with("Umask:"))
      return static_cast<mode_t>(std::strtoul(riga.c_str() + 6, nullptr, 8) & 0777);
  return 077;
}

// The temporary file beside `percorso`: ".skarvex-<name>.XXXXXX", hidden from the
// folder's lists, and under a prefix no player would give a file of theirs.
std::string ModelloTemporaneo(const fs::path& percorso) {
  return (percorso.parent_path() /
          (std::string(PrefissoTemporanei) + percorso.filename().string() + ".XXXXXX"))
      .string();
}

// How a write puts its file in place.
struct Modo {
  bool solaLettura = false;
  // Renamed over an old file; otherwise linked as a new name, which fails when the name
  // exists.
  bool sostituisci = true;
  // Flushed to the disk, the file and then its folder's entry, before the write counts.
  bool durevole = true;
};

// Writes the bytes to a temporary file, then puts it in place.
Esito Scrivi(const fs::path& percorso, std::string_view byte, Modo modo, ChiamateFile& chiamate) {
  std::string modello = ModelloTemporaneo(percorso);
  const int fd = chiamate.Crea(modello.data());
  if (fd < 0) return ErroreDi(percorso, "cannot write", errno);
  const fs::path temporaneo = modello;

  // The first failure is the one reported, and the temporary file goes with it. The
  // file gets what a new file would (mkstemp's are the owner's alone).
  const mode_t permessi = (modo.solaLettura ? 0444 : 0666) & ~Umask();
  int codice = 0;
  if (!ScriviTutto(chiamate, fd, byte) || chiamate.Permessi(fd, permessi) != 0 ||
      (modo.durevole && chiamate.Sincronizza(fd) != 0))
    codice = errno;
  // Closed whatever happened: a failed close can mean the bytes never reached the disk.
  if (chiamate.Chiudi(fd) != 0 && codice == 0) codice = errno;
  if (codice == 0 && chiamate.Rinomina(temporaneo.c_str(), percorso.c_str(), modo.sostituisci) != 0)
    codice = errno;
  if (codice != 0 || !modo.sostituisci) ::unlink(temporaneo.c_str());
  if (codice != 0) return ErroreDi(percorso, "cannot write", codice);
  if (modo.durevole) SincronizzaCartella(chiamate, percorso);
  return {};
}

}  // namespace

Esito ScriviFileAtomico(const fs::path& percorso, std::string_view byte, bool solaLettura,
                        ChiamateFile& chiamate) {
  return Scrivi(percorso, byte, {.solaLettura = solaLettura}, chiamate);
}

Esito ScriviFileProvvisorio(const fs::path& percorso, std::string_view byte,
                            ChiamateFile& chiamate) {
  return Scrivi(percorso, byte, {.durevole = false}, chiamate);
}

Esito CreaFileAtomico(const fs::path& percorso, std::string_view byte, ChiamateFile& chiamate) {
  return Scrivi(percorso, byte, {.sostituisci = false}, chiamate);
}

void EliminaTemporaneiRimasti(const fs::path& cartella, std::chrono::seconds eta) {
  const auto limite = fs::file_time_type::clock::now() - eta;
  std::error_code ec;
  for (const auto& voce : fs::directory_iterator(cartella, ec)) {
    // ".skarvex-<name>.XXXXXX", as ModelloTemporaneo makes them, and nothing else:
    // a player's own hidden files may look much alike.
    const std::string nome = voce.path().filename().string();
    const std::string_view prefisso = PrefissoTemporanei;
    const size_t punto = nome.rfind('.');
    if (!nome.starts_with(prefisso) || punto == std::string::npos || punto <= prefisso.size() ||
        punto != nome.size() - 7)
      continue;
    std::error_code ecVoce;
    if (voce.is_regular_file(ecVoce) && voce.last_write_time(ecVoce) < limite && !ecVoce)
      (void)EliminaFile(voce.path());
  }
}

Risultato<std::string> LeggiFile(const fs::path& percorso, size_t massimo) {
  // Non-blocking open, so that a FIFO given by mistake cannot hang the program; only
  // regular files are read, since a device could be endless.
  const Descrittore fd(::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.numero < 0) return ErroreDi(percorso, "cannot read", errno);
  struct stat st {};
  if (::fstat(fd.numero, &st) != 0) return ErroreDi(percorso, "cannot read", errno);
  if (!S_ISREG(st.st_mode))
    return Errore{"cannot read " + percorso.string() + ": not a regular file"};
  const Errore troppoGrande{"cannot read " + percorso.string() + ": larger than " +
                            std::to_string(massimo) + " bytes"};
  if (static_cast<uintmax_t>(st.st_size) > massimo) return troppoGrande;

  // The size is only a hint: the file may grow while it is read.
  std::string byte;
  size_t letti = 0;
  try {
    byte.resize(static_cast<size_t>(st.st_size) + 1);
    for (;;) {
      if (letti == byte.size()) {
        if (letti > massimo) return troppoGrande;
        byte.resize(byte.size() * 2);
      }
      const ssize_t n = ::read(fd.numero, byte.data() + letti, byte.size() - letti);
      if (n == 0) break;
      if (n < 0) {
        if (errno == EINTR) continue;
        return ErroreDi(percorso, "cannot read", errno);
      }
      letti += static_cast<size_t>(n);
    }
  } catch (const std::bad_alloc&) {
    return ErroreDi(percorso, "cannot read", ENOMEM);
  }
  if (letti > massimo) return troppoGrande;
  byte.resize(letti);
  return byte;
}

Esito EliminaFile(const fs::path& percorso) {
  // Removing a file needs write permission on the folder, not on the file itself,
  // so read-only files go without changing their permissions first.
  if (::unlink(percorso.c_str()) == 0 || errno == ENOENT) return {};
  return ErroreDi(percorso, "cannot delete", errno);
}
