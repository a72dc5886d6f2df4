// The gate of a combination's pictures and sounds: kinds recognised by their bytes,
// sizes read from their headers and held against the budgets, pictures decoded only
// by the decoder of their kind.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "combinations/Decodifica.h"
#include "codec/Vaglio.h"
#include "support/Combinazioni.h"

using namespace Vaglio;

namespace {

std::string Le(uint32_t v, int byte) {
  std::string s;
  for (int i = 0; i < byte; ++i) s += static_cast<char>(v >> (8 * i));
  return s;
}

// A one-colour GIF, which Qt can read but not write: each pixel is a clear code and
// colour 0, so the codes stay three bits wide.
std::string Gif(QSize dimensione) {
  std::string dati;
  uint32_t bit = 0, accumulo = 0;
  const auto codice = [&](uint32_t c) {
    accumulo |= c << bit;
    for (bit += 3; bit >= 8; bit -= 8, accumulo >>= 8) dati += static_cast<char>(accumulo);
  };
  for (int i = 0; i < dimensione.width() * dimensione.height(); ++i) {
    codice(4);
    codice(0);
  }
  codice(5);
  if (bit > 0) dati += static_cast<char>(accumulo);
  std::string blocchi;
  for (size_t i = 0; i < dati.size(); i += 255) {
    const std::string pezzo = dati.substr(i, 255);
    blocchi += static_cast<char>(pezzo.size()) + pezzo;
  }
  const auto l = static_cast<uint32_t>(dimensione.width()),
             a = static_cast<uint32_t>(dimensione.height());
  return "GIF89a" + Le(l, 2) + Le(a, 2) + "\x80" + std::string(2, '\0') +
         std::string("\x00\x80\x80\xFF\xFF\xFF", 6) + "\x2C" + Le(0, 4) + Le(l, 2) + Le(a, 2) +
         std::string(1, '\0') + "\x02" + blocchi + std::string(1, '\0') + ";";
}

std::string Codifica(const char* formato, QSize dimensione, bool progressivo = false) {
  if (std::string_view(formato) == "gif") return Gif(dimensione);
  QImage immagine(dimensione, QImage::Format_RGB32);
  immagine.fill(Qt::darkCyan);
  QByteArray byte;
  QBuffer buffer(&byte);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter scrittore(&buffer, formato);
  scrittore.setProgressiveScanWrite(progressivo);
  EXPECT_TRUE(scrittore.write(immagine)) << formato;
  return byte.toStdString();
}

// A BMP file's headers alone, claiming a size.
std::string Bmp(int32_t larghezza, int32_t altezza) {
  return "BM" + Le(0, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) +
         Le(static_cast<uint32_t>(larghezza), 4) + Le(static_cast<uint32_t>(altezza), 4) +
         Le(1, 2) + Le(24, 2) + std::string(24, '\0');
}

// A wave file's headers: format tag, channels, rate, bits, then `dati` bytes of samples.
std::string Wav(uint16_t formato, uint16_t canali, uint32_t frequenza, uint16_t bit, size_t dati,
                bool dueFormati = false) {
  std::string fmt = "fmt " + Le(16, 4) + Le(formato, 2) + Le(canali, 2) + Le(frequenza, 4) +
                    Le(frequenza * canali * bit / 8, 4) + Le(canali * bit / 8, 2) + Le(bit, 2);
  if (dueFormati) fmt += fmt;
  const std::string corpo =
      fmt + "data" + Le(static_cast<uint32_t>(dati), 4) + std::string(dati, 'x');
  return "RIFF" + Le(static_cast<uint32_t>(4 + corpo.size()), 4) + "WAVE" + corpo;
}

}  // namespace

TEST(Vaglio, EachPictureKindIsKnownByItsBytesAndDecodedAtTheSizeItsHeaderSays) {
  const struct {
    const char* decoder;
    bool progressivo;
    FormatoMedia formato;
  } casi[] = {{"jpeg", false, FormatoMedia::JPG},
              {"jpeg", true, FormatoMedia::JPG},
              {"gif", false, FormatoMedia::GIF},
              {"bmp", false, FormatoMedia::BMP},
              {"png", false, FormatoMedia::PNG}};
  for (const auto& caso : casi) {
    const std::string byte = Codifica(caso.decoder, {37, 23}, caso.progressivo);
    const EsameImmagine esame = EsaminaImmagine(byte);
    EXPECT_FALSE(esame.rifiuto) << caso.decoder;
    EXPECT_EQ(esame.formato, caso.formato);
    EXPECT_EQ(esame.larghezza, 37u);
    EXPECT_EQ(esame.altezza, 23u);
    EXPECT_EQ(esame.scansioni > 1, caso.progressivo) << caso.decoder;
    EXPECT_EQ(DecodificaImmagine(byte).Dati.size(), QSize(37, 23)) << caso.decoder;
  }
}

