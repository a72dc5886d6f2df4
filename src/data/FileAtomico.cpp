#include "data/FileAtomico.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <array>

namespace fs = std::filesystem;

namespace {

Errore ErroreDi(const fs::path& percorso, const std::string& azione, int codice) {
  return Errore{azione + " " + percorso.string() + ": " + std::strerror(codice)};
}

// Writes all bytes to a descriptor, going on after short writes.
bool ScriviTutto(int fd, std::string_view byte) {
  while (!byte.empty()) {
    const ssize_t n = ::write(fd, byte.data(), byte.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    byte.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

Esito ScriviFileAtomico(const fs::path& percorso, std::string_view byte, bool solaLettura) {
  std::string modello =
      (percorso.parent_path() / ("." + percorso.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(modello.data());
  if (fd < 0) return ErroreDi(percorso, "cannot write", errno);
  const fs::path temporaneo = modello;

  const mode_t permessi = solaLettura ? 0444 : 0644;
  bool ok = ScriviTutto(fd, byte) && ::fchmod(fd, permessi) == 0 && ::fsync(fd) == 0;
  const int codice = errno;
  ok = (::close(fd) == 0) && ok;
  if (ok && ::rename(temporaneo.c_str(), percorso.c_str()) == 0) return {};

  const int codiceFinale = ok ? errno : codice;
  ::unlink(temporaneo.c_str());
  return ErroreDi(percorso, "cannot write", codiceFinale);
}

Risultato<std::string> LeggiFile(const fs::path& percorso) {
  const int fd = ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return ErroreDi(percorso, "cannot read", errno);
  std::string byte;
  std::array<char, 1 << 16> blocco;
  for (;;) {
    const ssize_t n = ::read(fd, blocco.data(), blocco.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int codice = errno;
      ::close(fd);
      return ErroreDi(percorso, "cannot read", codice);
    }
    byte.append(blocco.data(), static_cast<size_t>(n));
  }
  ::close(fd);
  return byte;
}

Esito EliminaFile(const fs::path& percorso) {
  // Removing a file needs write permission on the folder, not on the file itself,
  // so read-only files go without changing their permissions first.
  if (::unlink(percorso.c_str()) == 0 || errno == ENOENT) return {};
  return ErroreDi(percorso, "cannot delete", errno);
}
