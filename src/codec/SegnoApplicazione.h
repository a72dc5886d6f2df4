// The mark of a combination being applied. Applying decodes pictures, sounds and a
// font that came from someone else; should one of them take the program down, the
// mark is still there at the next start, which then leaves that combination alone
// instead of falling again at every start.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

inline constexpr char NomeFileSegno[] = ".skarvex-applicazione";

// Marks `combinazione` (its file's path) as being applied by this process. Best
// effort: a folder that can't be written leaves nothing to protect either.
void MettiSegno(const std::filesystem::path& cartella, const std::string& combinazione);
void TogliSegno(const std::filesystem::path& cartella);

// The combination a run that is no more left marked in `cartella`, if any. A mark of
// a process still running (another copy of the game applying right now) is not one.
std::optional<std::string> SegnoRimasto(const std::filesystem::path& cartella);
