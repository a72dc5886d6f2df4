#include "data/Impostazioni.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "data/CartellaTemporanea.h"
#include "data/FileAtomico.h"

namespace fs = std::filesystem;

TEST(CodificaScelta, TwoCrLfLinesWithTheQuotedPathAndTheAudioSwitch) {
  EXPECT_EQ(CodificaScelta("/opt/skarvex/Default.skcom", false).valore(),
            "\"/opt/skarvex/Default.skcom\"\r\n#FALSE#\r\n");
  EXPECT_EQ(CodificaScelta("/opt/skarvex/Blu.skcom", true).valore(),
            "\"/opt/skarvex/Blu.skcom\"\r\n#TRUE#\r\n");
}

TEST(CodificaScelta, RefusesAPathItCouldNotReadBack) {
  for (const char* cattivo : {"/a\"b/X.skcom", "/a\nb/X.skcom", "/a\rb/X.skcom"}) {
    auto byte = CodificaScelta(cattivo, true);
    ASSERT_FALSE(byte) << cattivo;
    EXPECT_NE(byte.errore().find("double quote or a line break"), std::string::npos);
  }
}

TEST(DecodificaScelta, ReadsBackAnyFolderNameWithCommasBlanksAndAccents) {
  const fs::path percorso = "/home/anna/Giochi, vecchi/Città è/Blu verde.skcom";
  auto lettura = DecodificaScelta(CodificaScelta(percorso, true).valore());
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.Percorso, percorso);
  EXPECT_EQ(lettura.AudioAttivo, true);
}

TEST(DecodificaScelta, FollowsTheFieldRulesForUnquotedAndOldStyleLines) {
  auto lettura = DecodificaScelta("/x/Blu.skcom,#false#");
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.Percorso, fs::path("/x/Blu.skcom"));
  EXPECT_EQ(lettura.AudioAttivo, false);
}

TEST(DecodificaScelta, KeepsWhatItReadBeforeAFailure) {
  auto vuota = DecodificaScelta("");
  EXPECT_FALSE(vuota.esito);
  EXPECT_FALSE(vuota.Percorso);
  EXPECT_FALSE(vuota.AudioAttivo);

  auto soloPercorso = DecodificaScelta("\"/x/Blu.skcom\"\r\n");
  EXPECT_FALSE(soloPercorso.esito);
  EXPECT_EQ(soloPercorso.Percorso, fs::path("/x/Blu.skcom"));
  EXPECT_FALSE(soloPercorso.AudioAttivo);

  auto audioStrano = DecodificaScelta("\"/x/Blu.skcom\"\r\nsi\r\n");
  EXPECT_EQ(audioStrano.esito.errore(),
            "the audio switch: \"si\" at offset 16 is neither #TRUE# nor #FALSE#");
  EXPECT_EQ(audioStrano.Percorso, fs::path("/x/Blu.skcom"));
  EXPECT_FALSE(audioStrano.AudioAttivo);
}

TEST(FileScelta, IsWrittenReadOnlyAndAReadOnlyOldFileIsReplaced) {
  CartellaTemporanea cartella;
  const fs::path file = cartella / "CombinazioneScelta";
  ASSERT_TRUE(ScriviFileScelta(file, cartella / "Default.skcom", false));
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);

  ASSERT_TRUE(ScriviFileScelta(file, cartella / "Blu.skcom", true));
  auto lettura = LeggiFileScelta(file);
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.Percorso, cartella / "Blu.skcom");
  EXPECT_EQ(lettura.AudioAttivo, true);
  // Nothing but the file itself is left in the folder: no temporary file.
  EXPECT_EQ(std::distance(fs::directory_iterator(cartella.percorso()), fs::directory_iterator()),
            1);
}

TEST(FileScelta, AFailedWriteIsReportedAndTheOldFileStays) {
  CartellaTemporanea cartella;
  const fs::path file = cartella / "CombinazioneScelta";
  ASSERT_TRUE(ScriviFileScelta(file, cartella / "Blu.skcom", true));
  // A folder that can't be written to: here one that isn't there (root ignores
  // permission bits, so a read-only folder would not fail for it).
  const Esito esito =
      ScriviFileScelta(cartella / "manca" / "CombinazioneScelta", cartella / "Rosso.skcom", false);
  ASSERT_FALSE(esito);
  EXPECT_NE(esito.errore().find("manca/CombinazioneScelta"), std::string::npos);
  EXPECT_EQ(LeggiFileScelta(file).Percorso, cartella / "Blu.skcom");
}
