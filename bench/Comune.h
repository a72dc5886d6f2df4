// What the benchmark programs share: a main with an offscreen Qt application, and
// a program started as a process until it has painted its first frame.
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

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
