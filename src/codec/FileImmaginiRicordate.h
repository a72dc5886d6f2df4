// The file in which the game keeps the decoded pixels of the pictures it last applied,
// so that the next start copies them instead of decoding the pictures again. It is
// the game's own, but read like any file from outside: anything out of place in it
// means no picture at all is taken from it. It holds raw pixels only, nothing to
// decode.
//
// Little-endian: "SKIR", the version, the number of pictures; then for each the SHA-1
// of the bytes it was decoded from (20 bytes), its width, its height, 1 when it has an
// alpha channel (premultiplied ARGB32) or 0 (RGB32), and its rows of width * 4 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Vaglio.h"

namespace FileImmaginiRicordate {

inline constexpr char NomeFile[] = "Immagini.skcache";
inline constexpr uint32_t Versione = 1;
// A file, and so the pictures it may keep, stays small: a combination whose decoded
// pictures go past this is not remembered at all.
inline constexpr uint64_t MaxByte = 32 * Vaglio::MiB;

using Sha1 = std::array<unsigned char, 20>;

struct Ricordata {
  Sha1 sha1{};
  uint32_t larghezza = 0;
  uint32_t altezza = 0;
  bool alfa = false;
  std::string_view pixel;  // larghezza * altezza * 4 bytes
};

// The pictures of `byte`, viewing into it; nothing when anything is out of place: the
// header, more than NumeroImmagini pictures, a size outside the gate's budget for one
// picture, rows that are not all there, bytes left over, a file over MaxByte.
std::optional<std::vector<Ricordata>> Leggi(std::string_view byte);

// The file of `ricordate`; nothing when it would go past MaxByte or they are more than
// NumeroImmagini.
std::optional<std::string> Componi(std::span<const Ricordata> ricordate);

}  // namespace FileImmaginiRicordate
