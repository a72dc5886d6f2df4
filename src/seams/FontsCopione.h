// The fonts of the tests: a font folder they choose, a rule of theirs for what counts
// as a font, and the list of files registered instead of a window system.
#pragma once

#include <functional>
#include <vector>

#include "seams/Fonts.h"

class FontsCopione final : public Fonts {
 public:
  explicit FontsCopione(std::filesystem::path cartella = {}) : m_cartella(std::move(cartella)) {}

  std::filesystem::path Cartella() const override { return m_cartella; }
  bool Valido(const std::string& byte) override { return !accetta || accetta(byte); }
  void Registra(const std::filesystem::path& file) override { m_registrati.push_back(file); }

  // The files registered so far, in order.
  const std::vector<std::filesystem::path>& Registrati() const { return m_registrati; }
  // What Valido says of some bytes; unset, every byte string is a font.
  std::function<bool(const std::string&)> accetta;

 private:
  std::filesystem::path m_cartella;
  std::vector<std::filesystem::path> m_registrati;
};
