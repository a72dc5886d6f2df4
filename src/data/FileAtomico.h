// Files written whole or not at all: the bytes go to a temporary file in the same
// folder, which is flushed and then renamed over the old file. A crash or a full
// disk never leaves a half-written file behind.
#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

#include "data/Risultato.h"

[[nodiscard]] Esito ScriviFileAtomico(const std::filesystem::path& percorso, std::string_view byte,
                                      bool solaLettura = false);

// A whole regular file's bytes. Anything else (a folder, a FIFO, a device) is an
// error, so a wrong path can neither hang the program nor read without end; so is a
// file larger than `massimo` bytes or than memory can hold.
[[nodiscard]] Risultato<std::string> LeggiFile(const std::filesystem::path& percorso,
                                               size_t massimo = std::numeric_limits<size_t>::max());

// Deletes a file even when it is read-only; a missing file is no error.
[[nodiscard]] Esito EliminaFile(const std::filesystem::path& percorso);
