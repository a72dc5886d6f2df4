// The game's speed: one playfield frame drawn offscreen, an hour of headless play
// by a bot, and the process start to the first painted frame.
#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "Comune.h"

#include "game/Eventi.h"
#include "support/Banco.h"
#include "ui/Disegno.h"

namespace {

// A busy frame: the whole formation, all 48 bricks, every label shown.
void PartitaPiena(Banco& b) {
  b.Avvia();
  b.frm.img_gameover_Click();
  Eventi::MostraRecord(b.g);
  b.g.lbl_puntinavicella.Visible = true;
  b.g.img_navicellabonus.Visible = true;
  b.g.img_proiettilegiocatore.Visible = true;
  b.g.img_proiettilenemico[0].Visible = true;
}

void DisegnoFotogramma(benchmark::State& state) {
  const qreal scala = static_cast<qreal>(state.range(0));
  Banco b;
  PartitaPiena(b);
  Pittore pittore;
  QImage immagine(QSize(794, 548) * scala, QImage::Format_ARGB32_Premultiplied);
  immagine.setDevicePixelRatio(scala);
  for (auto _ : state) {
    QPainter p(&immagine);
    pittore.Disegna(p, b.g);
    p.end();
    benchmark::DoNotOptimize(immagine.constBits());
    // The march moves one column a little each frame, so the drawing is not idle.
    b.g.img_primafila[1].Left += state.iterations() % 2 ? 1 : -1;
  }
  state.SetLabel(scala == 1 ? "1x (target median <= 2 ms)" : "2x (target median <= 5 ms)");
}
BENCHMARK(DisegnoFotogramma)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A bot that plays: it walks the cannon from side to side under the formation and
// fires whenever it can, starting a new game or level whenever one ends.
void UnOraDiGioco(benchmark::State& state) {
  constexpr int64_t Ora = 3600 * 1000;
  int64_t scatti = 0;
  for (auto _ : state) {
    Banco b;
    b.g.registroSuoni = nullptr;
    b.Avvia();
    bool versoDestra = true;
    for (int64_t t = 0; t < Ora; t += 100) {
      if (b.g.img_giocatore.Left <= 20) versoDestra = true;
      if (b.g.img_giocatore.Left >= 11020) versoDestra = false;
      b.frm.Form_KeyUp(versoDestra ? Tasti::FrecciaSinistra : Tasti::FrecciaDestra);
      b.frm.Form_KeyDown(versoDestra ? Tasti::FrecciaDestra : Tasti::FrecciaSinistra);
      b.frm.Form_KeyPress(Tasti::Spazio);
      b.Attendi(100);
    }
    scatti += b.orologio.Scatti();
  }
  const double secondi =
      static_cast<double>(Ora) / 1000.0 * static_cast<double>(state.iterations());
  state.counters["virtual_per_real"] = benchmark::Counter(secondi, benchmark::Counter::kIsRate);
  state.counters["timer_firings_per_s"] =
      benchmark::Counter(static_cast<double>(scatti), benchmark::Counter::kIsRate);
  state.SetLabel("one hour of virtual play (target <= 1 s)");
}
BENCHMARK(UnOraDiGioco)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The program started offscreen in an empty folder, ending itself after the first
// frame it paints.
void AvvioPrimoFotogramma(benchmark::State& state) {
  QTemporaryDir cartella;
  AvviaFinoAlPrimoFotogramma(state, QStringLiteral(SKARVEX_ESEGUIBILE), cartella.path(), [&] {
    QDir(cartella.path()).removeRecursively();  // every start is a first start
    QDir().mkpath(cartella.path());
  });
  state.SetLabel("process start to first painted frame (target median <= 300 ms)");
}
BENCHMARK(AvvioPrimoFotogramma)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QApplication>(argc, argv);
}
