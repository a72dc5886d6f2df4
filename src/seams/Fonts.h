// The fonts seam: the user's font folder, whether some bytes are a font the system
// takes, installing a combination's font there and registering a font file with the
// window system so that the labels can use it in this run.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

class Fonts {
 public:
  virtual ~Fonts() = default;

  // Where a combination's font is installed for this user; empty when there is no
  // such folder.
  virtual std::filesystem::path Cartella() const = 0;
  // Whether the system takes the bytes as a font; nothing of them is kept.
  virtual bool Valido(const std::string& byte) = 0;
  // Makes the font usable by the labels from now on.
  virtual void Registra(const std::filesystem::path& file) = 0;

  // Writes the bytes as a new file `nome` of the font folder, making the folder when
  // it is missing. A file or link already under that name is never replaced: false
  // then, as when there is no folder or the write fails.
  bool Installa(const std::string& nome, std::string_view byte);
};
