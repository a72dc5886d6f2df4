#include "codec/FileMedia.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(FileMedia, RecognisesEachFormatByItsFirstBytes) {
  struct Caso {
    std::string byte;
    const char* nome;
    const char* estensione;
  };
  // JPG, BMP, WAV, ID3-tagged MP3 and TTF are in the tool's own tests, GIF and PNG
  // in the gate's.
  const Caso casi[] = {
      {"\xFF\xFB\x90\x64", "MP3", ".mp3"},
      {"MThd\0\0\0\x06"s, "MIDI", ".mid"},
      {"OTTO\0\x0B"s, "OTF", ".otf"},
      {"MZ\x90\0"s, "FON", ".fon"},
      {"RIFF", "unknown", ".bin"},  // too short to say WAVE
      {"", "unknown", ".bin"},
  };
  for (const Caso& caso : casi) {
    const FormatoMedia formato = RiconosciFormato(caso.byte);
    EXPECT_EQ(NomeFormato(formato), caso.nome) << caso.byte;
    EXPECT_EQ(EstensioneFormato(formato), caso.estensione) << caso.byte;
  }
}

TEST(FileMedia, OnlyBareNamesAreSafeFileNames) {
  for (const char* buono : {"skin.ttf", "Font con spazi.TTF", "é.fon"})
    EXPECT_TRUE(NomeFileSicuro(buono)) << buono;
  for (std::string cattivo : {""s, "."s, ".."s, "..a"s, ".nascosto.ttf"s, "../x.ttf"s,
                              "/etc/passwd"s, "a\\b.ttf"s, "a\nb"s, "a\0b"s, std::string(256, 'a')})
    EXPECT_FALSE(NomeFileSicuro(cattivo)) << cattivo;
}
