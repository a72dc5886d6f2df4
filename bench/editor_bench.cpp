// The combination editor: opening it (building its controls and running its
// loading steps) on Default and on the demo combination, a hover that swaps the
// preview, and saving the demo combination and applying it.
#include "codec/Impostazioni.h"
#include "drawing/ImmaginiIncorporate.h"
#include "editor/frm_opzioni.h"
#include "support/Banco.h"
#include "ui/Demo.h"

#include <QApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include "Comune.h"

namespace {

// The built-in pictures the main window lends to every editor it opens.
const ImmaginiIncorporate* Incorporate() {
  static const ImmaginiIncorporate immagini;
  return &immagini;
}

void Demo(Banco& b) {
  b.Scrivi(NomeFileDemo, CombinazioneDemo().toStdString());
  (void)ScriviFileScelta(b.File("CombinazioneScelta"), b.File(NomeFileDemo), false);
}

void ApriEditor(benchmark::State& stato) {
  Banco b;
  if (stato.range(0)) Demo(b);
  b.Avvia();
  for (auto _ : stato) {
    frm_opzioni editor(b.g, {}, {}, Incorporate());
    benchmark::DoNotOptimize(&editor);
  }
}
BENCHMARK(ApriEditor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void AnteprimaAlPassaggio(benchmark::State& stato) {
  Banco b;
  Demo(b);
  b.Avvia();
  frm_opzioni editor(b.g, {}, {}, Incorporate());
  editor.show();
  for (auto _ : stato) {
    editor.PulsanteImmagine_MouseMove(0);
    editor.PulsanteImmagine_MouseMove(13);
    QApplication::processEvents();  // the repaint of the preview frame
  }
}
BENCHMARK(AnteprimaAlPassaggio)->Unit(benchmark::kMicrosecond);

// "Salva e applica" of the demo as it is: its pictures and sounds kept from the
// record, the file written again, the combination applied.
void SalvaEApplica(benchmark::State& stato) {
  Banco b;
  Demo(b);
  b.Avvia();
  for (auto _ : stato) {
    frm_opzioni editor(b.g, {}, {}, Incorporate());
    editor.cb_salva_Click();
  }
  stato.counters["byte"] = static_cast<double>(std::filesystem::file_size(b.File(NomeFileDemo)));
}
BENCHMARK(SalvaEApplica)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QApplication>(argc, argv);
}
