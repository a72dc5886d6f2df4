// What sound costs the game: SuonaSlot runs inside the timer ticks, and applying a
// combination decodes up to fifteen effects at once. On SDL's dummy driver unless
// SDL_AUDIODRIVER says otherwise.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/Suoni.h"
#include "support/SuoniDiProva.h"
#include "support/Banco.h"
#include "ui/AudioSdl.h"

namespace {

using Cronometro = std::chrono::steady_clock;

double Microsecondi(Cronometro::duration d) {
  return std::chrono::duration<double, std::micro>(d).count();
}

// Reports the median and the 99th percentile of single calls, in microseconds.
void RiportaPerChiamata(benchmark::State& stato, std::vector<double>& tempi) {
  if (tempi.empty()) return;
  std::sort(tempi.begin(), tempi.end());
  stato.counters["mediana_us"] = tempi[tempi.size() / 2];
  stato.counters["p99_us"] = tempi[tempi.size() * 99 / 100];
}

// A game with effect slot 1 loaded from a one-second wave file. `daCapo` stops the
// channel before every call, so each call starts the effect afresh; otherwise
// every call finds it still sounding, as a quick succession of shots does.
void SuonaSlotCaricato(benchmark::State& stato, bool daCapo) {
  Banco banco(CreaAudioSdl());
  if (!banco.audio->Disponibile()) {
    stato.SkipWithError("no audio device (set SDL_AUDIODRIVER=dummy)");
    return;
  }
  Gioco& g = banco.g;
  const auto file = g.File("aud1.sktemp");
  suoni_di_prova::ScriviWav(file, daCapo ? 1.0 : 30.0);
  g.BufferSuoni[1] = Suoni::CreaBufferSuono(g, file);
  g.Comb.Suoni[1] = "RIFF";
  g.Volumi[1] = -1000;
  g.AudioAttivo = true;

  std::vector<double> tempi;
  tempi.reserve(1 << 20);
  for (auto _ : stato) {
    if (daCapo) banco.audio->Ferma(1);
    const auto inizio = Cronometro::now();
    Suoni::SuonaSlot(g, SlotSuono::MovimentoAlieni);
    const auto durata = Cronometro::now() - inizio;
    if (tempi.size() < tempi.capacity()) tempi.push_back(Microsecondi(durata));
  }
  RiportaPerChiamata(stato, tempi);
}

void BM_SuonaSlotMentreSuona(benchmark::State& stato) {
  SuonaSlotCaricato(stato, false);
}
void BM_SuonaSlotDaCapo(benchmark::State& stato) {
  SuonaSlotCaricato(stato, true);
}

// Fifteen one-second effects, 16-bit mono at the given rate, decoded into memory
// as applying a combination does.
void BM_DecodificaQuindiciEffetti(benchmark::State& stato) {
  Banco banco(CreaAudioSdl());
  if (!banco.audio->Disponibile()) {
    stato.SkipWithError("no audio device (set SDL_AUDIODRIVER=dummy)");
    return;
  }
  Gioco& g = banco.g;
  for (int n = 1; n <= 15; ++n) {
    suoni_di_prova::ScriviWav(g.File("aud" + std::to_string(n) + ".sktemp"), 1.0,
                              static_cast<uint32_t>(stato.range(0)));
  }
  for (auto _ : stato) {
    for (size_t n = 1; n <= 15; ++n) {
      g.BufferSuoni[n] = Suoni::CreaBufferSuono(g, g.File("aud" + std::to_string(n) + ".sktemp"));
    }
    benchmark::DoNotOptimize(g.BufferSuoni[15].get());
  }
}

}  // namespace

BENCHMARK(BM_SuonaSlotMentreSuona)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_SuonaSlotDaCapo)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodificaQuindiciEffetti)
    ->Arg(44100)
    ->Arg(22050)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
