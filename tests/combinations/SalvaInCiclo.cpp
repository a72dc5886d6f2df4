// salva_in_ciclo KIND FOLDER: saves version A, then B, then A... of one of the
// program's files (combination, settings or record) in FOLDER, for ever, writing
// one byte to standard output after each save. The kill test stops it with SIGKILL.
#include <unistd.h>

#include <cstdio>
#include <string_view>

#include "support/VersioniSalvate.h"

int main(int argc, char** argv) {
  for (const versioni::File& file : versioni::Tutti()) {
    if (argc != 3 || argv[1] != std::string_view(file.tipo)) continue;
    for (int versione = 0;; versione = 1 - versione) {
      if (const Esito esito = file.salva(versione, argv[2]); !esito) {
        std::fprintf(stderr, "%s\n", esito.errore().c_str());
        return 1;
      }
      if (::write(STDOUT_FILENO, "s", 1) != 1) return 1;
    }
  }
  std::fputs("usage: salva_in_ciclo combinazione|scelta|record FOLDER\n", stderr);
  return 2;
}
