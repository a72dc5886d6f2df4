#include "ostili/Media.h"

#include <zlib.h>

#include <algorithm>
#include <string_view>

using namespace std::string_literals;

std::string Piccolo(uint64_t valore, int quanti) {
  std::string byte;
  for (int i = 0; i < quanti; ++i) byte.push_back(static_cast<char>((valore >> (8 * i)) & 0xFF));
  return byte;
}

std::string Grande(uint64_t valore, int quanti) {
  const std::string byte = Piccolo(valore, quanti);
  return {byte.rbegin(), byte.rend()};
}

std::string Casuali(size_t quanti, uint32_t seme) {
  std::string byte(quanti, '\0');
  for (char& b : byte) {
    seme ^= seme << 13;
    seme ^= seme >> 17;
    seme ^= seme << 5;
    b = static_cast<char>(seme & 0xFF);
  }
  return byte;
}

std::string Bmp(int32_t larghezza, int32_t altezza) {
  const uint32_t riga = (static_cast<uint32_t>(larghezza) * 3 + 3) / 4 * 4;
  const uint32_t pixel = riga * static_cast<uint32_t>(altezza);
  const bool piccola = pixel <= 4096;
  std::string byte = "BM" + Piccolo(54 + pixel, 4) + Piccolo(0, 4) + Piccolo(54, 4);
  byte += Piccolo(40, 4) + Piccolo(static_cast<uint32_t>(larghezza), 4) +
          Piccolo(static_cast<uint32_t>(altezza), 4) + Piccolo(1, 2) + Piccolo(24, 2) +
          Piccolo(0, 4) + Piccolo(pixel, 4) + Piccolo(2835, 4) + Piccolo(2835, 4) + Piccolo(0, 8);
  return byte + (piccola ? Casuali(pixel, 7) : Casuali(64, 7));
}

std::string Gif(uint16_t lato) {
  return "GIF89a"s + Piccolo(lato, 2) + Piccolo(lato, 2) + "\x80\x00\x00"s +
         "\x00\x00\x00\xFF\xFF\xFF"s + "\x2C"s + Piccolo(0, 4) + Piccolo(lato, 2) +
         Piccolo(lato, 2) + "\x00\x02\x02\x44\x01\x00\x3B"s;
}

namespace {

uLong Somma(uLong (*funzione)(uLong, const Bytef*, uInt), std::string_view byte) {
  return funzione(funzione(0, nullptr, 0), reinterpret_cast<const Bytef*>(byte.data()),
                  static_cast<uInt>(byte.size()));
}

std::string ChunkPng(std::string_view tipo, std::string_view dati) {
  const std::string corpo = std::string(tipo) + std::string(dati);
  return Grande(static_cast<uint32_t>(dati.size()), 4) + corpo + Grande(Somma(crc32, corpo), 4);
}

}  // namespace

std::string Png(uint32_t lato) {
  const uint32_t righe = lato <= 16 ? lato : 1;
  std::string pixel;
  for (uint32_t r = 0; r < righe; ++r) pixel += '\0' + Casuali(3 * std::min(lato, 16u), r + 1);
  // One stored block, then the Adler-32 of the pixels closing the zlib stream.
  const std::string zlib = "\x78\x01\x01"s + Piccolo(pixel.size(), 2) +
                           Piccolo(~pixel.size() & 0xFFFF, 2) + pixel +
                           Grande(Somma(adler32, pixel), 4);
  return "\x89PNG\r\n\x1A\n"s +
         ChunkPng("IHDR", Grande(lato, 4) + Grande(lato, 4) + "\x08\x02\0\0\0"s) +
         ChunkPng("IDAT", zlib) + ChunkPng("IEND", "");
}

std::string Jpeg(uint16_t lato) {
  return "\xFF\xD8\xFF\xC0\x00\x11\x08"s + Grande(lato, 2) + Grande(lato, 2) +
         "\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01"s + Casuali(32, 11) + "\xFF\xD9"s;
}

std::string Wav(uint32_t campioni, uint16_t canali, uint32_t rif, uint32_t dati) {
  const uint32_t veri = campioni * 2;
  std::string byte = "RIFF" + Piccolo(rif ? rif : 36 + veri, 4) + "WAVEfmt " + Piccolo(16, 4) +
                     Piccolo(1, 2) + Piccolo(canali, 2) + Piccolo(8000, 4) +
                     Piccolo(16000u * canali, 4) + Piccolo(2u * canali, 2) + Piccolo(16, 2) +
                     "data" + Piccolo(dati ? dati : veri, 4);
  for (uint32_t i = 0; i < campioni; ++i) byte += Piccolo((i / 10) % 2 ? 0x2000 : 0xE000, 2);
  return byte;
}

std::string Midi(uint32_t lunghezza) {
  const std::string traccia = "\x00\x90\x3C\x40\x60\x80\x3C\x00\x00\xFF\x2F\x00"s;
  return "MThd"s + Grande(6, 4) + "\x00\x00\x00\x01\x00\x60"s + "MTrk"s +
         Grande(lunghezza ? lunghezza : static_cast<uint32_t>(traccia.size()), 4) + traccia;
}

std::string Aiff(uint16_t canali) {
  const std::string comm =
      Grande(canali, 2) + Grande(100, 4) + Grande(16, 2) + "\x40\x0B\xFA\0\0\0\0\0\0\0"s;
  const std::string ssnd = Grande(0, 8) + Casuali(200, 13);
  const std::string corpo = "AIFFCOMM" + Grande(static_cast<uint32_t>(comm.size()), 4) + comm +
                            "SSND" + Grande(static_cast<uint32_t>(ssnd.size()), 4) + ssnd;
  return "FORM" + Grande(static_cast<uint32_t>(corpo.size()), 4) + corpo;
}
