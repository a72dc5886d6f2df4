#include "codec/Combinazione.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/Combinazioni.h"

namespace {

const TipoCombinazione Blu = CombinazioneVuota("Blu");

std::string Byte(std::initializer_list<int> valori) {
  std::string s;
  for (int v : valori) s.push_back(static_cast<char>(v));
  return s;
}

constexpr size_t InizioImmagini = 5;
constexpr size_t InizioGrassetto = InizioImmagini + 14 * 9 + 6 + 2 + 16 * 2 + 16 * 4 + 7 + 4 + 7;

}  // namespace

TEST(CodificaCombinazione, BluByAnnaIsAFileOf261BytesAndTrueIsFFFF) {
  std::string atteso = Byte({3, 0}) + "Blu";
  for (int i = 0; i < 14; ++i) atteso += Byte({7, 0}) + "Default";             // a built-in picture
  atteso += Byte({4, 0}) + "Anna" + Byte({0, 0}) + std::string(16 * 2, '\0');  // no sounds
  for (int i = 0; i < 16; ++i) atteso += Byte({0x18, 0xFC, 0xFF, 0xFF});       // -1000
  atteso += Byte({5, 0}) + "Arial" + Byte({2, 0}) + "12" + Byte({5, 0}) + "65280";
  atteso += std::string(8, '\0');  // not bold, not italic, no font file
  EXPECT_EQ(CodificaCombinazione(Blu), atteso);
  ASSERT_EQ(atteso.size(), 261u);

  // The reader takes any non-zero as true.
  TipoCombinazione c = Blu;
  c.FontGrassetto = true;
  std::string byte = CodificaCombinazione(c);
  EXPECT_EQ(byte.substr(InizioGrassetto, 4), Byte({0xFF, 0xFF, 0, 0}));
  byte[InizioGrassetto + 3] = static_cast<char>(0x80);
  EXPECT_TRUE(DecodificaCombinazione(byte).valore().FontCorsivo);
}

TEST(CodificaCombinazione, LengthsFrom65535BytesOnAre32BitsAndTheReaderTakesEitherForm) {
  TipoCombinazione c = Blu;
  c.Immagini[0] = std::string(65534, 'a');
  c.Immagini[1] = std::string(65535, 'b');
  c.Suoni[3] = std::string(200000, 'c');
  const std::string byte = CodificaCombinazione(c);
  EXPECT_EQ(byte.substr(InizioImmagini, 2), Byte({0xFE, 0xFF}));
  const size_t secondo = InizioImmagini + 2 + 65534;
  EXPECT_EQ(byte.substr(secondo, 7), Byte({0xFF, 0xFF, 0xFF, 0xFF, 0, 0}) + "b");
  auto letta = DecodificaCombinazione(byte);
  ASSERT_TRUE(letta) << letta.errore();
  EXPECT_EQ(letta.valore(), c);

  // Nome "Blu" written as FF FF 03 00 00 00 "Blu", the rest as usual.
  auto corta = DecodificaCombinazione(Byte({0xFF, 0xFF, 3, 0, 0, 0}) + "Blu" +
                                      CodificaCombinazione(Blu).substr(5));
  ASSERT_TRUE(corta) << corta.errore();
  EXPECT_EQ(corta.valore(), Blu);
}

// That the reader gives back whatever the writer wrote, field by field, is the fuzz
// target's; the pictures, sounds and fonts that the game's tests apply show that
// their bytes are kept as they are.
TEST(DecodificaCombinazione, TextIsWindows1252OnDiskAndTrailingBytesAreIgnored) {
  TipoCombinazione c = Blu;
  c.Nome = "Città più bella";
  c.Autore = "José Ñandú";
  c.FontNome = "Œuvre €";
  c.Password = "segreto";
  const std::string byte = CodificaCombinazione(c);
  EXPECT_EQ(byte.substr(0, 17), Byte({15, 0}) + "Citt\xE0 pi\xF9 bella");

  auto letta = DecodificaCombinazione(byte);
  ASSERT_TRUE(letta) << letta.errore();
  EXPECT_EQ(letta.valore(), c);

  // An older, longer file overwritten in place carried its surplus bytes after the record.
  auto conCoda = DecodificaCombinazione(byte + std::string(5000, '\x07'));
  ASSERT_TRUE(conCoda) << conCoda.errore();
  EXPECT_EQ(conCoda.valore(), c);
}

TEST(DecodificaCombinazione, EveryCutOfAFileFailsNamingTheFieldAndOffset) {
  TipoCombinazione c = Blu;
  c.FontFile = std::string(70000, 'x');  // a 32-bit length too
  c.FontFileNome = "a.ttf";
  const std::string byte = CodificaCombinazione(c);
  const std::map<size_t, std::string> messaggi = {
      {0, "truncated in Nome at offset 0: needs 2 bytes for the length, 0 left"},
      {InizioImmagini + 3 * 9 + 4, "truncated in Immagini(3) at offset 34: needs 7 bytes, 2 left"},
      {InizioGrassetto + 2, "truncated in FontCorsivo at offset 255: needs 2 bytes, 0 left"},
  };
  for (size_t lunghezza = 0; lunghezza < byte.size(); ++lunghezza) {
    // A fresh buffer of exactly this size, so ASan sees any read past its end.
    const std::string parte = byte.substr(0, lunghezza);
    auto letta = DecodificaCombinazione(parte);
    ASSERT_FALSE(letta) << lunghezza;
    ASSERT_EQ(letta.errore().rfind("truncated in ", 0), 0u) << letta.errore();
    if (messaggi.contains(lunghezza)) {
      EXPECT_EQ(letta.errore(), messaggi.at(lunghezza));
    }
  }
  EXPECT_TRUE(DecodificaCombinazione(byte));
  // A length near 4 GiB is refused before anything is allocated.
  auto enorme = DecodificaCombinazione(Byte({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}) + "abc");
  EXPECT_EQ(enorme.errore(), "truncated in Nome at offset 6: needs 4294967295 bytes, 3 left");
}

// Keeping a received combination beside the player's rewrites only its stored name: a
// long prefix for a short name, an unusual boolean and bytes after the record all stay.
TEST(CambiaNomeCombinazione, ChangesOnlyTheNameFieldOfTheBytesAsTheyAre) {
  const std::string resto = CodificaCombinazione(Blu).substr(5);  // after "Blu"
  const std::string insolito = Byte({0xFF, 0xFF, 3, 0, 0, 0}) + "Blu" + resto + "coda";
  for (const std::string& originale : {CodificaCombinazione(Blu), insolito}) {
    const auto rinominata = CambiaNomeCombinazione(originale, "Blu è 2");
    ASSERT_TRUE(rinominata.ok()) << rinominata.errore();
    const size_t dopoNome = originale == insolito ? 9 : 5;
    EXPECT_EQ(rinominata.valore(), Byte({7, 0}) + "Blu \xE8 2" + originale.substr(dopoNome));
    EXPECT_EQ(DecodificaCombinazione(rinominata.valore()).valore().Nome, "Blu è 2");
  }
  EXPECT_FALSE(CambiaNomeCombinazione(Byte({9, 0}) + "Bl", "X").ok());
}
