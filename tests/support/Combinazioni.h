// The combination the tests start from: by Anna, every picture built in, no sounds,
// volumes -1000, Arial 12 in green, no password and no font file. Named "Blu" it is
// a file of 261 bytes.
#pragma once

#include <string>

#include "data/Combinazione.h"

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
