#include "data/RecordFile.h"

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

TEST(CodificaRecord, NamesAreQuotedWindows1252AndTheTableReadsBack) {
  const std::string byte = CodificaRecord(TabellaDiProva());
  EXPECT_EQ(byte.substr(0, 29), "\"Anna\"\r\n12345678901\r\n17\r\n\"\"\r\n");
  EXPECT_NE(byte.find("\"Nicol\xF2, il re\"\r\n"), std::string::npos);

  auto lettura = DecodificaRecord(byte);
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.campiLetti, 30);
  EXPECT_EQ(lettura.tabella, TabellaDiProva());
}

TEST(DecodificaRecord, ADamagedFileKeepsTheFieldsBeforeTheFailure) {
  // Entry 2's points are text.
  auto testo = DecodificaRecord("\"Anna\"\r\n100\r\n4\r\n\"Bruno\"\r\ncento\r\n3\r\n");
  EXPECT_EQ(testo.campiLetti, 4);
  EXPECT_EQ(testo.esito.errore(),
            "field 5 of 30 (points of entry 2): \"cento\" at offset 25 is not a whole number of "
            "64 bits");
  EXPECT_EQ(testo.tabella[0], (VoceRecord{"Anna", 100, 4}));
  EXPECT_EQ(testo.tabella[1], (VoceRecord{"Bruno", 0, 0}));

  // A file cut short: every cut reads the fields before it and no more.
  const std::string intero = CodificaRecord(TabellaDiProva());
  for (size_t lunghezza = 0; lunghezza + 2 < intero.size(); ++lunghezza) {
    auto parte = DecodificaRecord(intero.substr(0, lunghezza));
    ASSERT_FALSE(parte.esito) << lunghezza;
    ASSERT_LT(parte.campiLetti, 30);
  }
  // The last line end may be missing.
  EXPECT_EQ(DecodificaRecord(intero.substr(0, intero.size() - 2)).campiLetti, 30);
}
