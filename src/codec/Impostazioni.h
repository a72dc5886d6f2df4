// The settings file CombinazioneScelta: which combination to load at start-up and
// whether audio is on. Two CR LF lines: the combination file's path in double
// quotes (the file system's own bytes), then #TRUE# or #FALSE#.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "codec/FileAtomico.h"
#include "codec/Risultato.h"

constexpr std::string_view NomeFileScelta = "CombinazioneScelta";

// What a read of the settings file yielded. The fields read before a failure are
// kept, since the caller goes on with them.
struct LetturaScelta {
  std::optional<std::filesystem::path> Percorso;
  std::optional<bool> AudioAttivo;
  Esito esito;
};

// The file's bytes; an error for a path the first line could not hold (a double
// quote or a line break in it would not read back).
[[nodiscard]] Risultato<std::string> CodificaScelta(const std::filesystem::path& percorso,
                                                    bool audioAttivo);
[[nodiscard]] LetturaScelta DecodificaScelta(std::string_view byte);

[[nodiscard]] LetturaScelta LeggiFileScelta(const std::filesystem::path& file);
// Replaces the file whole with a read-only one (even when the old one is read-only).
[[nodiscard]] Esito ScriviFileScelta(const std::filesystem::path& file,
                                     const std::filesystem::path& percorso, bool audioAttivo,
                                     ChiamateFile& chiamate = ChiamateFile::Sistema());
