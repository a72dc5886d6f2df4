#include "decoder/Recinto.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include <fcntl.h>
#include <linux/landlock.h>
#include <malloc.h>
#include <seccomp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "codec/ProtocolloDecodifica.h"

namespace Recinto {

namespace {

using namespace ProtocolloDecodifica;

// Lowers a limit; one the game already runs under lower still is kept.
bool Limita(int risorsa, rlim_t morbido, rlim_t duro) {
  rlimit limite{};
  if (getrlimit(risorsa, &limite) != 0) return false;
  limite = {std::min(morbido, limite.rlim_max), std::min(duro, limite.rlim_max)};
  return setrlimit(risorsa, &limite) == 0;
}

// The address space mapped now, in bytes.
uint64_t SpazioMappato() {
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  unsigned long pagine = 0;
  if (std::fscanf(statm, "%lu", &pagine) != 1) pagine = 0;
  std::fclose(statm);
  return static_cast<uint64_t>(pagine) * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

// What the kernel's Landlock knows to forbid, by ABI version; newer headers than this
// system's may lack the later rights, so they are spelt out here.
struct AttributiLandlock {
  uint64_t fileSystem = 0;
  uint64_t rete = 0;
  uint64_t ambito = 0;
};

int VersioneLandlock() {
  const long versione =
      syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
  return versione > 0 ? static_cast<int>(versione) : 0;
}

// A ruleset that handles every right the kernel knows and grants none: no path can be
// opened, listed, made or run, no TCP port bound or reached, no signal sent out.
bool ChiudiFileSystem(int versione) {
  if (versione == 0) return true;  // an older kernel: seccomp alone shuts the files
  AttributiLandlock attributi;
  const int bitFile = versione >= 5 ? 16 : versione >= 3 ? 15 : versione >= 2 ? 14 : 13;
  attributi.fileSystem = (uint64_t{1} << bitFile) - 1;
  size_t dimensione = sizeof attributi.fileSystem;
  if (versione >= 4) {
    attributi.rete = 3;  // bind and connect over TCP
    dimensione += sizeof attributi.rete;
  }
  if (versione >= 6) {
    attributi.ambito = 3;  // abstract UNIX sockets and signals outside the domain
    dimensione += sizeof attributi.ambito;
  }
  const long regole = syscall(SYS_landlock_create_ruleset, &attributi, dimensione, 0);
  if (regole < 0) return false;
  const bool chiuso = syscall(SYS_landlock_restrict_self, regole, 0) == 0;
  close(static_cast<int>(regole));
  return chiuso;
}

// A condition on argument `n` of a call: equal to `valore`, or with the bits of
// `maschera` equal to those of `valore`.
scmp_arg_cmp Uguale(unsigned n, scmp_datum_t valore) {
  return {n, SCMP_CMP_EQ, valore, 0};
}
scmp_arg_cmp Bit(unsigned n, scmp_datum_t maschera, scmp_datum_t valore) {
  return {n, SCMP_CMP_MASKED_EQ, maschera, valore};
}

// The system calls a decoder and its threads make, each only as far as it needs;
// anything else fails with EPERM, and clone3 with ENOSYS so that threads are made
// with clone, whose flags can be checked.
bool ChiudiChiamate() {
  scmp_filter_ctx filtro = seccomp_init(SCMP_ACT_ERRNO(EPERM));
  if (!filtro) return false;
  bool ok = seccomp_attr_set(filtro, SCMP_FLTATR_CTL_TSYNC, 1) == 0;
  const auto permetti = [&](int chiamata, std::initializer_list<scmp_arg_cmp> condizioni = {}) {
    ok = ok &&
         seccomp_rule_add_array(filtro, SCMP_ACT_ALLOW, chiamata,
                                static_cast<unsigned>(condizioni.size()), condizioni.begin()) == 0;
  };
  permetti(SCMP_SYS(read), {Uguale(0, 0)});
  permetti(SCMP_SYS(write), {Uguale(0, 1)});
  // A sanitizer's runtime reports on standard error, and tells readable memory from
  // unreadable by writing it into a pipe of its own.
  if (ConSanitizer) {
    permetti(SCMP_SYS(write));
    permetti(SCMP_SYS(pipe));
    permetti(SCMP_SYS(pipe2));
  }
  // Memory, never executable.
  permetti(SCMP_SYS(mmap), {Bit(2, PROT_EXEC, 0)});
  permetti(SCMP_SYS(mprotect), {Bit(2, PROT_EXEC, 0)});
  for (const int chiamata : {SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(brk), SCMP_SYS(madvise)})
    permetti(chiamata);
  // Threads of this process only.
  permetti(SCMP_SYS(clone), {Bit(0, CLONE_THREAD, CLONE_THREAD)});
  ok = ok && seccomp_rule_add(filtro, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0) == 0;
  for (const int chiamata : {SCMP_SYS(futex),
                             SCMP_SYS(set_robust_list),
                             SCMP_SYS(rseq),
                             SCMP_SYS(sched_yield),
                             SCMP_SYS(sched_getaffinity),
                             SCMP_SYS(gettid),
                             SCMP_SYS(getpid),
                             SCMP_SYS(exit),
                             SCMP_SYS(exit_group),
                             SCMP_SYS(rt_sigprocmask),
                             SCMP_SYS(rt_sigaction),
                             SCMP_SYS(rt_sigreturn),
                             SCMP_SYS(sigaltstack),
                             SCMP_SYS(close),
                             SCMP_SYS(getrandom),
                             SCMP_SYS(clock_gettime),
                             SCMP_SYS(clock_getres),
                             SCMP_SYS(clock_nanosleep),
                             SCMP_SYS(nanosleep),
                             SCMP_SYS(gettimeofday)})
    permetti(chiamata);
  // A signal to itself: abort() and a crash still end it as they should.
  permetti(SCMP_SYS(tgkill), {Uguale(0, static_cast<scmp_datum_t>(getpid()))});
  ok = ok && seccomp_load(filtro) == 0;
  seccomp_release(filtro);
  return ok;
}

}  // namespace

void Prepara() {
  close_range(3, ~0U, 0);
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  Limita(RLIMIT_CORE, 0, 0);
  Limita(RLIMIT_FSIZE, 0, 0);
  Limita(RLIMIT_CPU, SecondiCpu, SecondiCpu + 1);
  // One heap for every thread: each further one would reserve 64 MiB of address space.
  mallopt(M_ARENA_MAX, 1);
}

namespace {

// The limits and Landlock; seccomp comes last, as its filter would refuse the calls
// that set the others up.
bool ChiudiLimiti() {
  if (!ConSanitizer) {
    const uint64_t mappato = SpazioMappato();
    if (mappato == 0 || !Limita(RLIMIT_AS, mappato + MemoriaFiglio, mappato + MemoriaFiglio))
      return false;
  }
  // The socket and the three standard descriptors, and a sanitizer's pipe.
  const rlim_t descrittori = ConSanitizer ? 8 : 4;
  if (!Limita(RLIMIT_NOFILE, descrittori, descrittori)) return false;
  return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ChiudiFileSystem(VersioneLandlock());
}

int Errno(int fd) {
  if (fd < 0) return errno;
  close(fd);
  return 0;
}

int ApriFile() {
  return Errno(open("/etc/passwd", O_RDONLY | O_CLOEXEC));
}

}  // namespace

bool Chiudi() {
  return ChiudiLimiti() && ChiudiChiamate();
}

std::string Prova() {
  const int versione = VersioneLandlock();
  if (!ChiudiLimiti()) return "not shut in";
  // Landlock alone first: seccomp's filter, which comes before it, would hide it.
  const int fileLandlock = ApriFile();
  if (!ChiudiChiamate()) return "not shut in";
  const int file = ApriFile();
  const int rete = Errno(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  const int locale = Errno(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  return "landlock=" + std::to_string(versione) + " file_landlock=" + std::to_string(fileLandlock) +
         " file=" + std::to_string(file) + " socket=" + std::to_string(rete) +
         " unix=" + std::to_string(locale);
}

}  // namespace Recinto
