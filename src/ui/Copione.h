// The headless runner: `skarvex --headless [--program-folder DIR] SCRIPT` runs the
// game's start-up and handlers on a virtual clock with scripted dialogs, reading
// one command per line and printing one JSON line per `dump`.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>

struct OpzioniCopione {
  // The game the script plays is recorded and its replay written here at the end; `set`
  // is then refused while a game is under way.
  std::optional<std::filesystem::path> registra;
  // A replay played to its end (the game's state at its first input, then its inputs)
  // before the script's first line.
  std::optional<std::filesystem::path> rivedi;
};

// Runs the script read from `copione`. Returns 0 when the script ran to its end
// (or the game exited), 1 when a line could not be understood or acted on; the
// error names the line and goes to `errori`.
int EseguiCopione(const std::filesystem::path& cartella, std::istream& copione,
                  std::ostream& uscita, std::ostream& errori, const OpzioniCopione& opzioni = {});
