// What the benchmark programs share: a main with an offscreen Qt application, and
// the program started as a process until it has painted its first frame.
#pragma once

#include <QProcess>

#include <benchmark/benchmark.h>

#include <functional>

// Starts the game `eseguibile` offscreen on `cartella` once per iteration; it ends itself after
// its first painted frame. `prima` runs before each start, inside the timing.
inline void AvviaFinoAlPrimoFotogramma(benchmark::State& state, const QString& eseguibile,
                                       const QString& cartella,
                                       const std::function<void()>& prima = {}) {
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert("QT_QPA_PLATFORM", "offscreen");
  ambiente.insert("SDL_AUDIODRIVER", "dummy");
  ambiente.insert("SKARVEX_ESCI_AL_PRIMO_FRAME", "1");
  for (auto _ : state) {
    if (prima) prima();
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.start(eseguibile, {"--program-folder", cartella});
    if (!p.waitForFinished(20000) || p.exitCode() != 0)
      state.SkipWithError("the program did not end by itself");
  }
}

// The main of a benchmark program that needs a Qt application of type App.
template <class App>
int EseguiBenchmark(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  App app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
