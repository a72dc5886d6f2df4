#include "seams/Fonts.h"

#include "codec/FileAtomico.h"

namespace fs = std::filesystem;

bool Fonts::Installa(const std::string& nome, std::string_view byte) {
  const fs::path cartella = Cartella();
  if (cartella.empty()) return false;
  std::error_code ec;
  fs::create_directories(cartella, ec);
  return static_cast<bool>(CreaFileAtomico(cartella / nome, byte));
}
