// Applying a heavy combination: fourteen 800 x 600 JPEG pictures, fifteen
// one-second WAV effects and a 3 MB MP3; and starting the program with it
// remembered, up to the first painted frame.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include "Comune.h"

#include <fstream>
#include <sstream>

#include "data/GestioneDatiEsterni.h"
#include "data/Impostazioni.h"
#include "sound/AudioSdl.h"
#include "sound/SuoniDiProva.h"  // tests/sound
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
  for (auto _ : state) {
    GestioneDatiEsterni::ApplicaCombinazione(b.g);
    GestioneDatiEsterni::ApplicaFont(b.g);
  }
  if (b.g.CombinazioneCorrente != "Pesante" || !b.g.Picture.Nome.startsWith("sha1:") ||
      (b.audio->Disponibile() && (!b.g.BufferSuoni[15] || !b.audio->MusicaAperta())))
    state.SkipWithError("the combination was not applied whole");
  state.SetLabel("14 JPEG 800x600, 15 WAV of 1 s, MP3 of 3 MB (target median <= 300 ms)");
}
BENCHMARK(ApplicaCombinazionePesante)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void AvvioConCombinazionePesante(benchmark::State& state) {
  Preparato preparato;
  AvviaFinoAlPrimoFotogramma(state, QStringLiteral(SKARVEX_ESEGUIBILE), preparato.dir.path());
  state.SetLabel("start-up with it remembered, to the first frame (target <= 500 ms)");
}
BENCHMARK(AvvioConCombinazionePesante)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace

int main(int argc, char** argv) {
  return EseguiBenchmark<QGuiApplication>(argc, argv);
}
