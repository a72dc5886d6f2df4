#include "data/FileMedia.h"

#include <gtest/gtest.h>

#include "data/CartellaTemporanea.h"
#include "data/FileAtomico.h"

using namespace std::string_literals;

TEST(FileMedia, ContentIsTheSlotsBytesFollowedByCrLf) {
  CartellaTemporanea cartella;
  const auto file = cartella / NomeFileSuono(0);
  ASSERT_TRUE(ScriviFileMedia(file, "ID3\0\xFF"s));
  EXPECT_EQ(LeggiFile(file).valore(), "ID3\0\xFF\r\n"s);
}

TEST(FileMedia, RecognisesEachFormatByItsFirstBytes) {
  struct Caso {
    std::string byte;
    const char* nome;
    const char* estensione;
  };
  const Caso casi[] = {
      {"\xFF\xD8\xFF\xE0 JFIF", "JPG", ".jpg"},
      {"GIF89a...", "GIF", ".gif"},
      {"BM" + std::string(20, '\0'), "BMP", ".bmp"},
      {"\x89PNG\r\n\x1A\n....", "PNG", ".png"},
      {"RIFF\x24\0\0\0WAVEfmt "s, "WAV", ".wav"},
      {"ID3\x03", "MP3", ".mp3"},
      {"\xFF\xFB\x90\x64", "MP3", ".mp3"},
      {"MThd\0\0\0\x06"s, "MIDI", ".mid"},
      {"\0\x01\0\0\0\x10"s, "TTF", ".ttf"},
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
