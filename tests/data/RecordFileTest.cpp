#include "data/RecordFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "data/CartellaTemporanea.h"

namespace {

TabellaRecord TabellaDiProva() {
  TabellaRecord t = TabellaRecordIniziale();
  t[0] = {"Anna", 12345678901LL, 17};
  t[1] = {"", 900, 3};
  t[2] = {"Nicolò, il re", 850, 2};
  return t;
}

}  // namespace

TEST(CodificaRecord, ANewTableIsTenNoNameEntriesOfThreeCrLfLines) {
  std::string atteso;
  for (int i = 0; i < 10; ++i) atteso += "\"no name\"\r\n0\r\n0\r\n";
  EXPECT_EQ(CodificaRecord(TabellaRecordIniziale()), atteso);
}

TEST(CodificaRecord, NamesAreQuotedWindows1252AndEmptyNamesAreTwoQuotes) {
  const std::string byte = CodificaRecord(TabellaDiProva());
  EXPECT_EQ(byte.substr(0, 29), "\"Anna\"\r\n12345678901\r\n17\r\n\"\"\r\n");
  EXPECT_NE(byte.find("\"Nicol\xF2, il re\"\r\n"), std::string::npos);
}

TEST(DecodificaRecord, ReadsBackWhatWasWritten) {
  auto lettura = DecodificaRecord(CodificaRecord(TabellaDiProva()));
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.campiLetti, 30);
  EXPECT_EQ(lettura.tabella, TabellaDiProva());
}

TEST(DecodificaRecord, ADoubleQuoteInANameIsStoredAsAnApostropheSoTheTableReadsBack) {
  TabellaRecord t = TabellaDiProva();
  t[4].Nome = "il \"Capo\"\r\nsecondo";
  auto lettura = DecodificaRecord(CodificaRecord(t));
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.tabella[4].Nome, "il 'Capo'  secondo");
  EXPECT_EQ(lettura.tabella[5], t[5]);
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

TEST(FileRecord, IsWrittenReadOnlyAndReplacedWhole) {
  CartellaTemporanea cartella;
  const auto file = cartella / "Record";
  ASSERT_TRUE(ScriviFileRecord(file, TabellaDiProva()));
  ASSERT_TRUE(ScriviFileRecord(file, TabellaRecordIniziale()));
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0444u);
  auto lettura = LeggiFileRecord(file);
  ASSERT_TRUE(lettura.esito) << lettura.esito.errore();
  EXPECT_EQ(lettura.tabella, TabellaRecordIniziale());
}
