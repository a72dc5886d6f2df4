#include "codec/FileMedia.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

// JPG, GIF, PNG, BMP, WAV, MIDI, TTF and a tagged MP3 are recognised throughout the
// gate's and the tool's tests; these are the kinds nothing else makes.
TEST(FileMedia, RecognisesAnUntaggedMp3TheFontsAndNothingInTooFewBytes) {
  const std::pair<std::string, FormatoMedia> casi[] = {
      {"\xFF\xFB\x90\x64", FormatoMedia::MP3}, {"OTTO\0\x0B"s, FormatoMedia::OTF},
      {"MZ\x90\0"s, FormatoMedia::FON},        {"RIFF", FormatoMedia::Sconosciuto},
      {"", FormatoMedia::Sconosciuto},
  };
  for (const auto& [byte, formato] : casi) EXPECT_EQ(RiconosciFormato(byte), formato) << byte;
}

TEST(FileMedia, OnlyBareNamesAreSafeFileNames) {
  for (const char* buono : {"skin.ttf", "Font con spazi.TTF", "é.fon"})
    EXPECT_TRUE(NomeFileSicuro(buono)) << buono;
  for (std::string cattivo : {""s, "."s, ".."s, "..a"s, ".nascosto.ttf"s, "../x.ttf"s,
                              "/etc/passwd"s, "a\\b.ttf"s, "a\nb"s, "a\0b"s, std::string(256, 'a')})
    EXPECT_FALSE(NomeFileSicuro(cattivo)) << cattivo;
}
