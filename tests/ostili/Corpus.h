// Hostile combination files, made from one valid combination: cut at every field,
// with lengths past the end, dangerous font names, pictures and sounds that are not
// what they claim, and odd names. Always the same files, in the same order.
#pragma once

#include <string>
#include <vector>

struct CasoOstile {
  std::string nome;     // what the case is, usable as a folder name
  std::string file;     // the combination file's name in the program folder
  std::string byte;     // the file's bytes
  bool sempre = false;  // once broke the game: part of every run, the quick one too
};

// The valid combination the cases start from, and its file name.
std::string CombinazioneBase();
inline constexpr char FileBase[] = "Base.skcom";

std::vector<CasoOstile> CorpusOstile();

// The absolute paths that some cases give as their font file's name.
inline constexpr const char* FuoriDallaRadice[] = {"/tmp/skarvex-ostile.ttf",
                                                   "/etc/skarvex-ostile.ttf"};
