#include "codec/SegnoApplicazione.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "codec/FileAtomico.h"

namespace {

bool ProcessoVivo(pid_t pid) {
  if (pid <= 0 || pid == ::getpid()) return false;  // our own mark: that apply never ended
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

void MettiSegno(const std::filesystem::path& cartella, const std::string& combinazione) {
  // Written in place, without syncing: it has to outlast this process, not the machine.
  const int fd = ::open((cartella / NomeFileSegno).c_str(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return;
  const std::string testo = std::to_string(::getpid()) + "\n" + combinazione;
  (void)!::write(fd, testo.data(), testo.size());
  ::close(fd);
}

void TogliSegno(const std::filesystem::path& cartella) {
  (void)EliminaFile(cartella / NomeFileSegno);
}

std::optional<std::string> SegnoRimasto(const std::filesystem::path& cartella) {
  auto testo = LeggiFile(cartella / NomeFileSegno, 64 * 1024);
  if (!testo) return std::nullopt;
  const std::string& t = testo.valore();
  const size_t a_capo = t.find('\n');
  if (a_capo == std::string::npos) return t;  // cut short as it was written: still a mark
  if (ProcessoVivo(static_cast<pid_t>(std::atol(t.substr(0, a_capo).c_str())))) return std::nullopt;
  return t.substr(a_capo + 1);
}
