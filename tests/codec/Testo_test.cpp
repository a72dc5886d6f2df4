#include "codec/Testo.h"

#include <gtest/gtest.h>

TEST(Windows1252, CharactersOutsideItInvalidUtf8AndUndefinedBytesBecomeQuestionMarks) {
  EXPECT_EQ(DaWindows1252("a\x81"
                          "b\x8D\x8F\x90\x9D"
                          "c"),
            "a?b????c");
  EXPECT_EQ(AWindows1252("Łódź"),
            "?\xF3"
            "d?");
  EXPECT_EQ(AWindows1252("emoji 😀!"), "emoji ?!");   // a 4-byte character is one '?'
  EXPECT_EQ(AWindows1252("a\xC3(b"), "a?(b");        // a lead byte with no follower
  EXPECT_EQ(AWindows1252("\xED\xA0\x80x"), "???x");  // an encoded surrogate
  EXPECT_EQ(AWindows1252("\xC0\xAF"), "??");         // an overlong '/'
  EXPECT_EQ(AWindows1252("fine\xE2\x82"), "fine?");  // cut at the very end

  // The first character that would become '?': none in what Windows-1252 holds,
  // the C1 controls (U+0081 and U+0085 have no byte of their own) and bad bytes do.
  const std::pair<const char*, const char*> primi[] = {
      {"Città €ŽŸ?", ""},        {"Ωmega", "Ω"},     {"ab😀Ł", "😀"}, {"x\xC2\x85", "\xC2\x85"},
      {"x\xC2\x81", "\xC2\x81"}, {"a\xC3(b", "\xC3"}};
  for (const auto& [testo, primo] : primi) EXPECT_EQ(PrimoFuoriWindows1252(testo), primo) << testo;
}

TEST(LettoreCampi, QuotedFieldsKeepCommasAndUnquotedFieldsEndAtThem) {
  // Text after a closing quote is skipped; an open quote ends at the line.
  LettoreCampi campi("\"a, b\"x  ,  c d  ,e\r\n\"\"\r\n-12\n#true#\r#FALSE#\r\n\"aperta");
  EXPECT_EQ(campi.Stringa().valore(), "a, b");
  EXPECT_EQ(campi.Stringa().valore(), "c d");
  EXPECT_EQ(campi.Stringa().valore(), "e");
  EXPECT_EQ(campi.Stringa().valore(), "");
  EXPECT_EQ(campi.Intero().valore(), -12);
  EXPECT_TRUE(campi.Booleano().valore());
  EXPECT_FALSE(campi.Booleano().valore());
  EXPECT_EQ(campi.Stringa().valore(), "aperta");
  auto oltre = campi.Stringa();
  ASSERT_FALSE(oltre);
  EXPECT_EQ(oltre.errore(), "the text ends before this field, at offset 52");
}

TEST(LettoreCampi, NumbersMustBeWhole64BitIntegers) {
  EXPECT_EQ(LettoreCampi("9223372036854775807").Intero().valore(), INT64_MAX);
  for (const char* cattivo : {"9223372036854775808", "12abc", "", "1.5", "+3", "abc"}) {
    auto n = LettoreCampi(std::string(cattivo) + "\r\n").Intero();
    ASSERT_FALSE(n) << cattivo;
    EXPECT_NE(n.errore().find("is not a whole number"), std::string::npos) << n.errore();
  }
}
