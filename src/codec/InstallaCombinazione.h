// Putting a combination file someone received into the program folder: the file is
// read once and held to the gate the game holds every slot to, and what is decided
// about it is decided on those bytes, which are the bytes that go into the folder.
// The rules for its name and the choices when the name is taken are one level up
// (combinations/Installazione.h); nothing here prints anything.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Risultato.h"

// Every slot the game would refuse, as "<slot>: <why>": held to the gate, and each
// picture that passes it decoded as the game would decode it.
std::vector<std::string> RifiutiCombinazione(const TipoCombinazione& comb);

// A combination file as it was received: its bytes, read once, and the record they
// hold. A file that changes on disk afterwards changes nothing here.
struct Ricevuta {
  std::filesystem::path file;
  std::string byte;
  TipoCombinazione comb;
};

// Reads `file` once; its name must end in .skcom and it must read whole. The error is
// a phrase that follows "not installed: ".
[[nodiscard]] Risultato<Ricevuta> LeggiRicevuta(const std::filesystem::path& file);

// The longest file name, in bytes, the program can write in `cartella`: the file
// system's own limit, less what the program's temporary names add to it
// (".skarvex-" before and ".XXXXXX" after).
size_t MassimoByteNomeFile(const std::filesystem::path& cartella);
