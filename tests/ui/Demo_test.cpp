// The demo combination that the build makes and the program carries.
#include "tools/demo/Demo.h"

#include "data/Combinazione.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

TipoCombinazione Decodificata() {
  const QByteArray byte = CombinazioneDemo();
  auto comb = DecodificaCombinazione(std::string_view(byte.constData(), byte.size()));
  EXPECT_TRUE(comb.ok()) << (comb.ok() ? "" : comb.errore());
  return comb.ok() ? comb.valore() : TipoCombinazione{};
}

TEST(CombinazioneDemo, DecodesAsNotturnoBySquadraSkarvexWithoutPassword) {
  const QByteArray byte = CombinazioneDemo();
  ASSERT_FALSE(byte.isEmpty());
  EXPECT_LT(byte.size(), 1024 * 1024);  // small enough to ship in the program
  const TipoCombinazione comb = Decodificata();
  EXPECT_EQ(comb.Nome, "Notturno");
  EXPECT_EQ(comb.Autore, "Squadra SKARVEX");
  EXPECT_EQ(comb.Password, "");
  EXPECT_EQ(comb.FontNome, "DejaVu Sans Mono");
  EXPECT_EQ(comb.FontDimensione, "13.5");
  EXPECT_TRUE(comb.FontGrassetto);
  EXPECT_FALSE(comb.FontCorsivo);
  EXPECT_EQ(comb.FontFile, "");
  EXPECT_EQ(comb.FontFileNome, "");
  // Cyan: red, in the low byte, is nothing; green and blue are strong.
  const long colore = std::stol(comb.FontColore);
  EXPECT_EQ(colore & 0xFF, 0);
  EXPECT_GE((colore >> 8) & 0xFF, 0xC0);
  EXPECT_GE((colore >> 16) & 0xFF, 0xC0);
}

TEST(CombinazioneDemo, EveryPictureSlotHoldsADecodablePicture) {
  const TipoCombinazione comb = Decodificata();
  for (int n = 0; n < NumeroImmagini; ++n) {
    const std::string& byte = comb.Immagini[n];
    QImage immagine;
    EXPECT_NE(byte, "Default") << "slot " << n;
    EXPECT_TRUE(immagine.loadFromData(reinterpret_cast<const uchar*>(byte.data()),
                                      static_cast<int>(byte.size())))
        << "slot " << n;
  }
  QImage sfondo;
  ASSERT_TRUE(sfondo.loadFromData(QByteArray::fromStdString(comb.Immagini[13]), "JPG"));
  EXPECT_EQ(sfondo.size(), QSize(800, 600));
}

// The header fields as the WAV reader of the sound layer needs them.
struct Wave {
  uint16_t formato = 0, canali = 0, bit = 0;
  uint32_t frequenza = 0, dati = 0;
  std::vector<int16_t> campioni;
};

Wave Leggi(const std::string& wav) {
  auto u16 = [&](size_t i) {
    return static_cast<uint16_t>(uint8_t(wav[i]) | uint8_t(wav[i + 1]) << 8);
  };
  auto u32 = [&](size_t i) { return uint32_t(u16(i)) | uint32_t(u16(i + 2)) << 16; };
  Wave w;
  w.formato = u16(20);
  w.canali = u16(22);
  w.frequenza = u32(24);
  w.bit = u16(34);
  w.dati = u32(40);
  for (size_t i = 44; i + 1 < wav.size(); i += 2)
    w.campioni.push_back(static_cast<int16_t>(u16(i)));
  return w;
}

TEST(CombinazioneDemo, EverySoundSlotHoldsA16BitMonoWaveAtItsVolume) {
  const TipoCombinazione comb = Decodificata();
  for (int n = 0; n < NumeroSuoni; ++n) {
    const std::string& wav = comb.Suoni[n];
    ASSERT_GT(wav.size(), 44u) << "slot " << n;
    EXPECT_EQ(wav.substr(0, 4), "RIFF") << "slot " << n;
    EXPECT_EQ(wav.substr(8, 8), "WAVEfmt ") << "slot " << n;
    EXPECT_EQ(wav.substr(36, 4), "data") << "slot " << n;
    const Wave w = Leggi(wav);
    EXPECT_EQ(w.formato, 1) << "slot " << n;  // PCM
    EXPECT_EQ(w.canali, 1) << "slot " << n;
    EXPECT_EQ(w.frequenza, 22050u) << "slot " << n;
    EXPECT_EQ(w.bit, 16) << "slot " << n;
    EXPECT_EQ(w.dati, wav.size() - 44) << "slot " << n;
    EXPECT_EQ(comb.Volumi[n], n == 0 ? -1500 : -1000) << "slot " << n;
    if (n > 0) {
      EXPECT_LT(w.campioni.size(), 2u * 22050) << "effect " << n << " is short";
    }
  }
}

TEST(CombinazioneDemo, TheTuneLastsEightToSixteenSecondsAndLoopsWithoutAClick) {
  const Wave w = Leggi(Decodificata().Suoni[0]);
  ASSERT_FALSE(w.campioni.empty());
  const double secondi = static_cast<double>(w.campioni.size()) / w.frequenza;
  EXPECT_GE(secondi, 8.0);
  EXPECT_LE(secondi, 16.0);
  // The loop joins the last sample to the first: both sit at silence.
  EXPECT_LT(std::abs(w.campioni.front()), 300);
  EXPECT_LT(std::abs(w.campioni.back()), 300);
}

// The build embeds what the generator wrote; running it again gives the same bytes.
TEST(CombinazioneDemo, TheGeneratorWritesTheSameBytesEveryTime) {
  QTemporaryDir cartella;
  ASSERT_TRUE(cartella.isValid());
  QProcess generatore;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
  generatore.setProcessEnvironment(ambiente);
  generatore.start(QStringLiteral(SKARVEX_GENERATORE_DEMO), {cartella.path()});
  ASSERT_TRUE(generatore.waitForFinished(60000));
  ASSERT_EQ(generatore.exitCode(), 0) << generatore.readAllStandardError().toStdString();
  QFile file(cartella.filePath(QLatin1String(NomeFileDemo)));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll() == CombinazioneDemo());
}

}  // namespace
