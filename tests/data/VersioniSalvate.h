// The two versions of each file the program writes, A and B, that the kill test has
// a child process save in turn: they differ in length and in their last bytes, so a
// file holding anything but one of them whole shows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "data/Combinazione.h"
#include "data/Impostazioni.h"
#include "data/RecordFile.h"
#include "support/Combinazioni.h"

namespace versioni {

enum class Tipo { Combinazione, Scelta, Record };

// The file each is saved to, in the program folder.
inline std::string NomeFile(Tipo tipo) {
  switch (tipo) {
    case Tipo::Combinazione:
      return "Grande.skcom";
    case Tipo::Scelta:
      return std::string(NomeFileScelta);
    case Tipo::Record:
      return "Record";
  }
  return {};
}

// A combination of a few megabytes, so that a kill can land inside its write; the
// bulk is the font file, which applying it leaves alone when it names no font.
inline TipoCombinazione Grande(int versione) {
  TipoCombinazione c = CombinazioneVuota("Grande");
  c.Autore = versione == 0 ? "A" : "B";
  c.FontFile.assign(versione == 0 ? 4'000'000 : 3'000'000, versione == 0 ? 'a' : 'b');
  return c;
}

inline TabellaRecord Tabella(int versione) {
  TabellaRecord t = TabellaRecordIniziale();
  t[0] = {versione == 0 ? "Anna" : "Bruno", versione == 0 ? 500 : 70000, 3};
  return t;
}

// Version `versione` saved through the program's own writer of that file.
inline Esito Salva(Tipo tipo, int versione, const std::filesystem::path& cartella) {
  const std::filesystem::path file = cartella / NomeFile(tipo);
  switch (tipo) {
    case Tipo::Combinazione:
      return ScriviFileCombinazione(file, Grande(versione));
    case Tipo::Scelta:
      return ScriviFileScelta(file, cartella / NomeFile(Tipo::Combinazione), versione == 0);
    case Tipo::Record:
      return ScriviFileRecord(file, Tabella(versione));
  }
  return Errore{"no such file kind"};
}

// The bytes version `versione` has on disk.
inline std::string Byte(Tipo tipo, int versione, const std::filesystem::path& cartella) {
  switch (tipo) {
    case Tipo::Combinazione:
      return CodificaCombinazione(Grande(versione));
    case Tipo::Scelta:
      return CodificaScelta(cartella / NomeFile(Tipo::Combinazione), versione == 0).valore();
    case Tipo::Record:
      return CodificaRecord(Tabella(versione));
  }
  return {};
}

}  // namespace versioni