TEST(Vaglio, PictureBudgetsAreReadFromHeadersBeforeAnyDecoding) {
  // 20 million pixels, and a top-down picture (negative height) counted the same.
  EXPECT_EQ(EsaminaImmagine(Bmp(5000, 4000)).rifiuto->motivo, Motivo::Pixel);
  EXPECT_EQ(EsaminaImmagine(Bmp(5000, -4000)).rifiuto->valore, 20'000'000u);
  EXPECT_FALSE(EsaminaImmagine(Bmp(4000, -4000)).rifiuto);

  // A GIF's first picture placed far out on a small screen makes the canvas larger.
  const std::string gif = "GIF89a" + Le(10, 2) + Le(10, 2) + std::string(3, '\0') + "\x2C" +
                          Le(6000, 2) + Le(3000, 2) + Le(10, 2) + Le(10, 2) + std::string(1, '\0');
  EXPECT_EQ(EsaminaImmagine(gif).rifiuto->valore, 6010u * 3010u);

  // A progressive JPEG is decoded once per scan: a hundred pass, one more does not.
  std::string jpeg = Codifica("jpeg", {16, 16}, true);
  const uint32_t scansioni = EsaminaImmagine(jpeg).scansioni;
  const std::string vuota("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  std::string piena = jpeg;
  for (uint32_t i = scansioni; i < MaxScansioniJpeg; ++i) piena.insert(piena.size() - 2, vuota);
  EXPECT_FALSE(EsaminaImmagine(piena).rifiuto);
  piena.insert(piena.size() - 2, vuota);
  EXPECT_EQ(EsaminaImmagine(piena).rifiuto->motivo, Motivo::Scansioni);
  // Bytes that only look like a scan inside the entropy-coded data are no marker.
  EXPECT_EQ(
      EsaminaImmagine(jpeg.insert(jpeg.size() - 2, std::string("\xFF\x00\xFF\xD3", 4))).scansioni,
      scansioni);
}

TEST(Vaglio, SoundsAreMeasuredAtTheMixersRateBeforeTheyAreConverted) {
  // One second at 44.1 kHz, 16-bit stereo, is what the mixer holds for it.
  EXPECT_EQ(EsaminaEffetto(Wav(1, 2, 44100, 16, 176400)).byteDecodificati, 176400u);
  // Ten thousand 8-bit samples at 10 Hz are 1000 s: 176 MB once resampled.
  const EsameEffetto lento = EsaminaEffetto(Wav(1, 1, 10, 8, 10000));
  EXPECT_EQ(lento.rifiuto->motivo, Motivo::Effetto);
  EXPECT_EQ(lento.rifiuto->valore, 176'400'000u);
  // A data chunk claiming more than the file holds counts what is there.
  std::string corta = Wav(1, 1, 11025, 8, 1000);
  corta.replace(corta.find("data") + 4, 4, Le(0xFFFFFFF0, 4));
  EXPECT_EQ(EsaminaEffetto(corta).byteDecodificati, 16000u);
  // ADPCM counts four bits a sample.
  EXPECT_EQ(EsaminaEffetto(Wav(0x11, 1, 44100, 4, 100)).byteDecodificati, 800u);

  // The music is streamed, so any length will do, but a MIDI file's events are read whole.
  EXPECT_FALSE(EsaminaMusica(Wav(1, 1, 10, 8, 10000)).rifiuto);
  EXPECT_EQ(EsaminaMusica("MThd" + std::string(MaxByteMidi, '\0')).rifiuto->motivo, Motivo::Midi);
}

TEST(Vaglio, BudgetsAcrossTheCombinationCountSlotsInTheOrderTheGameUsesThem) {
  TipoCombinazione c = CombinazioneVuota("Grande");
  // 15 MiB each, so the fifth effect passes the 64 MiB of the whole.
  const std::string effetto = Wav(1, 2, 44100, 16, 15 * MiB);
  for (int n = 1; n <= 5; ++n) c.Suoni[n] = effetto;
  // 16 Mpx each, so the fifth picture passes the 64 Mpx of the whole.
  for (int n = 0; n < 5; ++n) c.Immagini[n] = Bmp(4000, 4000);
  c.Immagini[13] = "";
  const EsameCombinazione esame = EsaminaCombinazione(c);
  EXPECT_FALSE(esame.Tutto());
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(esame.suoni[n]) << n;
  EXPECT_EQ(esame.suoni[5]->motivo, Motivo::Effetti);
  for (int n = 0; n < 4; ++n) EXPECT_FALSE(esame.immagini[n].rifiuto) << n;
  EXPECT_EQ(esame.immagini[4].rifiuto->motivo, Motivo::PixelCombinazione);
  EXPECT_EQ(esame.immagini[13].rifiuto->motivo, Motivo::Formato);  // empty: no picture
  EXPECT_FALSE(esame.immagini[12].rifiuto);                        // Default

  c.FontFileNome = "Mia.ttf";
  c.FontFile = "not a font";
  EXPECT_EQ(EsaminaCombinazione(c).font->motivo, Motivo::Formato);
  EXPECT_TRUE(EsaminaCombinazione(CombinazioneVuota("Vuota")).Tutto());
}
