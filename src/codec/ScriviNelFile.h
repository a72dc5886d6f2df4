// Writing into the very file another program named, for a program that holds it open
// and reads back through its own handle (a file manager's thumbnail factory).
#pragma once

#include <filesystem>
#include <string_view>

#include "codec/Risultato.h"

// Truncates the regular file of this user at `percorso` and writes `byte` into it, or
// makes it when it is missing. A link (even to a file), a folder, a device node, a FIFO,
// a socket, or a file of another user is refused as it is, never followed, opened for
// writing, truncated or replaced.
[[nodiscard]] Esito ScriviNelFile(const std::filesystem::path& percorso, std::string_view byte);
