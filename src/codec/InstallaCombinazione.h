// Putting a combination file someone received into the program folder: it must read
// whole and pass the gate the game holds every slot to, and it goes under the name
// stored in it, so that the menu, the editor and the file agree on what the
// combination is called. Shared by skarvex-comb install and by the game when a file
// is opened with it; neither prints anything here.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Risultato.h"

// Every slot the game would refuse, as "<slot>: <why>": held to the gate, and each
// picture that passes it decoded as the game would decode it.
std::vector<std::string> RifiutiCombinazione(const TipoCombinazione& comb);

struct CombinazioneInstallata {
  enum class Come {
    Nuova,       // the name was free
    Sostituita,  // a different file was there and `sostituisci` replaced it
    Identica,    // the same bytes were already there: nothing was written
    Diversa,     // a different file is there and `sostituisci` was not given: not written
  };
  Come come = Come::Nuova;
  std::string nome;  // the name stored in the file, which the menu shows
  std::filesystem::path percorso;
};

// Checks `file` and copies it atomically into `cartella` as <stored name>.skcom; a file
// already there is replaced only when `sostituisci`, and always the name itself, never
// what a link there points to. The error says why nothing was copied, in a phrase that
// follows "not installed: ".
[[nodiscard]] Risultato<CombinazioneInstallata> InstallaCombinazione(
    const std::filesystem::path& file, const std::filesystem::path& cartella, bool sostituisci);
