#include "codec/FileMedia.h"

#include <algorithm>
#include <array>

#include "codec/FileAtomico.h"

namespace {

bool IniziaCon(std::string_view byte, std::string_view firma) {
  return byte.substr(0, firma.size()) == firma;
}

struct DatiFormato {
  FormatoMedia formato;
  std::string_view nome;
  std::string_view estensione;
};

constexpr std::array<DatiFormato, 11> Formati{{
    {FormatoMedia::JPG, "JPG", ".jpg"},
    {FormatoMedia::GIF, "GIF", ".gif"},
    {FormatoMedia::BMP, "BMP", ".bmp"},
    {FormatoMedia::PNG, "PNG", ".png"},
    {FormatoMedia::WAV, "WAV", ".wav"},
    {FormatoMedia::MP3, "MP3", ".mp3"},
    {FormatoMedia::MIDI, "MIDI", ".mid"},
    {FormatoMedia::TTF, "TTF", ".ttf"},
    {FormatoMedia::OTF, "OTF", ".otf"},
    {FormatoMedia::FON, "FON", ".fon"},
    {FormatoMedia::Sconosciuto, "unknown", ".bin"},
}};

const DatiFormato& Dati(FormatoMedia formato) {
  return *std::find_if(Formati.begin(), Formati.end(),
                       [&](const DatiFormato& d) { return d.formato == formato; });
}

}  // namespace

std::string NomeFileImmagine(int n) {
  return "img" + std::to_string(n) + ".sktemp";
}

std::string NomeFileSuono(int n) {
  return "aud" + std::to_string(n) + ".sktemp";
}

std::string ContenutoMedia(std::string_view slot) {
  std::string contenuto;
  contenuto.reserve(slot.size() + FineMedia.size());
  contenuto.append(slot);
  contenuto.append(FineMedia);
  return contenuto;
}

std::string_view SlotDiFileMedia(std::string_view contenuto) {
  if (contenuto.ends_with(FineMedia)) contenuto.remove_suffix(FineMedia.size());
  return contenuto;
}

Esito ScriviFileMedia(const std::filesystem::path& percorso, std::string_view slot,
                      ChiamateFile& chiamate) {
  return ScriviFileProvvisorio(percorso, ContenutoMedia(slot), chiamate);
}

bool NomeFileSicuro(std::string_view nome) {
  // Not hidden either: no leading '.', which also rules out "." and "..".
  if (nome.empty() || nome.size() > 255 || nome.front() == '.') return false;
  return std::none_of(nome.begin(), nome.end(), [](char c) {
    return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
}

FormatoMedia RiconosciFormato(std::string_view byte) {
  using namespace std::string_view_literals;
  if (IniziaCon(byte, "\xFF\xD8\xFF"sv)) return FormatoMedia::JPG;
  if (IniziaCon(byte, "GIF87a"sv) || IniziaCon(byte, "GIF89a"sv)) return FormatoMedia::GIF;
  if (IniziaCon(byte, "\x89PNG\r\n\x1A\n"sv)) return FormatoMedia::PNG;
  if (IniziaCon(byte, "RIFF"sv) && byte.size() >= 12 && byte.substr(8, 4) == "WAVE"sv)
    return FormatoMedia::WAV;
  if (IniziaCon(byte, "MThd"sv)) return FormatoMedia::MIDI;
  if (IniziaCon(byte, "OTTO"sv)) return FormatoMedia::OTF;
  if (IniziaCon(byte, "\x00\x01\x00\x00"sv) || IniziaCon(byte, "true"sv) ||
      IniziaCon(byte, "ttcf"sv))
    return FormatoMedia::TTF;
  // A .fon is a Windows executable holding bitmap fonts.
  if (IniziaCon(byte, "MZ"sv)) return FormatoMedia::FON;
  if (IniziaCon(byte, "BM"sv) && byte.size() >= 14) return FormatoMedia::BMP;
  // An MP3 opens with an ID3 tag or straight with a frame: eleven set sync bits.
  if (IniziaCon(byte, "ID3"sv)) return FormatoMedia::MP3;
  if (byte.size() >= 2 && static_cast<unsigned char>(byte[0]) == 0xFF &&
      (static_cast<unsigned char>(byte[1]) & 0xE0) == 0xE0)
    return FormatoMedia::MP3;
  return FormatoMedia::Sconosciuto;
}

std::string_view NomeFormato(FormatoMedia formato) {
  return Dati(formato).nome;
}

std::string_view EstensioneFormato(FormatoMedia formato) {
  return Dati(formato).estensione;
}
