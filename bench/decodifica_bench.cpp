// The worst pictures a combination can carry, each remembered and applied by the game
// started headless: the time to its end and the most memory the game and its picture
// decoder held together, sampled from /proc. Set SKARVEX_BANCO_GIOCO to another
// build's executable to compare.
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Comune.h"

#include "codec/Combinazione.h"
#include "codec/DecodificaEsterna.h"
#include "codec/Impostazioni.h"
#include "codec/Vaglio.h"
#include "support/Combinazioni.h"
#include "support/Png.h"

namespace {

QImage Quadri(QSize dimensione, QImage::Format formato) {
  QImage immagine(dimensione, formato);
  QPainter p(&immagine);
  p.fillRect(immagine.rect(), QLinearGradient(0, 0, dimensione.width(), dimensione.height()));
  for (int i = 0; i < 2000; ++i)
    p.fillRect((i * 373) % dimensione.width(), (i * 811) % dimensione.height(), 40, 40,
               QColor::fromHsv(i % 360, 255, 255));
  return immagine;
}

// A small JPEG with `quanti` segments of `marcatore` after its start, each carrying
// `byte` bytes.
std::string JpegSegmenti(char marcatore, int quanti, int byte) {
  const std::string jpeg = CodificaImmagine(Quadri({64, 64}, QImage::Format_RGB32), "jpeg");
  std::string segmento = std::string("\xFF", 1) + marcatore + static_cast<char>((byte + 2) >> 8) +
                         static_cast<char>((byte + 2) & 0xFF) +
                         std::string(static_cast<size_t>(byte), 'c');
  std::string pieno = jpeg.substr(0, 2);
  pieno.reserve(2 + static_cast<size_t>(quanti) * segmento.size() + jpeg.size());
  for (int i = 0; i < quanti; ++i) pieno += segmento;
  return pieno + jpeg.substr(2);
}

struct Caso {
  const char* nome;
  std::function<TipoCombinazione()> combinazione;
};

const std::vector<Caso>& Casi() {
  static const std::vector<Caso> casi = {
      {"160000 empty APP1 segments in a JPEG",
       [] {
         TipoCombinazione c = CombinazioneVuota("App1");
         c.Immagini[0] = JpegSegmenti('\xE1', 160'000, 0);
         return c;
       }},
      {"2030 full COM segments in a JPEG (133 MB)",
       [] {
         TipoCombinazione c = CombinazioneVuota("Com");
         c.Immagini[0] = JpegSegmenti('\xFE', 2030, 65533);
         return c;
       }},
      {"a 16-bit PNG of 4000 x 4000",
       [] {
         TipoCombinazione c = CombinazioneVuota("Png16");
         c.Immagini[13] = CodificaImmagine(Quadri({4000, 4000}, QImage::Format_RGBX64), "png");
         return c;
       }},
      {"four progressive JPEGs of 4000 x 4000 (the 64 Mpx of a combination)",
       [] {
         TipoCombinazione c = CombinazioneVuota("Progressivi");
         const std::string jpeg =
             CodificaImmagine(Quadri({4000, 4000}, QImage::Format_RGB32), "jpeg", true);
         for (size_t n = 0; n < 4; ++n) c.Immagini[n] = jpeg;
         return c;
       }},
  };
  return casi;
}

void CasoPeggiore(benchmark::State& state) {
  const Caso& caso = Casi()[static_cast<size_t>(state.range(0))];
  QTemporaryDir cartella;
  const std::filesystem::path radice(cartella.path().toStdString());
  const TipoCombinazione c = caso.combinazione();
  if (!ScriviFileCombinazione(radice / (c.Nome + ".skcom"), c) ||
      !ScriviFileScelta(radice / "CombinazioneScelta", radice / (c.Nome + ".skcom"), false))
    std::abort();
  std::ofstream(radice / "copione.txt") << "dump\n";
  const QString gioco = GiocoBanco(SKARVEX_ESEGUIBILE);
  uint64_t picco = 0;
  for (auto _ : state) {
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    ambiente.insert("SDL_AUDIODRIVER", "dummy");
    p.setProcessEnvironment(ambiente);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer tempo;
    tempo.start();
    p.start(gioco,
            {"--headless", "--program-folder", cartella.path(), cartella.filePath("copione.txt")});
    const std::string pid = std::to_string(p.processId());
    while (!p.waitForFinished(2)) picco = std::max(picco, ResidenteAlbero(pid));
    state.SetIterationTime(static_cast<double>(tempo.nsecsElapsed()) / 1e9);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
      state.SkipWithError("the game did not end by itself");
  }
  state.counters["picco_albero_MiB"] = static_cast<double>(picco) / (1024 * 1024);
  state.SetLabel(std::string(caso.nome) + " (targets <= 5 s, game and decoder <= 600 MiB)");
}
BENCHMARK(CasoPeggiore)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1);

// The demo combination's fourteen pictures, decoded in a child started for them: what
// decoding outside the game costs a start-up.
void DecodificaImmaginiDemo(benchmark::State& state) {
  auto demo = LeggiFileCombinazione(SKARVEX_DEMO);
  if (!demo) return state.SkipWithError("no demo combination");
  const Vaglio::EsameCombinazione esame = Vaglio::EsaminaCombinazione(demo.valore());
  std::vector<DecodificaEsterna::Voce> voci;
  for (int n = 0; n < NumeroImmagini; ++n)
    voci.push_back({n, demo.valore().Immagini[static_cast<size_t>(n)],
                    esame.immagini[static_cast<size_t>(n)]});
  for (auto _ : state)
    for (const auto& esito : DecodificaEsterna::Decodifica(voci))
      if (!std::holds_alternative<DecodificaEsterna::Pixel>(esito))
        state.SkipWithError("a picture did not decode");
  state.SetLabel("14 pictures, one child");
}
BENCHMARK(DecodificaImmaginiDemo)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QGuiApplication>(argc, argv);
}
