// Decoding a combination's pictures outside the program: in skarvex-decodifica, a
// process shut in with nothing but the pictures' bytes, under limits of time and
// memory (see codec/ProtocolloDecodifica.h). Whatever a picture does to its decoder
// costs that picture only: the pictures decoded before it are kept, it is refused with
// the reason, and those after it are decoded by a fresh child. The game, the editor
// and every command of skarvex-comb decode through here, so that what the tool
// accepts is what the game shows.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "codec/Combinazione.h"
#include "codec/Vaglio.h"

namespace DecodificaEsterna {

// Why a picture the gate passed could not be had.
enum class Motivo {
  NonDecodificabile,  // its decoder refuses it
  Memoria,            // it needs more memory than its decoder may have
  Interrotto,         // its decoder crashed on it
  Tempo,              // it took more than ProtocolloDecodifica::SecondiSlot
  TempoTotale,        // the pictures together took more than SecondiTotali
  Mancante,           // no decoder: skarvex-decodifica is missing or cannot run
};

// One line in English, as skarvex-comb says it: "the decoder crashed on it".
std::string Descrivi(Motivo motivo);

struct Pixel {
  uint32_t larghezza = 0;
  uint32_t altezza = 0;
  bool alfa = false;  // premultiplied ARGB32; opaque RGB32 otherwise
  // Rows of larghezza * 4 bytes; null when only verdicts were asked.
  std::unique_ptr<unsigned char[]> byte;
};

struct Voce {
  int slot = 0;  // a picture slot, each at most once in a call
  std::string_view byte;
  Vaglio::EsameImmagine esame;  // the gate's verdict: a refused picture is not decoded
};

using EsitoSlot = std::variant<Pixel, Motivo>;

// One result per voce, in order. With `pixel` false only whether each decodes.
std::vector<EsitoSlot> Decodifica(std::span<const Voce> voci, bool pixel = true);

// Starts a decoder for the next call, so that its start overlaps what the caller does
// in between; a call finds it, or starts its own.
void Prepara();

// The picture slots of `comb` that pass `esame` and are not Default, with the reason
// for each the decoder refuses.
std::array<std::optional<Motivo>, NumeroImmagini> Verifica(const TipoCombinazione& comb,
                                                           const Vaglio::EsameCombinazione& esame);

// Where skarvex-decodifica is: the path given to UsaEseguibile, else beside the running
// executable (a portable copy, the build tree), else in libexec/skarvex beside its bin
// folder (an installed one).
std::optional<std::filesystem::path> Eseguibile();
// For programs that sit elsewhere, as tests and benchmarks do.
void UsaEseguibile(std::filesystem::path percorso);

}  // namespace DecodificaEsterna
