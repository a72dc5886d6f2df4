// How long the built-in pictures take to draw: what the window pays the first time it
// fills its cache of scaled pictures.
#include "drawing/ImmaginiIncorporate.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <benchmark/benchmark.h>

#include "Comune.h"

namespace {

// Every picture once at its sprite's size: the cache of a first frame.
void TutteLeImmagini(benchmark::State& stato) {
  const int scala = static_cast<int>(stato.range(0));
  const ImmaginiIncorporate immagini;
  for (auto _ : stato) {
    for (int n = 0; n < ImmaginiIncorporate::Numero; ++n)
      benchmark::DoNotOptimize(immagini.Rendi(n, immagini.Dimensione(n) * scala));
  }
}
BENCHMARK(TutteLeImmagini)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Reading every SVG source anew: what the first use costs on top.
void AnalisiDeiSorgenti(benchmark::State& stato) {
  const ImmaginiIncorporate immagini;
  for (auto _ : stato) {
    for (int n = 0; n < ImmaginiIncorporate::Numero; ++n) {
      QSvgRenderer renderer(immagini.Sorgente(n));
      benchmark::DoNotOptimize(renderer.isValid());
    }
  }
}
BENCHMARK(AnalisiDeiSorgenti)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QGuiApplication>(argc, argv);
}
