// The game's speed: one playfield frame drawn offscreen, an hour of headless play
// by a bot, and the process start to the first painted frame, alone and against a
// bare Qt program.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "Bot.h"
#include "Comune.h"

#include "codec/Combinazione.h"
#include "codec/Impostazioni.h"
#include "game/Eventi.h"
#include "support/Banco.h"
#include "drawing/Disegno.h"
#include "drawing/ImmaginiIncorporate.h"

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
  ImmaginiIncorporate immagini;
  Pittore pittore{immagini};
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

// A whole frame of the full-screen window on a 3840 x 2160 monitor: the playfield at
// 3.94x between two bars, as the window paints it after a change of label; with the
// built-in look, and with a combination's 800 x 600 background picture under it all.
void DisegnoFotogramma4K(benchmark::State& state) {
  Banco b;
  PartitaPiena(b);
  if (state.range(0)) {
    b.g.Picture.Nome = QStringLiteral("sfondo");
    b.g.Picture.Dati = QImage(800, 600, QImage::Format_RGB32);
    b.g.Picture.Dati.fill(QColor(20, 30, 60));
  }
  ImmaginiIncorporate immagini;
  Pittore pittore{immagini};
  QImage schermo(3840, 2160, QImage::Format_ARGB32_Premultiplied);
  const QRegion tutto(schermo.rect());
  for (auto _ : state) {
    QPainter p(&schermo);
    pittore.DisegnaInArea(p, b.g, schermo.size(), tutto);
    p.end();
    benchmark::DoNotOptimize(schermo.constBits());
    b.g.img_primafila[1].Left += state.iterations() % 2 ? 1 : -1;
  }
  state.SetLabel("3840x2160 full screen (target median <= 8 ms)");
}
BENCHMARK(DisegnoFotogramma4K)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// An hour of play by the bot, which starts a new game whenever one ends.
void UnOraDiGioco(benchmark::State& state) {
  constexpr int64_t Ora = 3600 * 1000;
  int64_t scatti = 0;
  for (auto _ : state) {
    Banco b;
    b.g.registroSuoni = nullptr;
    b.Avvia();
    Bot bot(b.g, b.smista);
    bot.prudenza = 1000;
    for (int64_t t = 0; t < Ora; t += 50) {
      if (b.g.img_gameover.Visible) b.frm.Form_KeyPress(Tasti::Spazio);
      bot.Gioca();
      b.Attendi(50);
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
  AvviaFinoAlPrimoFotogramma(state, GiocoBanco(SKARVEX_ESEGUIBILE), cartella.path(), [&] {
    QDir(cartella.path()).removeRecursively();  // every start is a first start
    QDir().mkpath(cartella.path());
  });
  state.SetLabel("process start to first painted frame (target median <= 300 ms)");
}
BENCHMARK(AvvioPrimoFotogramma)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

double Mediana(std::vector<double> valori) {
  std::sort(valori.begin(), valori.end());
  const size_t n = valori.size();
  return n == 0 ? 0 : n % 2 ? valori[n / 2] : (valori[n / 2 - 1] + valori[n / 2]) / 2;
}

// A combination of the demo's fourteen pictures alone, chosen in `cartella`: its music
// and font would time the synthesizer and the font files rather than the pictures.
bool ScegliImmaginiDemo(const std::filesystem::path& cartella) {
  auto demo = LeggiFileCombinazione(cartella / "Notturno.skcom");
  if (!demo) return false;
  TipoCombinazione immagini = demo.valore();
  immagini.Nome = "Immagini";
  immagini.Suoni.fill({});
  immagini.FontFile.clear();
  immagini.FontFileNome.clear();
  return ScriviFileCombinazione(cartella / "Immagini.skcom", immagini) &&
         ScriviFileScelta(cartella / "CombinazioneScelta", cartella / "Immagini.skcom", false);
}

// The game's second start, in a folder that already holds the demo combination and the
// high scores, against a bare Qt program that opens a window of the same size and draws
// 40 bold labels: started in turns, so that both meet the same load on the machine. The
// time is the game's; the counters are both medians, their ratio, and the same to the
// end of each process. With 1, a combination of the demo's fourteen pictures is in use,
// so they are all decoded before the first frame.
void AvvioControProgrammaNudo(benchmark::State& state) {
  QTemporaryDir cartella;
  const QString gioco = GiocoBanco(SKARVEX_ESEGUIBILE);
  const QString nudo = QStringLiteral(SKARVEX_NUDO);
  const QStringList argomenti = {"--program-folder", cartella.path()};
  const QProcessEnvironment ambiente = AmbienteAvvio();
  if (TempiAlPrimoFotogramma(gioco, argomenti, ambiente).fine < 0 ||
      !QFileInfo::exists(cartella.filePath("Notturno.skcom"))) {
    state.SkipWithError("the first start did not prepare the folder");
    return;
  }
  if (state.range(0) && !ScegliImmaginiDemo(cartella.path().toStdString())) {
    state.SkipWithError("the demo's pictures could not be chosen");
    return;
  }
  std::vector<double> fotogrammaGioco, fotogrammaNudo, fineGioco, fineNudo;
  for (auto _ : state) {
    const TempiAvvio n = TempiAlPrimoFotogramma(nudo, {}, ambiente);
    const TempiAvvio g = TempiAlPrimoFotogramma(gioco, argomenti, ambiente);
    if (n.fotogramma < 0 || g.fotogramma < 0) {
      state.SkipWithError("a program did not paint its first frame and end by itself");
      return;
    }
    state.SetIterationTime(g.fotogramma / 1000);
    fotogrammaGioco.push_back(g.fotogramma);
    fotogrammaNudo.push_back(n.fotogramma);
    fineGioco.push_back(g.fine);
    fineNudo.push_back(n.fine);
  }
  const double g = Mediana(fotogrammaGioco), n = Mediana(fotogrammaNudo);
  state.counters["gioco_ms"] = g;
  state.counters["nudo_ms"] = n;
  state.counters["rapporto"] = g / n;
  state.counters["gioco_fine_ms"] = Mediana(fineGioco);
  state.counters["nudo_fine_ms"] = Mediana(fineNudo);
  state.SetLabel(state.range(0)
                     ? "with the demo's 14 pictures, medians (target rapporto <= 3)"
                     : "second start to the first frame, medians (target rapporto <= 3)");
}
BENCHMARK(AvvioControProgrammaNudo)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QApplication>(argc, argv);
}
