// The editor's volume units: stored hundredths of a decibel against the 0..100 shown.
#include "editing/UnitaVolume.h"

#include <gtest/gtest.h>

namespace {

using namespace UnitaVolume;

TEST(UnitaVolume, ShownValuesAreDecimalsAndTextsBecomeWholeNumbersWithHalvesToEven) {
  EXPECT_EQ(TestoVolume(-2555), "74.45");
  EXPECT_EQ(TestoVolume(-20000), "-100");  // out of range in someone else's file
  EXPECT_EQ(Intero("75.5"), 76);
  EXPECT_EQ(Intero(" 40 "), 40);
  EXPECT_EQ(Intero("74,5"), 74);  // a decimal comma, as an Italian keyboard types it
  EXPECT_EQ(Intero("1e30"), 1000000000);
  for (const char* testo : {"", "tanto", "4 0", "nan", "inf"})
    EXPECT_FALSE(Intero(QString::fromLatin1(testo))) << testo;
}

}  // namespace
