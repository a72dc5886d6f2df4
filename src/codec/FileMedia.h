// The media files a combination unpacks into the program folder (img<n>.sktemp,
// aud<n>.sktemp and its font file), and what kind of file a slot's bytes are.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "codec/FileAtomico.h"
#include "codec/Risultato.h"

// "img<n>.sktemp" for image slot n, "aud<n>.sktemp" for sound slot n (n in decimal,
// no leading zeros).
std::string NomeFileImmagine(int n);
std::string NomeFileSuono(int n);

// A media file holds the slot's bytes followed by CR LF.
inline constexpr std::string_view FineMedia = "\r\n";
std::string ContenutoMedia(std::string_view slot);
// The slot's bytes of a media file, which the slot's budgets hold: without the CR LF
// at its end (a file that lacks it is taken whole).
std::string_view SlotDiFileMedia(std::string_view contenuto);
// Writes a media file as a file that lives only moments (ScriviFileProvvisorio).
[[nodiscard]] Esito ScriviFileMedia(const std::filesystem::path& percorso, std::string_view slot,
                                    ChiamateFile& chiamate = ChiamateFile::Sistema());

// The one rule for a file the program names after something it was given (a
// combination's name, its font's name): a bare, visible name of the program folder.
// Not empty, not starting with '.' (so not "." or ".." either), no '/', '\' or
// control characters, at most 255 bytes.
bool NomeFileSicuro(std::string_view nome);

enum class FormatoMedia { JPG, GIF, BMP, PNG, WAV, MP3, MIDI, TTF, OTF, FON, Sconosciuto };

// The format a file's first bytes announce.
FormatoMedia RiconosciFormato(std::string_view byte);
// "JPG", "GIF", ..., "unknown".
std::string_view NomeFormato(FormatoMedia formato);
// ".jpg", ".gif", ..., ".bin" for an unknown format.
std::string_view EstensioneFormato(FormatoMedia formato);
