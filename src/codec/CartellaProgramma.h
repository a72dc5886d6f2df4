// Where the program keeps a player's files, chosen the same way by the game and by the
// tools beside it: the folder given on the command line, a portable copy's own folder,
// or the per-user data folder of an installed copy.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "codec/Progetto.h"
#include "codec/Risultato.h"

std::filesystem::path CartellaEseguibile();

// A trial file, made and removed: permission bits lie for root and on read-only file systems.
bool AccettaFileNuovi(const std::filesystem::path& cartella);

// An installed copy has its desktop entry in ../share/applications beside its bin folder.
bool CopiaInstallata(const std::filesystem::path& cartellaEseguibile);

// What the choice of the program folder reads from the environment; empty is unset.
struct Ambiente {
  std::string home;         // HOME
  std::string xdgDataHome;  // XDG_DATA_HOME
  static Ambiente DelProcesso();
};

struct CartellaScelta {
  std::filesystem::path percorso;
  bool perUtente = false;  // the per-user data folder, made with its parents on first start
};

// --program-folder wins; then the executable's folder, when it takes new files and is not
// an installed copy (a portable copy keeps its files beside it); then
// $XDG_DATA_HOME/skarvex or ~/.local/share/skarvex.
[[nodiscard]] Risultato<CartellaScelta> ScegliCartellaProgramma(
    const std::optional<std::filesystem::path>& opzione,
    const std::filesystem::path& cartellaEseguibile, const Ambiente& ambiente,
    const std::function<bool(const std::filesystem::path&)>& accettaFileNuovi = AccettaFileNuovi);

// Makes the per-user folder when it is missing; the folder must then exist and be a folder.
// The result is absolute. Whether it can be written is the caller's warning, not an error.
[[nodiscard]] Risultato<std::filesystem::path> PreparaCartella(const CartellaScelta& scelta);
