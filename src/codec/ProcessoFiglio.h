// A helper process the program starts on a socket: with only the environment it is
// given, the socket as its descriptors 0 and 1 and nothing else open, and ended by its
// own pid, never by a name.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

class ProcessoFiglio {
 public:
  ProcessoFiglio() = default;
  ProcessoFiglio(const ProcessoFiglio&) = delete;
  ProcessoFiglio& operator=(const ProcessoFiglio&) = delete;
  ~ProcessoFiglio();  // killed and reaped if still there

  // Starts `eseguibile` with `ambiente` ("NAME=value" each); the errno when it cannot
  // be started, 0 otherwise. Its standard error is the program's own in sanitizer
  // builds, for their reports, and /dev/null otherwise.
  int Avvia(const std::filesystem::path& eseguibile, const std::vector<std::string>& ambiente);

  // The program's end of the socket, non-blocking; -1 before Avvia.
  int Socket() const { return m_socket; }
  // Whether it was started and has not ended.
  bool InVita() const;
  // Its resident memory in bytes; 0 when it can't be read.
  uint64_t MemoriaResidente() const;
  // Kills it if it still runs, reaps it and gives its wait status.
  int Termina();

 private:
  pid_t m_pid = -1;
  int m_socket = -1;
};

// The variables of this process's environment a helper may see: those the libraries
// need to find their parts and the sanitizers' options, and `altre`.
std::vector<std::string> AmbienteMinimo(const std::vector<std::string>& altre);

// The resident memory of a process ("self" for this one) in bytes; 0 when it can't be
// read.
uint64_t MemoriaResidenteDi(const std::string& processo);
