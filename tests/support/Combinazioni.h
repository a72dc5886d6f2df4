// The combination the tests start from: by Anna, every picture built in, no sounds,
// volumes -1000, Arial 12 in green, no password and no font file. Named "Blu" it is
// a file of 261 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "codec/Combinazione.h"

inline TipoCombinazione CombinazioneVuota(const std::string& nome) {
  TipoCombinazione c;
  c.Nome = nome;
  c.Autore = "Anna";
  c.Immagini.fill(std::string(ImmagineDefault));
  c.Volumi.fill(-1000);
  c.FontNome = "Arial";
  c.FontDimensione = "12";
  c.FontColore = "65280";
  return c;
}

// A wave file as small as the gate takes one: 8-bit mono PCM at 8 kHz whose samples
// are `campioni`, so that a test can tell its sounds apart by their bytes.
inline std::string WavMinimo(std::string_view campioni) {
  const auto le32 = [](uint32_t v) {
    return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 24)};
  };
  const std::string formato("\x01\x00\x01\x00\x40\x1F\x00\x00\x40\x1F\x00\x00\x01\x00\x08\x00", 16);
  std::string dati(campioni);
  if (dati.size() % 2) dati += '\0';
  return "RIFF" + le32(static_cast<uint32_t>(28 + 8 + dati.size())) + "WAVEfmt " + le32(16) +
         formato + "data" + le32(static_cast<uint32_t>(campioni.size())) + dati;
}
