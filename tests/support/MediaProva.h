// Picture and sound files made in code, down to the headers that say their sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// `byte` bytes of a little-endian number.
inline std::string Le(uint64_t v, int byte) {
  std::string s;
  for (int i = 0; i < byte; ++i) s += static_cast<char>(v >> (8 * i));
  return s;
}

// A 24-bit BMP file's headers, claiming a size, and the first byte of its pixels.
inline std::string Bmp(int32_t larghezza, int32_t altezza) {
  return "BM" + Le(0, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) +
         Le(static_cast<uint32_t>(larghezza), 4) + Le(static_cast<uint32_t>(altezza), 4) +
         Le(1, 2) + Le(24, 2) + std::string(25, '\0');
}

// A JPEG of 8 bits a sample, its frame header alone: the gate reads its size and lets
// it through, but there is no scan for the decoder to read.
inline std::string JpegSenzaScansioni() {
  return std::string("\xFF\xD8\xFF\xC0\x00\x0B\x08\x00\x10\x00\x10\x01\x01\x11\x00\xFF\xD9", 17);
}

// A wave file: format tag, channels, rate, bits, then the samples.
inline std::string Wav(uint16_t formato, uint16_t canali, uint32_t frequenza, uint16_t bit,
                       const std::string& campioni) {
  const std::string corpo = "fmt " + Le(16, 4) + Le(formato, 2) + Le(canali, 2) + Le(frequenza, 4) +
                            Le(frequenza * canali * bit / 8, 4) + Le(canali * bit / 8, 2) +
                            Le(bit, 2) + "data" + Le(static_cast<uint32_t>(campioni.size()), 4) +
                            campioni;
  return "RIFF" + Le(static_cast<uint32_t>(4 + corpo.size()), 4) + "WAVE" + corpo;
}
// Its headers, and `dati` bytes of samples that are all 'x'.
inline std::string Wav(uint16_t formato, uint16_t canali, uint32_t frequenza, uint16_t bit,
                       size_t dati) {
  return Wav(formato, canali, frequenza, bit, std::string(dati, 'x'));
}
