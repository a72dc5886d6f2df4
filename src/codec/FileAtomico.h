// Files written whole or not at all: the bytes go to a temporary file in the same
// folder, which is flushed and then renamed over the old file. A crash or a full
// disk never leaves a half-written file behind.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>

#include <sys/types.h>

#include "codec/Risultato.h"

// The system calls of one write, in the order they are made, each as the system
// makes it: -1 and errno on failure. The program uses them as they are; a test
// derives from this class to record the calls or make any of them fail, and shows
// that a failure at any step, a full disk or a read-only folder leaves the old file
// whole.
class ChiamateFile {
 public:
  virtual ~ChiamateFile() = default;

  // The calls of the system itself.
  static ChiamateFile& Sistema();

  virtual int Crea(char* modello);  // mkstemp
  virtual ssize_t Scrivi(int fd, const void* byte, size_t quanti);
  virtual int Permessi(int fd, mode_t modo);  // fchmod
  virtual int Sincronizza(int fd);
  // Closing must give the descriptor back even when it reports a failure.
  virtual int Chiudi(int fd);
  // The finished file takes its name: renamed over an old one, or linked as a new name
  // that must not exist yet.
  virtual int Rinomina(const char* temporaneo, const char* percorso, bool sostituisci);
  virtual int SincronizzaCartella(int fd);
};

// The file's permissions are those of any new file, read and write (or only read) for
// whoever the process's umask lets: 0644 (0444) under the usual 022, the owner's
// alone under 077.
[[nodiscard]] Esito ScriviFileAtomico(const std::filesystem::path& percorso, std::string_view byte,
                                      bool solaLettura = false,
                                      ChiamateFile& chiamate = ChiamateFile::Sistema());
// The same for a file that lives only moments, as the media files a combination unpacks
// while it is applied: whole or not at all to whoever reads it, and never written
// through a link of its name, but not flushed to the disk. A flush waits for the disk
// (tens of milliseconds a file on a busy one) and buys nothing here: the file is
// deleted or written anew by the next application, and one a crash leaves behind is
// never read.
[[nodiscard]] Esito ScriviFileProvvisorio(const std::filesystem::path& percorso,
                                          std::string_view byte,
                                          ChiamateFile& chiamate = ChiamateFile::Sistema());
// The same for a file that must not replace one already there: it fails (EEXIST) when
// the name exists, and never leaves a partial file under that name.
[[nodiscard]] Esito CreaFileAtomico(const std::filesystem::path& percorso, std::string_view byte,
                                    ChiamateFile& chiamate = ChiamateFile::Sistema());

// The program's own hidden files in a folder start with this, and only those are
// ever cleaned up: ".skarvex-<name>.XXXXXX" while a file is written.
inline constexpr char PrefissoTemporanei[] = ".skarvex-";

// A write cut short by a crash or a kill leaves its hidden temporary file behind;
// those in `cartella` older than `eta` are removed (a younger one may be another
// running copy's write in progress).
void EliminaTemporaneiRimasti(const std::filesystem::path& cartella, std::chrono::seconds eta);

// A whole regular file's bytes. Anything else (a folder, a FIFO, a device) is an
// error, so a wrong path can neither hang the program nor read without end; so is a
// file larger than `massimo` bytes or than memory can hold.
[[nodiscard]] Risultato<std::string> LeggiFile(const std::filesystem::path& percorso,
                                               size_t massimo = std::numeric_limits<size_t>::max());

// Deletes a file even when it is read-only; a missing file is no error.
[[nodiscard]] Esito EliminaFile(const std::filesystem::path& percorso);
