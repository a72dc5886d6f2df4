#include "data/FileAtomico.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "data/CartellaTemporanea.h"

TEST(LeggiFile, ReadsOnlyRegularFilesOfABoundedSizeSoAFifoCannotHangIt) {
  CartellaTemporanea cartella;
  const auto fifo = cartella / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const auto& percorso : {fifo, cartella.percorso(), std::filesystem::path("/dev/zero")}) {
    auto letto = LeggiFile(percorso);
    ASSERT_FALSE(letto) << percorso;
    EXPECT_NE(letto.errore().find("not a regular file"), std::string::npos) << letto.errore();
  }
  // Nor one larger than the caller can hold.
  const auto file = cartella / "dieci";
  ASSERT_TRUE(ScriviFileAtomico(file, "0123456789"));
  EXPECT_EQ(LeggiFile(file, 10).valore(), "0123456789");
  auto troppo = LeggiFile(file, 9);
  ASSERT_FALSE(troppo);
  EXPECT_NE(troppo.errore().find("larger than 9 bytes"), std::string::npos) << troppo.errore();
}
