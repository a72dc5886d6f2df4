// Whole files read and written by tests, and what a folder holds, to compare before
// and after.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <system_error>

// A file's bytes; nothing when it can't be read.
inline std::string LeggiTutto(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void ScriviTutto(const std::filesystem::path& file, std::string_view byte) {
  std::ofstream(file, std::ios::binary) << byte;
}

// Everything under `radice`, by relative path: a file with its bytes, a folder as its
// path and a '/', a link as its path and "//" with its target. No name can hold a
// '/', so a folder, a link and a file can never be taken one for the other.
inline std::map<std::string, std::string> ContenutoCartella(const std::filesystem::path& radice) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> voci;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(radice, ec), fine; it != fine; it.increment(ec)) {
    const std::string nome = it->path().lexically_relative(radice).string();
    if (it->is_symlink(ec))
      voci[nome + "//"] = fs::read_symlink(it->path(), ec).string();
    else if (it->is_directory(ec))
      voci[nome + "/"];
    else
      voci[nome] = LeggiTutto(it->path());
  }
  return voci;
}
