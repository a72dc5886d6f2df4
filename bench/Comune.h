// What the benchmark programs share: a main with an offscreen Qt application, and
// a program started as a process until it has painted its first frame.
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

// The environment of a program started offscreen for the start-up benchmarks: it says
// "primo fotogramma" on standard output once its first frame is painted, then ends.
inline QProcessEnvironment AmbienteAvvio() {
  // The games' locks go in a runtime folder of the benchmark's, gone when it ends.
  static const QTemporaryDir runtime;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert("QT_QPA_PLATFORM", "offscreen");
  ambiente.insert("SDL_AUDIODRIVER", "dummy");
  ambiente.insert("XDG_RUNTIME_DIR", runtime.path());
  ambiente.insert("SKARVEX_ESCI_AL_PRIMO_FRAME", "1");
  return ambiente;
}

// The game's executable a benchmark starts: the one this build made, or another
// build's named by SKARVEX_BANCO_GIOCO, to compare the two.
inline QString GiocoBanco(const char* costruito) {
  return qEnvironmentVariable("SKARVEX_BANCO_GIOCO", QString::fromUtf8(costruito));
}

// The milliseconds from starting `programma` to the line that says its first frame is
// painted, and to its end; negative when it never says so or fails.
struct TempiAvvio {
  double fotogramma = -1;
  double fine = -1;
};
inline TempiAvvio TempiAlPrimoFotogramma(const QString& programma, const QStringList& argomenti,
                                         const QProcessEnvironment& ambiente) {
  TempiAvvio tempi;
  QProcess p;
  p.setProcessEnvironment(ambiente);
  p.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer tempo;
  tempo.start();
  p.start(programma, argomenti);
  QByteArray uscita;
  while (!uscita.contains('\n') && p.waitForReadyRead(20000)) uscita += p.readAllStandardOutput();
  if (uscita.startsWith("primo fotogramma\n")) tempi.fotogramma = tempo.nsecsElapsed() / 1e6;
  if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return {};
  tempi.fine = tempo.nsecsElapsed() / 1e6;
  return tempi;
}

// Starts the game `eseguibile` offscreen on `cartella` once per iteration, timing it to
// its first painted frame (a benchmark with UseManualTime). `prima` runs before each
// start, outside the timing.
inline void AvviaFinoAlPrimoFotogramma(benchmark::State& state, const QString& eseguibile,
                                       const QString& cartella,
                                       const std::function<void()>& prima = {}) {
  const QProcessEnvironment ambiente = AmbienteAvvio();
  for (auto _ : state) {
    if (prima) prima();
    const TempiAvvio tempi =
        TempiAlPrimoFotogramma(eseguibile, {"--program-folder", cartella}, ambiente);
    if (tempi.fotogramma < 0) {
      state.SkipWithError("the program did not paint its first frame and end by itself");
      break;
    }
    state.SetIterationTime(tempi.fotogramma / 1000);
  }
}

// The resident memory of process `pid` and of every process it started, now, in bytes.
inline uint64_t ResidenteAlbero(const std::string& pid) {
  std::ifstream statm("/proc/" + pid + "/statm");
  uint64_t pagine = 0, residenti = 0;
  statm >> pagine >> residenti;
  uint64_t totale = residenti * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
  std::ifstream figli("/proc/" + pid + "/task/" + pid + "/children");
  for (std::string figlio; figli >> figlio;) totale += ResidenteAlbero(figlio);
  return totale;
}

// The most this process and those it starts hold together while it lives, sampled
// every 2 ms by a thread of its own.
class PiccoAlbero {
 public:
  PiccoAlbero()
      : m_campionatore([this] {
          const std::string io = std::to_string(getpid());
          while (!m_fine) {
            m_picco = std::max<uint64_t>(m_picco, ResidenteAlbero(io));
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
          }
        }) {}
  ~PiccoAlbero() {
    m_fine = true;
    m_campionatore.join();
  }
  double MiB() const { return static_cast<double>(m_picco) / (1024 * 1024); }

 private:
  std::atomic<bool> m_fine{false};
  std::atomic<uint64_t> m_picco{0};
  std::thread m_campionatore;
};

// The main of a benchmark program that needs a Qt application of type App: offscreen,
// unless QT_QPA_PLATFORM names another platform (xcb, to measure under Xvfb).
template <class App>
int EseguiBenchmark(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  App app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
