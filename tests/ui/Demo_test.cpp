// The demo combination that the build makes and the program offers on a first run.
#include "ui/Demo.h"

#include "codec/Combinazione.h"
#include "support/Processo.h"
#include "ui/Avvio.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(CombinazioneDemo, IsAnOpenCombinationOfPicturesAndWavesInEverySlot) {
  const QByteArray byte = CombinazioneDemo();
  auto comb = DecodificaCombinazione(std::string_view(byte.constData(), byte.size()));
  ASSERT_TRUE(comb.ok()) << comb.errore();
  const TipoCombinazione& c = comb.valore();
  EXPECT_EQ(c.Password, "");  // a newcomer may open it in the editor
  for (int n = 0; n < NumeroImmagini; ++n)
    EXPECT_FALSE(QImage::fromData(QByteArray::fromStdString(c.Immagini[n])).isNull()) << n;
  for (int n = 0; n < NumeroSuoni; ++n) {
    EXPECT_EQ(c.Suoni[n].substr(0, 4), "RIFF") << n;
    EXPECT_EQ(c.Suoni[n].substr(8, 4), "WAVE") << n;
  }
}

// The build embeds what the generator wrote; running it again gives the same bytes.
TEST(CombinazioneDemo, TheGeneratorWritesTheSameBytesEveryTime) {
  QTemporaryDir cartella;
  QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
  ambiente.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
  const Uscita generatore = Esegui(SKARVEX_GENERATORE_DEMO,
                                   {cartella.filePath(QLatin1String(NomeFileDemo))}, {}, ambiente);
  ASSERT_EQ(generatore.stato, 0) << generatore.err.toStdString();
  QFile file(cartella.filePath(QLatin1String(NomeFileDemo)));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll() == CombinazioneDemo());
}

TEST(OffriDemo, PutsItInANewFolderButNeverOverAPlayersFileNorAfterTheFirstRun) {
  QTemporaryDir nuova, sua, giocata;
  for (QTemporaryDir* d : {&nuova, &sua, &giocata}) {
    const std::filesystem::path cartella = d->path().toStdString();
    if (d == &sua) std::ofstream(cartella / NomeFileDemo) << "mine";
    if (d == &giocata) std::ofstream(cartella / "Record") << "";
    OffriDemo(cartella);
  }
  QFile offerta(nuova.filePath(NomeFileDemo)), tenuta(sua.filePath(NomeFileDemo));
  ASSERT_TRUE(offerta.open(QIODevice::ReadOnly) && tenuta.open(QIODevice::ReadOnly));
  EXPECT_TRUE(offerta.readAll() == CombinazioneDemo());
  EXPECT_EQ(tenuta.readAll(), "mine");
  EXPECT_FALSE(QFile::exists(giocata.filePath(NomeFileDemo)));
}

}  // namespace
