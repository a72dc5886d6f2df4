#include "codec/RecordFile.h"

#include <gtest/gtest.h>

namespace {

TabellaRecord TabellaDiProva() {
  TabellaRecord t = TabellaRecordIniziale();
  t[0] = {"Anna", 12345678901LL, 17};
  t[1] = {"", 900, 3};
  t[2] = {"Nicolò, il re", 850, 2};
  return t;
}

}  // namespace

TEST(CodificaRecord, NamesAreQuotedScoresTake64BitsAndTheTableReadsBack) {
  const std::string byte = CodificaRecord(TabellaDiProva());
  EXPECT_EQ(byte.substr(0, 29), "\"Anna\"\r\n12345678901\r\n17\r\n\"\"\r\n");

  auto lettura = DecodificaRecord(byte);
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.campiLetti, 30);
  EXPECT_EQ(lettura.tabella, TabellaDiProva());
}

TEST(DecodificaRecord, AFileCutShortKeepsTheFieldsBeforeTheCut) {
  // Every cut reads the fields before it and no more (the game's tests show what a
  // damaged table keeps and says).
  const std::string intero = CodificaRecord(TabellaDiProva());
  for (size_t lunghezza = 0; lunghezza + 2 < intero.size(); ++lunghezza) {
    auto parte = DecodificaRecord(intero.substr(0, lunghezza));
    ASSERT_FALSE(parte.esito) << lunghezza;
    ASSERT_LT(parte.campiLetti, 30);
  }
  // The last line end may be missing.
  EXPECT_EQ(DecodificaRecord(intero.substr(0, intero.size() - 2)).campiLetti, 30);
}
