// The high-score file Record: for each of the ten entries, best first, three CR LF
// lines: the name in double quotes (Windows-1252), the points, the level.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "codec/FileAtomico.h"
#include "codec/Risultato.h"

constexpr int NumeroRecord = 10;
constexpr int CampiRecord = 3 * NumeroRecord;

struct VoceRecord {
  std::string Nome;  // UTF-8
  int64_t Punti = 0;
  int64_t Livello = 0;

  bool operator==(const VoceRecord&) const = default;
};

// Entry 0 of the array is the table's entry 1.
using TabellaRecord = std::array<VoceRecord, NumeroRecord>;

// The table of a new file: ten times "no name", 0, 0.
TabellaRecord TabellaRecordIniziale();

// A double quote in a name becomes ' and a line break a blank: the file has no way
// to escape them, and the table must always read back.
std::string CodificaRecord(const TabellaRecord& tabella);

// What a read yielded: the fields are read in file order (name, points, level of
// entry 1, then of entry 2, ...); those read before a failure are in `tabella` and
// counted by `campiLetti`, the others keep their empty values.
struct LetturaRecord {
  TabellaRecord tabella;
  int campiLetti = 0;
  Esito esito;
};
[[nodiscard]] LetturaRecord DecodificaRecord(std::string_view byte);

[[nodiscard]] LetturaRecord LeggiFileRecord(const std::filesystem::path& file);
// Replaces the file whole with a read-only one (even when the old one is read-only).
[[nodiscard]] Esito ScriviFileRecord(const std::filesystem::path& file,
                                     const TabellaRecord& tabella,
                                     ChiamateFile& chiamate = ChiamateFile::Sistema());
