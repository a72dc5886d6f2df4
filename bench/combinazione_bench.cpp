// Applying a heavy combination: fourteen 800 x 600 JPEG pictures, fifteen
// one-second WAV effects and a 3 MB MP3; and starting the program with it
// remembered, up to the first painted frame. And applying the heaviest combination
// the budgets let through, with its time and the process's peak memory.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QImageWriter>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include "Comune.h"

#include <fstream>
#include <sstream>

#include "combinations/GestioneDatiEsterni.h"
#include "game/Campo.h"
#include "codec/FileImmaginiRicordate.h"
#include "codec/Impostazioni.h"
#include "codec/Vaglio.h"
#include "ui/AudioSdl.h"
#include "support/SuoniDiProva.h"
#include "support/Banco.h"

namespace {

std::string Jpeg(int seme) {
  QImage immagine(800, 600, QImage::Format_RGB32);
  QPainter p(&immagine);
  QLinearGradient sfumatura(0, 0, 800, 600);
  sfumatura.setColorAt(0, QColor::fromHsv(seme * 25 % 360, 200, 200));
  sfumatura.setColorAt(1, QColor::fromHsv((seme * 25 + 120) % 360, 255, 80));
  p.fillRect(immagine.rect(), sfumatura);
  for (int i = 0; i < 400; ++i)
    p.fillRect((i * 37 + seme * 11) % 800, (i * 53) % 600, 12, 12,
               QColor::fromHsv(i % 360, 255, 255));
  p.end();
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  immagine.save(&buffer, "JPG", 90);
  return byte.toStdString();
}

std::string File(const std::filesystem::path& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// An MP3 of silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz): about 3 MB.
std::string Mp3() {
  std::string frame(417, '\0');
  frame[0] = '\xFF';
  frame[1] = '\xFB';
  frame[2] = '\x90';
  frame[3] = '\x44';
  std::string byte;
  while (byte.size() < 3'000'000) byte += frame;
  return byte;
}

TipoCombinazione Pesante(const std::filesystem::path& lavoro) {
  TipoCombinazione c;
  c.Nome = "Pesante";
  c.Autore = "Banco";
  for (int n = 0; n < NumeroImmagini; ++n) c.Immagini[static_cast<size_t>(n)] = Jpeg(n);
  c.Suoni[0] = Mp3();
  for (int n = 1; n < NumeroSuoni; ++n) {
    const auto wav = lavoro / ("effetto" + std::to_string(n) + ".wav");
    suoni_di_prova::ScriviWav(wav, 1.0);
    c.Suoni[static_cast<size_t>(n)] = File(wav);
  }
  c.Volumi.fill(-1000);
  c.FontNome = "DejaVu Sans";
  c.FontDimensione = "12";
  c.FontColore = "65535";
  return c;
}

struct Preparato {
  Preparato() {
    const std::filesystem::path cartella(dir.path().toStdString());
    if (!ScriviFileCombinazione(cartella / "Pesante.skcom", Pesante(cartella))) std::abort();
    if (!ScriviFileScelta(cartella / "CombinazioneScelta", cartella / "Pesante.skcom", true))
      std::abort();
    for (int n = 1; n < NumeroSuoni; ++n)
      std::filesystem::remove(cartella / ("effetto" + std::to_string(n) + ".wav"));
  }
  QTemporaryDir dir;
};

void ApplicaCombinazionePesante(benchmark::State& state) {
  Preparato preparato;
  Banco b(CreaAudioSdl());
  std::filesystem::copy(
      preparato.dir.path().toStdString(), b.g.CartellaProgramma,
      std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
  // /0 decodes every picture, as a first apply does; /1 finds them decoded before.
  const bool ricordate = state.range(0) != 0;
  if (ricordate) GestioneDatiEsterni::ApplicaCombinazione(b.g);
  for (auto _ : state) {
    if (!ricordate) {
      state.PauseTiming();
      std::filesystem::remove(b.g.File(FileImmaginiRicordate::NomeFile));
      state.ResumeTiming();
    }
    GestioneDatiEsterni::ApplicaCombinazione(b.g);
    GestioneDatiEsterni::ApplicaFont(b.g);
  }
  if (b.g.CombinazioneCorrente != "Pesante" || !b.g.Picture.Nome.startsWith("sha1:") ||
      (b.audio->Disponibile() && (!b.g.BufferSuoni[15] || !b.audio->MusicaAperta())))
    state.SkipWithError("the combination was not applied whole");
  state.SetLabel("14 JPEG 800x600, 15 WAV of 1 s, MP3 of 3 MB (target median <= 300 ms)");
}
BENCHMARK(ApplicaCombinazionePesante)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void AvvioConCombinazionePesante(benchmark::State& state) {
  Preparato preparato;
  AvviaFinoAlPrimoFotogramma(state, GiocoBanco(SKARVEX_ESEGUIBILE), preparato.dir.path());
  state.SetLabel("start-up with it remembered, to the first frame (target <= 500 ms)");
}
BENCHMARK(AvvioConCombinazionePesante)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// As much as the budgets allow: four progressive JPEGs of 4000 x 4000 (the 64 Mpx of a
// combination), ten small pictures refused for going over it, and four effects of
// 8 kHz mono that the mixer holds as 16 MiB each (the 64 MiB of all effects).
TipoCombinazione AlLimite() {
  TipoCombinazione c;
  c.Nome = "AlLimite";
  c.Autore = "Banco";
  c.Suoni[0] = Mp3();
  c.Volumi.fill(-1000);
  c.FontNome = "DejaVu Sans";
  c.FontDimensione = "12";
  c.FontColore = "65535";
  QImage grande(4000, 4000, QImage::Format_RGB32);
  QPainter p(&grande);
  p.fillRect(grande.rect(), QLinearGradient(0, 0, 4000, 4000));
  for (int i = 0; i < 2000; ++i)
    p.fillRect((i * 373) % 4000, (i * 811) % 4000, 40, 40, QColor::fromHsv(i % 360, 255, 255));
  p.end();
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, "jpeg");
  scrittore.setProgressiveScanWrite(true);
  scrittore.write(grande);
  for (size_t n = 0; n < NumeroImmagini; ++n) c.Immagini[n] = n < 4 ? byte.toStdString() : Jpeg(0);
  const uint64_t fotogrammi =
      Vaglio::MaxByteEffetto / Vaglio::BytePerFotogrammaMixer * 8000 / Vaglio::FrequenzaMixer;
  const auto le = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  const std::string effetto = "RIFF" + le(static_cast<uint32_t>(36 + fotogrammi)) + "WAVEfmt " +
                              le(16) + std::string("\x01\x00\x01\x00", 4) + le(8000) + le(8000) +
                              std::string("\x01\x00\x08\x00", 4) + "data" +
                              le(static_cast<uint32_t>(fotogrammi)) +
                              std::string(fotogrammi, '\x80');
  for (size_t n = 1; n < NumeroSuoni; ++n) c.Suoni[n] = n <= 4 ? effetto : std::string();
  return c;
}

void ApplicaCombinazioneAlLimite(benchmark::State& state) {
  Banco b(CreaAudioSdl());
  if (!ScriviFileCombinazione(b.File("AlLimite.skcom"), AlLimite()) ||
      !ScriviFileScelta(b.File("CombinazioneScelta"), b.File("AlLimite.skcom"), true))
    std::abort();
  const PiccoAlbero albero;
  for (auto _ : state) GestioneDatiEsterni::ApplicaCombinazione(b.g);
  if (b.g.img_primafila[0].Picture.Dati.size() != QSize(4000, 4000) ||
      (b.audio->Disponibile() && !b.g.BufferSuoni[4]) || b.g.BufferSuoni[5])
    state.SkipWithError("the budgets let through other than planned");
  // The program's own peak, and what it held together with its decoder.
  rusage uso{};
  getrusage(RUSAGE_SELF, &uso);
  state.counters["picco_MiB"] = static_cast<double>(uso.ru_maxrss) / 1024;
  state.counters["picco_con_decoder_MiB"] = albero.MiB();
  state.SetLabel("4 JPEG 4000x4000 and 4 effects of 16 MiB (targets <= 5 s, peak <= 600 MiB)");
}
BENCHMARK(ApplicaCombinazioneAlLimite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QGuiApplication>(argc, argv);
}
