// The two versions of each file the program writes, A and B, that the kill test has
// a child process save in turn: they differ in length and in their last bytes, so a
// file holding anything but one of them whole shows.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Impostazioni.h"
#include "codec/RecordFile.h"
#include "support/Combinazioni.h"

namespace versioni {

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

// One of the files, by the kind salva_in_ciclo takes: its name in the program folder,
// the kills of the quick test (the combination's long write gets more), a version
// saved there through the program's own writer of that file, and the bytes the
// version has on disk.
struct File {
  const char* tipo;
  std::string nome;
  int uccisioni;
  std::function<Esito(int versione, const std::filesystem::path& cartella)> salva;
  std::function<std::string(int versione, const std::filesystem::path& cartella)> byte;
};

inline std::vector<File> Tutti() {
  using Cartella = const std::filesystem::path&;
  return {{"combinazione", "Grande.skcom", 40,
           [](int v, Cartella c) { return ScriviFileCombinazione(c / "Grande.skcom", Grande(v)); },
           [](int v, Cartella) { return CodificaCombinazione(Grande(v)); }},
          {"scelta", std::string(NomeFileScelta), 20,
           [](int v, Cartella c) {
             return ScriviFileScelta(c / NomeFileScelta, c / "Grande.skcom", v == 0);
           },
           [](int v, Cartella c) { return CodificaScelta(c / "Grande.skcom", v == 0).valore(); }},
          {"record", "Record", 20,
           [](int v, Cartella c) { return ScriviFileRecord(c / "Record", Tabella(v)); },
           [](int v, Cartella) { return CodificaRecord(Tabella(v)); }}};
}

}  // namespace versioni
