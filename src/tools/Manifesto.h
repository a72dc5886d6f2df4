// A combination as a skin maker edits it: a folder with manifest.json, whose keys are
// the record's field names, and one file per non-empty slot.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Risultato.h"

constexpr const char* NomeManifesto = "manifest.json";

struct FileSpacchettato {
  std::string nome;  // a bare file name
  const std::string* byte;
};

// What unpacking writes: the manifest's bytes and the slots' files. The font file
// keeps its own FontFileNome when that is a bare name no other file uses.
struct Spacchettato {
  std::string manifesto;
  std::vector<FileSpacchettato> file;
};
Spacchettato Spacchetta(const TipoCombinazione& comb);

// The record a manifest describes; its paths are read relative to `cartella`.
[[nodiscard]] Risultato<TipoCombinazione> Impacchetta(const std::string& manifesto,
                                                      const std::filesystem::path& cartella);
