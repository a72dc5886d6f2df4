// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

#include <stdlib.h>

class CartellaTemporanea {
 public:
  CartellaTemporanea() {
    std::string modello = (std::filesystem::temp_directory_path() / "skarvex-XXXXXX").string();
    if (::mkdtemp(modello.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_percorso = modello;
  }
  ~CartellaTemporanea() {
    std::error_code ec;
    std::filesystem::remove_all(m_percorso, ec);
  }
  CartellaTemporanea(const CartellaTemporanea&) = delete;
  CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

  const std::filesystem::path& percorso() const { return m_percorso; }
  std::filesystem::path operator/(const std::string& nome) const { return m_percorso / nome; }

 private:
  std::filesystem::path m_percorso;
};
