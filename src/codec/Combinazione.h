// The combination record TipoCombinazione and its file <name>.skcom: the record's
// fields one after the other, little-endian, no padding, no header.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "codec/FileAtomico.h"
#include "codec/Risultato.h"

constexpr int NumeroImmagini = 14;  // image slots 0..13
constexpr int NumeroSuoni = 16;     // sound slots 0..15

// An image slot holding these bytes uses the built-in picture.
constexpr std::string_view ImmagineDefault = "Default";

// The image slots by what they show: the alien rows from the bottom up, the two shots,
// the two ships, a brick of the walls, the three banners and the window's background.
enum class SlotImmagine : int {
  PrimaFila,
  SecondaFila,
  TerzaFila,
  QuartaFila,
  QuintaFila,
  ProiettileGiocatore,
  ProiettileNemico,
  NavicellaBonus,
  Giocatore,
  Mattoncino,
  Pausa,
  GameOver,
  NextLevel,
  Sfondo,
};
static_assert(static_cast<int>(SlotImmagine::Sfondo) == NumeroImmagini - 1);

// The font file's name of a combination that carries none; the editor also puts it in
// place of the file's bytes when its font file is cancelled, and shows it.
constexpr char FontFileNessuno[] = "Nessuno";

// The editor's captions of the slots, by slot number: what each picture and sound
// is for.
constexpr std::array<const char*, 14> NomiImmagini = {
    "Alieno 1",   "Alieno 2",          "Alieno 3",   "Alieno 4",  "Alieno 5",
    "Proiettile", "Proiettile alieno", "Bonus",      "Navicella", "Mattoncino",
    "PAUSA",      "GAME OVER",         "NEXT LEVEL", "SFONDO"};
constexpr std::array<const char*, 16> NomiSuoni = {"Motivo",
                                                   "Movimento alieni",
                                                   "Sparo amico",
                                                   "Sparo nemico",
                                                   "Esplosione I° fila",
                                                   "Esplosione II° fila",
                                                   "Esplosione III° fila",
                                                   "Esplosione IV° fila",
                                                   "Esplosione V fila",
                                                   "Espl.giocatore",
                                                   "Esplosione bonus",
                                                   "Movimento bonus",
                                                   "Game over",
                                                   "Fine livello",
                                                   "Esplosione muro",
                                                   "Arrivo alieni"};

// The sound slots by what plays them: the looping music, then the fifteen effects,
// each the sound of the game event it is named after.
enum class SlotSuono : int {
  Motivo,
  MovimentoAlieni,
  SparoAmico,
  SparoNemico,
  EsplosionePrimaFila,
  EsplosioneSecondaFila,
  EsplosioneTerzaFila,
  EsplosioneQuartaFila,
  EsplosioneQuintaFila,
  EsplosioneGiocatore,
  EsplosioneBonus,
  MovimentoBonus,
  GameOver,
  FineLivello,
  EsplosioneMuro,
  ArrivoAlieni,
};
static_assert(static_cast<int>(SlotSuono::ArrivoAlieni) == NumeroSuoni - 1);

// Text fields hold UTF-8 in memory and Windows-1252 on disk; the other strings are
// byte strings kept exactly as the file they came from.
struct TipoCombinazione {
  std::string Nome;                                  // text
  std::array<std::string, NumeroImmagini> Immagini;  // "Default" or a picture file's bytes
  std::string Autore;                                // text
  std::string Password;                              // text; empty = none
  std::array<std::string, NumeroSuoni> Suoni;        // empty or a sound file's bytes
  std::array<int32_t, NumeroSuoni> Volumi{};         // hundredths of a decibel, -10000..0
  std::string FontNome;                              // text
  std::string FontDimensione;                        // text
  std::string FontColore;                            // text, decimal 24-bit RGB, red low
  bool FontGrassetto = false;
  bool FontCorsivo = false;
  std::string FontFile;      // a font file's bytes, or empty
  std::string FontFileNome;  // text; empty or FontFileNessuno = no font

  bool operator==(const TipoCombinazione&) const = default;
};

// Bytes of a whole .skcom file from a record, and back. A string is its length as
// 16 bits and its bytes; from 65,535 bytes on the length is FF FF followed by the
// length as unsigned 32 bits. Booleans are FF FF or 00 00; the reader takes any
// non-zero value as true. The reader checks every length against what is left
// before allocating, and ignores bytes after the record. Every string must be
// shorter than 4 GiB (ScriviFileCombinazione checks).
std::string CodificaCombinazione(const TipoCombinazione& comb);
[[nodiscard]] Risultato<TipoCombinazione> DecodificaCombinazione(std::string_view byte);
// The same file under another stored name: the name's field is written as the writer
// writes it, and every byte after it stays as it was.
[[nodiscard]] Risultato<std::string> CambiaNomeCombinazione(std::string_view byte,
                                                            const std::string& nome);

[[nodiscard]] Risultato<TipoCombinazione> LeggiFileCombinazione(
    const std::filesystem::path& percorso);
// Replaces the file whole, or leaves the old one as it was.
[[nodiscard]] Esito ScriviFileCombinazione(const std::filesystem::path& percorso,
                                           const TipoCombinazione& comb,
                                           ChiamateFile& chiamate = ChiamateFile::Sistema());
