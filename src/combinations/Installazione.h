// A combination someone received, on its way into the program folder: for the game
// (a file opened with it, handed over or dropped) and for skarvex-comb install alike.
// The file is read once; its slots, its stored name and the folder are checked before
// anything is asked; and the bytes checked are the bytes written, under the name the
// player was told. A player's file that is in the way is kept, or goes to the trash:
// it is never simply deleted.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QString>

#include "codec/InstallaCombinazione.h"
#include "seams/Dialoghi.h"

// Why a received file cannot go into the folder, for the terminal and for the player.
struct Impedimento {
  std::string perche;  // English, a phrase that follows "not installed: "
  QString motivo;      // Italian, a phrase that follows "non è stato aggiunto: "
};

// A received file that may go into the folder, and what is there under its name.
struct Candidata {
  enum class Posto {
    Libero,    // the name is free
    Identica,  // the same bytes are already there: nothing to do
    Occupata,  // something else is there: the player chooses
  };
  Ricevuta ricevuta;
  std::filesystem::path cartella;
  std::string nome;                // the name stored in the file, which the menu shows
  std::filesystem::path percorso;  // <cartella>/<nome>.skcom
  Posto posto = Posto::Libero;
};

// Reads `file` once and checks all that can be checked before the player is asked:
// every slot against the game's budgets, the stored name (a bare file name that fits
// the file system, with no blank at either end and no invisible character, and no
// look-alike of Default or of another combination of the folder) and whether the
// folder takes new files.
[[nodiscard]] std::variant<Candidata, Impedimento> EsaminaRicevuta(
    const std::filesystem::path& file, const std::filesystem::path& cartella);

// What a player could take for the same name: the name in its compatibility form, without
// invisible characters, its blanks as single spaces, in one letter case.
QString ChiaveNome(const QString& nome);

// The name the newcomer takes beside an occupied one: "Notturno 2", "Notturno 3"...,
// the first that passes the same rules; none when no such name fits.
std::optional<std::string> NomeLibero(const Candidata& candidata);

struct Installata {
  std::filesystem::path percorso;  // where it is now
  std::string nome;                // the name stored in it
  bool scritta = false;            // false: the player's file was kept, nothing written
  bool sostituita = false;         // the player's file went to the trash
};

// Puts the candidate in the folder. A free name takes it as it is; an occupied one
// stays as it is (TieniMia), takes it under NomeLibero with that name stored inside
// (TieniEntrambe), or moves the old file to the trash first (Sostituisci). A name
// that was free and has since been taken is not written over.
[[nodiscard]] std::variant<Installata, Impedimento> Installa(const Candidata& candidata,
                                                             SceltaConflitto scelta);
