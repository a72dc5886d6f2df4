#include "codec/Impostazioni.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(CodificaScelta, RefusesAPathItCouldNotReadBack) {
  for (const char* cattivo : {"/a\"b/X.skcom", "/a\nb/X.skcom", "/a\rb/X.skcom"}) {
    auto byte = CodificaScelta(cattivo, true);
    ASSERT_FALSE(byte) << cattivo;
    EXPECT_NE(byte.errore().find("double quote or a line break"), std::string::npos);
  }
}

// Paths with commas, quotes and accents read back whole: the reader's fuzz target
// writes again whatever it reads.
TEST(DecodificaScelta, ReadsLaxOldStyleLinesAndKeepsWhatItReadBeforeAFailure) {
  auto senzaVirgolette = DecodificaScelta("/x/Blu.skcom,#false#");
  ASSERT_TRUE(senzaVirgolette.esito) << senzaVirgolette.esito.errore();
  EXPECT_EQ(senzaVirgolette.Percorso, fs::path("/x/Blu.skcom"));
  EXPECT_EQ(senzaVirgolette.AudioAttivo, false);

  auto audioStrano = DecodificaScelta("\"/x/Blu.skcom\"\r\nsi\r\n");
  EXPECT_EQ(audioStrano.esito.errore(),
            "the audio switch: \"si\" at offset 16 is neither #TRUE# nor #FALSE#");
  EXPECT_EQ(audioStrano.Percorso, fs::path("/x/Blu.skcom"));
  EXPECT_FALSE(audioStrano.AudioAttivo);
}
