#include "codec/ScriviNelFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

Errore Impossibile(const std::filesystem::path& percorso, const std::string& perche) {
  return Errore{"cannot write " + percorso.string() + ": " + perche};
}

// What stands at a name, for the message that refuses it.
std::string Genere(mode_t modo) {
  if (S_ISLNK(modo)) return "it is a symbolic link";
  if (S_ISDIR(modo)) return "it is a folder";
  if (S_ISFIFO(modo)) return "it is a FIFO";
  if (S_ISSOCK(modo)) return "it is a socket";
  if (S_ISCHR(modo) || S_ISBLK(modo)) return "it is a device";
  return "it is not a regular file";
}

}  // namespace

Esito ScriviNelFile(const std::filesystem::path& percorso, std::string_view byte) {
  // Looked at without opening it: opening a device or a FIFO can itself do something.
  struct stat prima {};
  const bool esiste = ::lstat(percorso.c_str(), &prima) == 0;
  if (!esiste && errno != ENOENT) return Impossibile(percorso, std::strerror(errno));
  if (esiste && !S_ISREG(prima.st_mode)) return Impossibile(percorso, Genere(prima.st_mode));
  // The same file when it is opened, or a new one; never through a link that took its
  // place meanwhile.
  const int fd = ::open(
      percorso.c_str(),
      O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (esiste ? 0 : O_CREAT | O_EXCL), 0644);
  if (fd < 0) return Impossibile(percorso, std::strerror(errno));
  struct stat st {};
  std::string perche;
  if (::fstat(fd, &st) != 0)
    perche = std::strerror(errno);
  else if (!S_ISREG(st.st_mode))
    perche = Genere(st.st_mode);
  else if (st.st_uid != ::geteuid())
    perche = "it is another user's file";
  else if (esiste && (st.st_dev != prima.st_dev || st.st_ino != prima.st_ino))
    perche = "it was replaced while it was opened";
  else if (::ftruncate(fd, 0) != 0)
    perche = std::strerror(errno);
  while (perche.empty() && !byte.empty()) {
    const ssize_t n = ::write(fd, byte.data(), byte.size());
    if (n < 0 && errno != EINTR) perche = std::strerror(errno);
    if (n > 0) byte.remove_prefix(static_cast<size_t>(n));
  }
  if (::close(fd) != 0 && perche.empty()) perche = std::strerror(errno);
  if (!perche.empty()) return Impossibile(percorso, perche);
  return {};
}
