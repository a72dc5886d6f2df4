// What the game and its picture decoder, skarvex-decodifica, say to each other, and the
// limits the decoder runs under. A combination's pictures come from strangers, and an
// image decoder is where a hostile file does its harm: it can be slow beyond reason,
// eat memory or be led to run code of the file's. So every picture is decoded in a
// process of its own, which gets the bytes over a socket, has no file, no network and
// few system calls, and sends back 32-bit pixels; the game kills it when it runs past
// its time and never trusts what it says beyond what the gate measured.
//
// One socket carries both ways (the child's descriptors 0 and 1). The game sends a
// Richiesta, then for each picture a Voce followed by its bytes; the child reads a
// picture only when a worker takes it, says Inizio as it starts one, then Pixel
// (followed by the rows, unless only verdicts were asked) or Rifiuto, and Fine after
// the last. Numbers are in the machine's own order: both ends are the same machine.
#pragma once

#include <cstdint>

namespace ProtocolloDecodifica {

inline constexpr char NomeEseguibile[] = "skarvex-decodifica";

inline constexpr uint64_t MiB = 1024 * 1024;

// Wall-clock seconds a picture may take from its start, and all the pictures of one
// call together: applying a combination stays within five seconds whatever its
// pictures do. A 16-million-pixel progressive JPEG decodes in under a second here.
inline constexpr int SecondiSlot = 2;
inline constexpr int SecondiTotali = 4;
// The child's CPU seconds, for both its workers: should the game vanish while a
// decoder spins, the kernel ends it.
inline constexpr int SecondiCpu = 2 * SecondiTotali;
// Pictures decoded at once, within what their decoding is guessed to need together
// (a picture that needs more than that alone is decoded alone).
inline constexpr uint32_t Lavoratori = 2;
inline constexpr uint64_t MemoriaLavoro = 192 * MiB;
// Address space the child may map beyond what it holds once its decoders are loaded,
// and the resident memory at which the game kills it: alone, or with the game's own,
// which holds the pictures received so far.
inline constexpr uint64_t MemoriaFiglio = 320 * MiB;
inline constexpr uint64_t MemoriaResidente = 384 * MiB;
inline constexpr uint64_t MemoriaInsieme = 600 * MiB;
// The child's exit codes when memory ran out, and when it could not shut itself in (it
// then decodes nothing).
inline constexpr int CodiceMemoria = 3;
inline constexpr int CodiceRecinto = 4;

// A test's switch, passed from the game's environment to the child's: "crollo:N",
// "stallo:N" or "memoria:N" makes the child crash, hang or eat memory on slot N, and
// "recinto" makes it try to open a file and a socket once shut in, and tell how it
// went. It can harm nothing but the child itself.
inline constexpr char VariabileGuasto[] = "SKARVEX_GUASTO_DECODIFICA";

inline constexpr uint32_t Firma = 0x43444B53;  // "SKDC"

struct Richiesta {
  uint32_t firma = Firma;
  uint32_t voci = 0;
  uint32_t lavoratori = Lavoratori;
  uint32_t pixel = 1;  // 0: only whether each picture decodes, no rows
};

struct Voce {
  uint32_t slot = 0;
  uint32_t formato = 0;  // a FormatoMedia, as the gate recognised it
  uint32_t larghezza = 0;
  uint32_t altezza = 0;
  uint32_t bytePerPixel = 4;  // what the decoder holds a pixel in: 8 for 16-bit channels
  uint32_t riservato = 0;
  uint64_t byte = 0;
};
static_assert(sizeof(Voce) == 32);

enum Tipo : uint32_t { Inizio = 1, Pixel = 2, Rifiuto = 3, Fine = 4 };
enum Causa : uint32_t { NonDecodificabile = 1, Memoria = 2, DecoderMancante = 3 };

// Pixel: `valore` is 1 when the picture has an alpha channel; the rows that follow are
// premultiplied ARGB then, RGB with an opaque alpha byte otherwise, 4 bytes a pixel
// with no padding. Rifiuto: `valore` is a Causa.
struct Messaggio {
  uint32_t tipo = 0;
  uint32_t slot = 0;
  uint32_t larghezza = 0;
  uint32_t altezza = 0;
  uint32_t valore = 0;
};
static_assert(sizeof(Messaggio) == 20);

// Sanitizer builds: their runtime reserves terabytes of address space, which no
// address-space limit can hold, and reports on standard error.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool ConSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool ConSanitizer = true;
#else
inline constexpr bool ConSanitizer = false;
#endif
#else
inline constexpr bool ConSanitizer = false;
#endif

}  // namespace ProtocolloDecodifica
