// A recorded game, the `.skrep` file: who played it and what it claims, the state of
// the game at its first input, a fingerprint of the state at its last, and every input
// in the order it reached the game, with its real time. The state is the game's own
// bytes: this codec only carries it. A replay comes from anyone, so every count and
// length is held to a cap before anything is allocated for it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "codec/FileAtomico.h"
#include "codec/Risultato.h"

// The file starts with these bytes, then the format's version: the game recognises a
// replay by them, whatever its name.
inline constexpr std::string_view MagiaReplica{"SKREP\x1a\r\n", 8};
// Raised whenever the layout of the file changes (not the game's rules: those have a
// version of their own, in the header).
constexpr uint16_t FormatoReplica = 1;

// An hour of play is about 400 KiB of file and 2 MiB unpacked: the caps leave room for
// days of play and still keep a hostile file from taking more than a few hundred MiB.
constexpr size_t MaxByteReplica = 16u << 20;  // the file as read
constexpr size_t MaxByteEspansi = 64u << 20;  // its body unpacked
// About 75 inputs a second reach the game: a day's play is under 7 million.
constexpr uint32_t MaxEventiReplica = 8'000'000;
// A day of real time; no game of a few lives lasts that long.
constexpr uint32_t MaxDurataReplica = 24u * 3600 * 1000;
// The game's state is some 10 KiB; a table of long names could double it.
constexpr size_t MaxByteStato = 1u << 20;
// A name or a combination's name as the game keeps it.
constexpr size_t MaxByteNomeReplica = 1024;
constexpr size_t MaxByteIntestazione = 4096;
// The kinds of input, as the game numbers them; a code beyond is refused.
constexpr uint8_t NumeroTipiEventoReplica = 6;

struct IntestazioneReplica {
  uint32_t versioneRegole = 0;
  std::string nome;  // UTF-8: the name given to the high-score table, empty when none was asked
  int64_t punteggio = 0;
  int64_t livello = 0;
  uint32_t durata = 0;       // real milliseconds from the first input to the last
  int64_t data = 0;          // when the game ended: seconds since 1970, UTC
  std::string combinazione;  // UTF-8: the combination in use

  bool operator==(const IntestazioneReplica&) const = default;
};

// An input: its kind and code as the game numbers them, and the real milliseconds since
// the game's first input (never fewer than the input before).
struct EventoReplica {
  uint32_t tempo = 0;
  uint8_t tipo = 0;
  uint16_t codice = 0;

  bool operator==(const EventoReplica&) const = default;
};

using ImprontaStato = std::array<uint8_t, 20>;

struct Replica {
  IntestazioneReplica intestazione;
  std::string statoIniziale;
  ImprontaStato improntaFinale{};
  std::vector<EventoReplica> eventi;

  bool operator==(const Replica&) const = default;
};

// The file's bytes; refused when the replay is over a cap or its times go backwards.
[[nodiscard]] Risultato<std::string> CodificaReplica(const Replica& replica);
[[nodiscard]] Risultato<Replica> DecodificaReplica(std::string_view byte);
// Only the header, without unpacking the body: for the high-score table's look-ups.
[[nodiscard]] Risultato<IntestazioneReplica> DecodificaIntestazioneReplica(std::string_view byte);
// Whether these first bytes are a replay's, of any format version.
bool SembraReplica(std::string_view inizio);

[[nodiscard]] Risultato<Replica> LeggiFileReplica(const std::filesystem::path& file);
[[nodiscard]] Risultato<IntestazioneReplica> LeggiIntestazioneReplica(
    const std::filesystem::path& file);
// Written whole or not at all; never over a file that is not a replay.
[[nodiscard]] Esito ScriviFileReplica(const std::filesystem::path& file, const Replica& replica,
                                      ChiamateFile& chiamate = ChiamateFile::Sistema());
