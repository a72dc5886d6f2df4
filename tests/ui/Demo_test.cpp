// The demo combination that the build makes and the program offers on a first run.
#include "ui/Demo.h"

#include "codec/Combinazione.h"
#include "support/File.h"
#include "support/Processo.h"
#include "ui/Avvio.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

TEST(CombinazioneDemo, IsAnOpenCombinationOfPicturesAndWavesInEverySlot) {
  const auto comb = DecodificaCombinazione(CombinazioneDemo().toStdString());
  ASSERT_TRUE(comb.ok()) << comb.errore();
  const TipoCombinazione& c = comb.valore();
  EXPECT_EQ(c.Password, "");  // a newcomer may open it in the editor
  for (int n = 0; n < NumeroImmagini; ++n)
    EXPECT_FALSE(QImage::fromData(QByteArray::fromStdString(c.Immagini[n])).isNull()) << n;
  for (int n = 0; n < NumeroSuoni; ++n)
    EXPECT_EQ(c.Suoni[n].substr(0, 4) + c.Suoni[n].substr(8, 4), "RIFFWAVE") << n;
}

// The build embeds what the generator wrote; running it again gives the same bytes.
TEST(CombinazioneDemo, TheGeneratorWritesTheSameBytesEveryTime) {
  QTemporaryDir cartella;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
  const QString file = cartella.filePath(QLatin1String(NomeFileDemo));
  const Uscita generatore = Esegui(SKARVEX_GENERATORE_DEMO, {file}, {}, ambiente);
  ASSERT_EQ(generatore.stato, 0) << generatore.err.toStdString();
  EXPECT_TRUE(LeggiTutto(file.toStdString()) == CombinazioneDemo().toStdString());
}

TEST(OffriDemo, PutsItInANewFolderButNeverOverAPlayersFileNorAfterTheFirstRun) {
  QTemporaryDir nuova, sua, giocata;
  const fs::path cartelle[] = {nuova.path().toStdString(), sua.path().toStdString(),
                               giocata.path().toStdString()};
  ScriviTutto(cartelle[1] / NomeFileDemo, "mine");
  ScriviTutto(cartelle[2] / "Record", "");
  for (const fs::path& cartella : cartelle) OffriDemo(cartella);
  EXPECT_TRUE(LeggiTutto(cartelle[0] / NomeFileDemo) == CombinazioneDemo().toStdString());
  EXPECT_EQ(LeggiTutto(cartelle[1] / NomeFileDemo), "mine");
  EXPECT_FALSE(fs::exists(cartelle[2] / NomeFileDemo));
}

}  // namespace
