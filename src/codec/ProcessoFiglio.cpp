#include "codec/ProcessoFiglio.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "codec/ProtocolloDecodifica.h"

namespace {

constexpr int Buffer = 4 << 20;

// A descriptor above the standard three, close-on-exec: one that landed on 0 or 1 (in a
// program started with them closed) would be lost when the child's are set.
int SopraTre(int fd) {
  if (fd > 2) return fd;
  const int copia = fcntl(fd, F_DUPFD_CLOEXEC, 3);
  close(fd);
  return copia;
}

}  // namespace

ProcessoFiglio::~ProcessoFiglio() {
  if (m_pid > 0) Termina();
  if (m_socket >= 0) close(m_socket);
}

int ProcessoFiglio::Avvia(const std::filesystem::path& eseguibile,
                          const std::vector<std::string>& ambiente) {
  int coppia[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, coppia) != 0) return errno;
  m_socket = SopraTre(coppia[0]);
  const int suo = SopraTre(coppia[1]);
  if (m_socket < 0 || suo < 0) {
    if (suo >= 0) close(suo);
    return EMFILE;
  }
  fcntl(m_socket, F_SETFL, fcntl(m_socket, F_GETFL) | O_NONBLOCK);
  // Room for large writes: a picture's rows cross in fewer turns of the two processes.
  for (const int fd : {m_socket, suo})
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &Buffer, sizeof Buffer);

  posix_spawn_file_actions_t azioni;
  posix_spawn_file_actions_init(&azioni);
  posix_spawn_file_actions_adddup2(&azioni, suo, 0);
  posix_spawn_file_actions_adddup2(&azioni, suo, 1);
  if (!ProtocolloDecodifica::ConSanitizer)
    posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addclosefrom_np(&azioni, 3);
  // Signals as a new program has them, whatever this one blocks or ignores.
  posix_spawnattr_t attributi;
  posix_spawnattr_init(&attributi);
  sigset_t nessuno, tutti;
  sigemptyset(&nessuno);
  sigfillset(&tutti);
  posix_spawnattr_setsigmask(&attributi, &nessuno);
  posix_spawnattr_setsigdefault(&attributi, &tutti);
  posix_spawnattr_setflags(&attributi, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  std::string percorso = eseguibile.string();
  char* argv[] = {percorso.data(), nullptr};
  std::vector<std::string> copia = ambiente;
  std::vector<char*> envp;
  for (std::string& variabile : copia) envp.push_back(variabile.data());
  envp.push_back(nullptr);
  const int errore = posix_spawn(&m_pid, percorso.c_str(), &azioni, &attributi, argv, envp.data());
  posix_spawn_file_actions_destroy(&azioni);
  posix_spawnattr_destroy(&attributi);
  close(suo);
  if (errore != 0) m_pid = -1;
  return errore;
}

bool ProcessoFiglio::InVita() const {
  siginfo_t stato{};
  return m_pid > 0 &&
         waitid(P_PID, static_cast<id_t>(m_pid), &stato, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         stato.si_pid == 0;
}

uint64_t ProcessoFiglio::MemoriaResidente() const {
  return m_pid > 0 ? MemoriaResidenteDi(std::to_string(m_pid)) : 0;
}

int ProcessoFiglio::Termina() {
  int stato = 0;
  if (m_pid <= 0) return stato;
  // A child that has already ended keeps its own status: a zombie takes no signal.
  kill(m_pid, SIGKILL);
  while (waitpid(m_pid, &stato, 0) < 0 && errno == EINTR) {
  }
  m_pid = -1;
  return stato;
}

std::vector<std::string> AmbienteMinimo(const std::vector<std::string>& altre) {
  std::vector<std::string> ambiente;
  for (const char* nome :
       {"QT_PLUGIN_PATH", "LD_LIBRARY_PATH", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* valore = std::getenv(nome))
      ambiente.push_back(std::string(nome) + "=" + valore);
  ambiente.insert(ambiente.end(), altre.begin(), altre.end());
  return ambiente;
}

uint64_t MemoriaResidenteDi(const std::string& processo) {
  const std::string file = "/proc/" + processo + "/statm";
  FILE* statm = std::fopen(file.c_str(), "re");
  if (!statm) return 0;
  unsigned long totale = 0, residenti = 0;
  if (std::fscanf(statm, "%lu %lu", &totale, &residenti) != 2) residenti = 0;
  std::fclose(statm);
  return static_cast<uint64_t>(residenti) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}
