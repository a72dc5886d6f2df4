// Hostile combination files, made from one valid combination: cut at every field,
// with lengths past the end, dangerous font names, pictures and sounds that are not
// what they claim, and odd names. Always the same files, in the same order.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct CasoOstile {
  std::string nome;     // what the case is, usable as a folder name
  std::string file;     // the combination file's name in the program folder
  std::string byte;     // the file's bytes
  bool sempre = false;  // once broke the game: part of every run, the quick one too
  // The player's own files that the case puts in the program folder beside it, by
  // name: like every file that was there, they must come out as they went in.
  std::vector<std::pair<std::string, std::string>> fileGiocatore = {};
  // Picture slots that must show the built-in picture, as Default does, and slots
  // that must show the combination's own.
  std::vector<int> predefinite = {}, proprie = {};
  bool nessunFont = false;  // nothing may be installed in the user's font folder
};

// The valid combination the cases start from, and its file name.
std::string CombinazioneBase();
inline constexpr char FileBase[] = "Base.skcom";

std::vector<CasoOstile> CorpusOstile();

// The absolute paths that some cases give as their font file's name.
inline constexpr const char* FuoriDallaRadice[] = {"/tmp/skarvex-ostile.ttf",
                                                   "/etc/skarvex-ostile.ttf"};
