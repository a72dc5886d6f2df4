// The fonts of the program: the user's font folder by the base directory rules, and
// the fonts of the Qt font database.
#pragma once

#include "seams/Fonts.h"

class FontsQt final : public Fonts {
 public:
  std::filesystem::path Cartella() const override;
  bool Valido(const std::string& byte) override;
  void Registra(const std::filesystem::path& file) override;
};
