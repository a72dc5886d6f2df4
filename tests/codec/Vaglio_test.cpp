// The gate of a combination's pictures and sounds: kinds recognised by their bytes,
// sizes read from their headers and held against the budgets, pictures decoded only
// by the decoder of their kind.
#include <gtest/gtest.h>

#include "combinations/Decodifica.h"
#include "codec/Vaglio.h"
#include "support/MediaOstili.h"
#include "support/MediaProva.h"
#include "support/Combinazioni.h"

using namespace Vaglio;

namespace {

// A GIF of one colour whose data carries only its first pixel, which is all the
// decoder needs to give a picture of the whole size.
std::string Gif(QSize dimensione) {
  const std::string lato = Le(static_cast<uint32_t>(dimensione.width()), 2) +
                           Le(static_cast<uint32_t>(dimensione.height()), 2);
  return "GIF89a" + lato + "\x80" + std::string(2, '\0') +
         std::string("\0\x80\x80\xFF\xFF\xFF", 6) + "\x2C" + Le(0, 4) + lato +
         std::string(1, '\0') + "\x02\x02\x44\x01" + std::string(1, '\0') + ";";
}

std::string Codifica(const char* formato, QSize dimensione, bool progressivo = false) {
  if (std::string_view(formato) == "gif") return Gif(dimensione);
  return CodificaImmagine(TintaUnita(Qt::darkCyan, dimensione, QImage::Format_RGB32), formato,
                          progressivo);
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
    EXPECT_EQ(std::tuple(esame.formato, esame.larghezza, esame.altezza, esame.scansioni > 1),
              std::tuple(caso.formato, 37u, 23u, caso.progressivo))
        << caso.decoder;
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

  // The music is streamed, so any length will do (a MIDI file's size is the headers' test).
  EXPECT_FALSE(EsaminaMusica(Wav(1, 1, 10, 8, 10000)).rifiuto);
}

// The music's decoder walks a wave by rules of its own (no pad byte after odd data,
// every chunk to the end, the last format winning): a format it meets must be the one
// the gate read, since one of no channels takes it down. An effect's decoder stops at
// its data.
TEST(Vaglio, AMusicsWaveShowsItsDecoderOnlyTheFormatTheGateRead) {
  namespace mo = media_ostili;
  const struct {
    const char* cosa;
    std::string byte;
    bool presa;
  } casi[] = {
      {"another format after the data", mo::WavConCoda(mo::FormatoWav(3)), false},
      {"the same format again", mo::WavConCoda(mo::FormatoWav(1)), true},
      {"no channels right after odd data", mo::WavConCoda(mo::FormatoWav(0), 199), false},
      {"no channels after odd data's pad byte", mo::WavConCoda("x" + mo::FormatoWav(0), 199), true},
      {"no channels after a chunk of no length",
       mo::WavConCoda("junk" + std::string(4, '\0') + mo::FormatoWav(0)), true},
  };
  for (const auto& caso : casi) {
    EXPECT_EQ(!EsaminaMusica(caso.byte).rifiuto, caso.presa) << caso.cosa;
    EXPECT_FALSE(EsaminaEffetto(caso.byte).rifiuto) << caso.cosa;
  }
}

TEST(Vaglio, BudgetsAcrossTheCombinationCountSlotsInTheOrderTheGameUsesThem) {
  TipoCombinazione c = CombinazioneVuota("Grande");
  // 15 MiB each, so the fifth effect passes the 64 MiB of the whole.
  const std::string effetto = Wav(1, 2, 44100, 16, 15 * MiB);
  for (int n = 1; n <= 5; ++n) c.Suoni[n] = effetto;
  // (The pictures' budget of the whole is a hostile combination's, applied end to end.)
  c.Immagini[13] = "";
  const EsameCombinazione esame = EsaminaCombinazione(c);
  EXPECT_FALSE(esame.Tutto());
  for (int n = 1; n <= 4; ++n) EXPECT_FALSE(esame.suoni[n]) << n;
  EXPECT_EQ(esame.suoni[5]->motivo, Motivo::Effetti);
  EXPECT_EQ(esame.immagini[13].rifiuto->motivo, Motivo::Formato);  // empty: no picture
  EXPECT_FALSE(esame.immagini[12].rifiuto);                        // Default

  c.FontFileNome = "Mia.ttf";
  c.FontFile = "not a font";
  EXPECT_EQ(EsaminaCombinazione(c).font->motivo, Motivo::Formato);
  EXPECT_TRUE(EsaminaCombinazione(CombinazioneVuota("Vuota")).Tutto());
}
