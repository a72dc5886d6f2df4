// The command line: what the program was asked to do, and where its folder is.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "codec/CartellaProgramma.h"
#include "codec/Risultato.h"

struct Opzioni {
  bool aiuto = false;
  bool versione = false;
  bool headless = false;
  bool verifica = false;                          // --verifica: `file` are replays to check
  std::optional<std::filesystem::path> registra;  // --registra: the runner records its game here
  std::optional<std::filesystem::path>
      rivedi;  // --rivedi: a replay to watch, or to play in the runner
  std::optional<std::filesystem::path> cartella;  // --program-folder
  std::string copione;                            // the script of --headless, or "-"
  // Files to open, absolute: combinations, and replays (told by their bytes); in the
  // window the replay of --rivedi is among them too, last.
  std::vector<std::filesystem::path> file;
};

[[nodiscard]] Risultato<Opzioni> LeggiOpzioni(const std::vector<std::string>& argomenti);
std::string Uso();

// On the first run in a folder (no Record yet) the demo combination is put there,
// unless a file of that name already is: a player's file is never replaced.
void OffriDemo(const std::filesystem::path& cartella);
