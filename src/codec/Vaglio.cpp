#include "codec/Vaglio.h"

#include <algorithm>
#include <iterator>

#include "codec/DurataMidi.h"

namespace Vaglio {

namespace {

// Little- and big-endian numbers at an offset, or nothing past the end.
std::optional<uint32_t> Le(std::string_view b, size_t da, size_t quanti) {
  if (da > b.size() || b.size() - da < quanti) return std::nullopt;
  uint32_t v = 0;
  for (size_t i = 0; i < quanti; ++i)
    v |= static_cast<uint32_t>(static_cast<unsigned char>(b[da + i])) << (8 * i);
  return v;
}

std::optional<uint32_t> Be(std::string_view b, size_t da, size_t quanti) {
  if (da > b.size() || b.size() - da < quanti) return std::nullopt;
  uint32_t v = 0;
  for (size_t i = 0; i < quanti; ++i) v = v << 8 | static_cast<unsigned char>(b[da + i]);
  return v;
}

unsigned char Byte(std::string_view b, size_t i) {
  return static_cast<unsigned char>(b[i]);
}

constexpr Rifiuto Danneggiato{Motivo::Danneggiato};

EsameImmagine Dimensioni(FormatoMedia formato, uint64_t larghezza, uint64_t altezza) {
  EsameImmagine esame{formato, 0, 0, 0, std::nullopt};
  if (larghezza == 0 || altezza == 0 || larghezza > UINT32_MAX || altezza > UINT32_MAX) {
    esame.rifiuto = Danneggiato;
    return esame;
  }
  esame.larghezza = static_cast<uint32_t>(larghezza);
  esame.altezza = static_cast<uint32_t>(altezza);
  if (esame.Pixel() > MaxPixelImmagine)
    esame.rifiuto = Rifiuto{Motivo::Pixel, esame.Pixel(), MaxPixelImmagine};
  return esame;
}

// The frames the decoder takes: 8 bits a sample, sequential or progressive, Huffman
// or arithmetic coding; not lossless or hierarchical ones.
std::optional<Rifiuto> ControllaFrame(unsigned char marcatore, std::optional<uint32_t> precisione) {
  if (!precisione) return Danneggiato;
  if (marcatore == 0xC3 || (marcatore >= 0xC5 && marcatore <= 0xC7) || marcatore == 0xCB ||
      marcatore >= 0xCD)
    return Rifiuto{Motivo::ProcessoJpeg, marcatore, 0};
  if (*precisione != 8) return Rifiuto{Motivo::PrecisioneJpeg, *precisione, 8};
  return std::nullopt;
}

// Walks a JPEG's markers as the decoder does: the frame's size from its first SOF,
// every scan and every APPn and comment segment counted. Like the decoder it passes
// over bytes that are not a marker, so the entropy-coded data after each scan header
// (where 0xFF is followed by 0x00 or a restart marker) is skipped on the way.
EsameImmagine EsaminaJpeg(std::string_view b) {
  const EsameImmagine danneggiato{FormatoMedia::JPG, 0, 0, 0, Danneggiato};
  uint64_t larghezza = 0, altezza = 0;
  bool frame = false;
  uint64_t scansioni = 0, segmenti = 0, byteSegmenti = 0;
  size_t i = 2;  // after SOI
  for (;;) {
    i = b.find('\xFF', i);
    if (i == std::string_view::npos) break;
    while (i < b.size() && Byte(b, i) == 0xFF) ++i;  // fill bytes
    if (i >= b.size()) break;
    const unsigned char marcatore = Byte(b, i++);
    if (marcatore == 0xD9) break;  // EOI
    // A stuffed zero, a restart or another standalone marker: no length follows.
    if (marcatore == 0x00 || marcatore == 0x01 || (marcatore >= 0xD0 && marcatore <= 0xD8))
      continue;
    const auto lunghezza = Be(b, i, 2);
    if (!lunghezza || *lunghezza < 2) return danneggiato;
    const bool sof = marcatore >= 0xC0 && marcatore <= 0xCF && marcatore != 0xC4 &&
                     marcatore != 0xC8 && marcatore != 0xCC;
    if (sof && !frame) {
      const auto a = Be(b, i + 3, 2), l = Be(b, i + 5, 2);
      if (!a || !l) return danneggiato;
      if (const auto rifiuto = ControllaFrame(marcatore, Be(b, i + 2, 1)))
        return {FormatoMedia::JPG, 0, 0, 0, rifiuto};
      altezza = *a;
      larghezza = *l;
      frame = true;
    }
    if ((marcatore >= 0xE0 && marcatore <= 0xEF) || marcatore == 0xFE) {
      if (++segmenti > MaxSegmentiJpeg)
        return {FormatoMedia::JPG, 0, 0, 0,
                Rifiuto{Motivo::SegmentiJpeg, segmenti, MaxSegmentiJpeg}};
      if ((byteSegmenti += *lunghezza) > MaxByteSegmentiJpeg)
        return {FormatoMedia::JPG, 0, 0, 0,
                Rifiuto{Motivo::ByteSegmentiJpeg, byteSegmenti, MaxByteSegmentiJpeg}};
    }
    i += *lunghezza;
    if (marcatore == 0xDA && ++scansioni > MaxScansioniJpeg) {
      return {FormatoMedia::JPG, static_cast<uint32_t>(larghezza), static_cast<uint32_t>(altezza),
              static_cast<uint32_t>(scansioni),
              Rifiuto{Motivo::Scansioni, scansioni, MaxScansioniJpeg}};
    }
  }
  if (!frame) return danneggiato;
  // A height of 0 leaves it to a DNL marker further on: nothing tells the size first.
  EsameImmagine esame = Dimensioni(FormatoMedia::JPG, larghezza, altezza);
  esame.scansioni = static_cast<uint32_t>(scansioni);
  return esame;
}

// A GIF is decoded to its first picture, on a canvas that the screen size or the
// picture itself, placed at its offset, may make larger.
EsameImmagine EsaminaGif(std::string_view b) {
  const auto sl = Le(b, 6, 2), sa = Le(b, 8, 2), bandiere = Le(b, 10, 1);
  if (!sl || !sa || !bandiere) return {FormatoMedia::GIF, 0, 0, 0, Danneggiato};
  size_t i = 13;
  if (*bandiere & 0x80) i += 3u << ((*bandiere & 7) + 1);  // global colour table
  while (i < b.size()) {
    const unsigned char blocco = Byte(b, i);
    if (blocco == 0x2C) {  // the first image descriptor
      const auto x = Le(b, i + 1, 2), y = Le(b, i + 3, 2), l = Le(b, i + 5, 2), a = Le(b, i + 7, 2);
      if (!x || !y || !l || !a) break;
      return Dimensioni(FormatoMedia::GIF, std::max<uint64_t>(*sl, uint64_t{*x} + *l),
                        std::max<uint64_t>(*sa, uint64_t{*y} + *a));
    }
    if (blocco != 0x21 || i + 2 > b.size()) break;  // only extensions come before it
    i += 2;
    while (i < b.size() && Byte(b, i) != 0) i += 1 + Byte(b, i);  // sub-blocks
    ++i;
  }
  return {FormatoMedia::GIF, 0, 0, 0, Danneggiato};
}

// What the decoder takes of a BMP's header: the header kinds it knows, one plane, 1,
// 4, 8, 16, 24 or 32 bits a pixel, the compressions that fit them (run lengths of 8
// or 4 bits, bit fields of 16 or 32), a palette of at most 256 colours, and some
// bytes after the header for its pixels.
std::optional<Rifiuto> ControllaBmp(std::string_view b, uint32_t intestazione) {
  constexpr uint32_t Intestazioni[] = {12, 40, 64, 108, 124};
  if (std::find(std::begin(Intestazioni), std::end(Intestazioni), intestazione) ==
      std::end(Intestazioni))
    return Rifiuto{Motivo::IntestazioneBmp, intestazione, 0};
  if (b.size() <= 14 + size_t{intestazione}) return Danneggiato;
  const bool os2 = intestazione == 12;  // OS/2 1.x: 16-bit sizes, no compression
  const uint32_t piani = *Le(b, os2 ? 22 : 26, 2), bit = *Le(b, os2 ? 24 : 28, 2);
  constexpr uint32_t Profondita[] = {1, 4, 8, 16, 24, 32};
  if (piani != 1 ||
      std::find(std::begin(Profondita), std::end(Profondita), bit) == std::end(Profondita))
    return Danneggiato;
  if (os2) return std::nullopt;
  const uint32_t compressione = *Le(b, 30, 4), colori = *Le(b, 46, 4);
  if (compressione > 3) return Rifiuto{Motivo::CompressioneBmp, compressione, 0};
  if ((compressione == 1 && bit != 8) || (compressione == 2 && bit != 4) ||
      (compressione == 3 && bit != 16 && bit != 32) || (bit <= 8 && colori > 256))
    return Danneggiato;
  return std::nullopt;
}

EsameImmagine EsaminaBmp(std::string_view b) {
  const auto intestazione = Le(b, 14, 4);
  if (!intestazione) return {FormatoMedia::BMP, 0, 0, 0, Danneggiato};
  if (const auto rifiuto = ControllaBmp(b, *intestazione))
    return {FormatoMedia::BMP, 0, 0, 0, rifiuto};
  if (*intestazione == 12) {  // OS/2 1.x: 16-bit sizes
    const auto l = Le(b, 18, 2), a = Le(b, 20, 2);
    if (!l || !a) return {FormatoMedia::BMP, 0, 0, 0, Danneggiato};
    return Dimensioni(FormatoMedia::BMP, *l, *a);
  }
  const auto l = Le(b, 18, 4), a = Le(b, 22, 4);
  if (*intestazione < 40 || !l || !a) return {FormatoMedia::BMP, 0, 0, 0, Danneggiato};
  // A negative height draws the rows from the top.
  const int64_t larghezza = static_cast<int32_t>(*l), altezza = static_cast<int32_t>(*a);
  if (larghezza <= 0 || altezza == INT32_MIN) return {FormatoMedia::BMP, 0, 0, 0, Danneggiato};
  return Dimensioni(FormatoMedia::BMP, static_cast<uint64_t>(larghezza),
                    static_cast<uint64_t>(altezza < 0 ? -altezza : altezza));
}

// What the decoder takes of a PNG's header: a whole IHDR, the depths each colour type
// allows, the one compression and filter method, no interlacing but Adam7's; and,
// for a palette picture, its palette before its pixels.
std::optional<Rifiuto> ControllaPng(std::string_view b) {
  if (b.size() < 33 || Be(b, 8, 4) != 13u) return Danneggiato;
  const unsigned char bit = Byte(b, 24), tipo = Byte(b, 25);
  const bool profondita = bit == 8 || (bit == 16 && tipo != 3) ||
                          ((bit == 1 || bit == 2 || bit == 4) && (tipo == 0 || tipo == 3));
  if (!profondita || (tipo != 0 && tipo != 2 && tipo != 3 && tipo != 4 && tipo != 6) ||
      Byte(b, 26) != 0 || Byte(b, 27) != 0 || Byte(b, 28) > 1)
    return Danneggiato;
  if (tipo != 3) return std::nullopt;
  for (size_t i = 33; i + 8 <= b.size(); i += 12 + size_t{*Be(b, i, 4)}) {
    const std::string_view chunk = b.substr(i + 4, 4);
    if (chunk == "PLTE") return std::nullopt;
    if (chunk == "IDAT" || chunk == "IEND") break;
  }
  return Rifiuto{Motivo::PaletteMancante};
}

EsameImmagine EsaminaPng(std::string_view b) {
  if (b.size() < 24 || b.substr(12, 4) != "IHDR") return {FormatoMedia::PNG, 0, 0, 0, Danneggiato};
  if (const auto rifiuto = ControllaPng(b)) return {FormatoMedia::PNG, 0, 0, 0, rifiuto};
  const auto l = Be(b, 16, 4), a = Be(b, 20, 4);
  if (!l || !a) return {FormatoMedia::PNG, 0, 0, 0, Danneggiato};
  return Dimensioni(FormatoMedia::PNG, *l, *a);
}

// A WAV file's format and the length of its samples, read from its chunks.
struct Wave {
  uint32_t formato = 0, canali = 0, frequenza = 0, bit = 0;
  uint64_t dati = 0;  // bytes of samples that are really there
  bool haFormato = false, haDati = false;
};

// A format chunk's fields, from its body at `corpo`; nothing when it is too short to
// hold them.
std::optional<Wave> LeggiFormato(std::string_view b, size_t corpo, uint64_t lunghezza) {
  if (lunghezza < 16 || corpo + 16 > b.size()) return std::nullopt;
  Wave w;
  w.formato = *Le(b, corpo, 2);
  w.canali = *Le(b, corpo + 2, 2);
  w.frequenza = *Le(b, corpo + 4, 4);
  w.bit = *Le(b, corpo + 14, 2);
  if (w.formato == 0xFFFE) {  // WAVE_FORMAT_EXTENSIBLE: the real one in its GUID
    const auto sotto = Le(b, corpo + 24, 2);
    if (lunghezza < 26 || !sotto) return std::nullopt;
    w.formato = *sotto;
  }
  w.haFormato = true;
  return w;
}

// The chunks as the effects' decoder reads them: each padded to an even size, up to the
// first data chunk, after a single format chunk.
std::optional<Wave> LeggiWave(std::string_view b) {
  Wave w;
  size_t i = 12;
  while (!w.haDati && i + 8 <= b.size()) {
    const std::string_view id = b.substr(i, 4);
    const uint64_t lunghezza = *Le(b, i + 4, 4);
    const size_t corpo = i + 8;
    if (id == "fmt ") {
      // Only one format: a decoder might take either of two.
      const auto formato = w.haFormato ? std::nullopt : LeggiFormato(b, corpo, lunghezza);
      if (!formato) return std::nullopt;
      w = *formato;
    } else if (id == "data") {
      if (!w.haFormato) return std::nullopt;
      w.dati = std::min<uint64_t>(lunghezza, b.size() - corpo);
      w.haDati = true;
    }
    i = corpo + lunghezza + (lunghezza & 1);  // chunks are padded to even sizes
  }
  if (!w.haDati) return std::nullopt;
  return w;
}

// The music's decoder streams a WAV by other rules: it reads the chunks with no pad
// byte after an odd one, on past the data to the end of the file or to a chunk that
// claims no length, and takes every format chunk it meets, the last one winning. A
// format it would read must be the one checked, or a file could show the gate one and
// the decoder another (a format of no channels takes the decoder down).
bool LoStreamerLeggeLoStessoFormato(std::string_view b, const Wave& w) {
  size_t i = 12;
  while (i + 8 <= b.size()) {
    const uint64_t lunghezza = *Le(b, i + 4, 4);
    if (lunghezza == 0) break;
    const size_t corpo = i + 8;
    if (b.substr(i, 4) == "fmt ") {
      const auto formato = LeggiFormato(b, corpo, lunghezza);
      if (!formato || formato->formato != w.formato || formato->canali != w.canali ||
          formato->frequenza != w.frequenza || formato->bit != w.bit)
        return false;
    }
    if (lunghezza > b.size() - corpo) break;
    i = corpo + lunghezza;
  }
  return true;
}

// The bytes a wave's samples become at the mixer's rate, stereo, 16 bits: at most,
// as ADPCM's blocks may hold a little less than four bits a sample.
std::optional<uint64_t> ByteAlMixer(const Wave& w) {
  uint32_t bitCampione = 0;
  switch (w.formato) {
    case 1:  // PCM
      if (w.bit == 8 || w.bit == 16 || w.bit == 24 || w.bit == 32) bitCampione = w.bit;
      break;
    case 3:  // IEEE float
      if (w.bit == 32 || w.bit == 64) bitCampione = w.bit;
      break;
    case 6:  // A-law
    case 7:  // mu-law
      if (w.bit == 8) bitCampione = 8;
      break;
    case 2:     // Microsoft ADPCM
    case 0x11:  // IMA ADPCM
      bitCampione = 4;
      break;
    default:
      break;
  }
  if (bitCampione == 0 || w.canali == 0 || w.canali > 8 || w.frequenza == 0) return std::nullopt;
  const uint64_t fotogrammi = w.dati * 8 / (uint64_t{bitCampione} * w.canali);
  // Rounded up: the converter never makes fewer frames than the ratio says.
  const uint64_t alMixer = (fotogrammi * FrequenzaMixer + w.frequenza - 1) / w.frequenza;
  return alMixer * BytePerFotogrammaMixer;
}

// A MIDI file's size, and what its notes ask of the synthesizer.
std::optional<Rifiuto> EsaminaMidi(std::string_view byte) {
  if (byte.size() > MaxByteMidi) return Rifiuto{Motivo::Midi, byte.size(), MaxByteMidi};
  const CaricoMidi carico = MisuraCaricoMidi(byte);
  if (carico.tenute > MaxNoteTenute)
    return Rifiuto{Motivo::NoteTenute, carico.tenute, MaxNoteTenute};
  if (carico.tenuteCanale > MaxNoteTenuteCanale)
    return Rifiuto{Motivo::NoteTenuteCanale, carico.tenuteCanale, MaxNoteTenuteCanale};
  if (carico.alSecondo > MaxNoteAlSecondo)
    return Rifiuto{Motivo::NoteAlSecondo, carico.alSecondo, MaxNoteAlSecondo};
  return std::nullopt;
}

}  // namespace

EsameImmagine EsaminaImmagine(std::string_view byte) {
  switch (RiconosciFormato(byte)) {
    case FormatoMedia::JPG:
      return EsaminaJpeg(byte);
    case FormatoMedia::GIF:
      return EsaminaGif(byte);
    case FormatoMedia::BMP:
      return EsaminaBmp(byte);
    case FormatoMedia::PNG:
      return EsaminaPng(byte);
    default:
      return {FormatoMedia::Sconosciuto, 0, 0, 0, Rifiuto{Motivo::Formato}};
  }
}

EsameEffetto EsaminaEffetto(std::string_view byte) {
  if (RiconosciFormato(byte) != FormatoMedia::WAV) return {0, Rifiuto{Motivo::Formato}};
  const auto wave = LeggiWave(byte);
  const auto decodificati = wave ? ByteAlMixer(*wave) : std::nullopt;
  if (!decodificati) return {0, Danneggiato};
  if (*decodificati > MaxByteEffetto)
    return {*decodificati, Rifiuto{Motivo::Effetto, *decodificati, MaxByteEffetto}};
  return {*decodificati, std::nullopt};
}

EsameMusica EsaminaMusica(std::string_view byte) {
  const FormatoMedia formato = RiconosciFormato(byte);
  switch (formato) {
    case FormatoMedia::WAV: {
      // Streamed, so of any length; but its format must be one the decoder takes.
      const auto wave = LeggiWave(byte);
      if (!wave || !ByteAlMixer(*wave) || !LoStreamerLeggeLoStessoFormato(byte, *wave))
        return {formato, Danneggiato};
      return {formato, std::nullopt};
    }
    case FormatoMedia::MIDI:
      return {formato, EsaminaMidi(byte)};
    case FormatoMedia::MP3:
      return {formato, std::nullopt};
    default:
      return {formato, Rifiuto{Motivo::Formato}};
  }
}

std::optional<Rifiuto> EsaminaFont(std::string_view byte) {
  const FormatoMedia formato = RiconosciFormato(byte);
  if (formato != FormatoMedia::TTF && formato != FormatoMedia::OTF && formato != FormatoMedia::FON)
    return Rifiuto{Motivo::Formato};
  if (byte.size() > MaxByteFont) return Rifiuto{Motivo::Font, byte.size(), MaxByteFont};
  return std::nullopt;
}

bool EsameCombinazione::Tutto() const {
  return !font && std::none_of(immagini.begin(), immagini.end(), [](const EsameImmagine& e) {
    return e.rifiuto.has_value();
  }) && std::none_of(suoni.begin(), suoni.end(), [](const std::optional<Rifiuto>& r) {
    return r.has_value();
  });
}

EsameCombinazione EsaminaCombinazione(const TipoCombinazione& comb) {
  EsameCombinazione esame;
  uint64_t effetti = 0;
  for (size_t n = 0; n < NumeroSuoni; ++n) {
    const std::string& byte = comb.Suoni[n];
    if (byte.empty()) continue;
    if (n == 0) {
      const EsameMusica musica = EsaminaMusica(byte);
      esame.suoni[n] = musica.rifiuto;
      esame.formatiSuoni[n] = musica.formato;
      continue;
    }
    EsameEffetto effetto = EsaminaEffetto(byte);
    if (!effetto.rifiuto && effetti + effetto.byteDecodificati > MaxByteEffetti)
      effetto.rifiuto =
          Rifiuto{Motivo::Effetti, effetti + effetto.byteDecodificati, MaxByteEffetti};
    if (!effetto.rifiuto) effetti += effetto.byteDecodificati;
    esame.suoni[n] = effetto.rifiuto;
    esame.formatiSuoni[n] = FormatoMedia::WAV;
  }
  uint64_t pixel = 0;
  for (size_t n = 0; n < NumeroImmagini; ++n) {
    const std::string& byte = comb.Immagini[n];
    if (byte == ImmagineDefault) continue;
    EsameImmagine immagine = EsaminaImmagine(byte);
    if (!immagine.rifiuto && pixel + immagine.Pixel() > MaxPixelCombinazione)
      immagine.rifiuto =
          Rifiuto{Motivo::PixelCombinazione, pixel + immagine.Pixel(), MaxPixelCombinazione};
    if (!immagine.rifiuto) pixel += immagine.Pixel();
    esame.immagini[n] = immagine;
  }
  if (!comb.FontFile.empty() && !comb.FontFileNome.empty() && comb.FontFileNome != FontFileNessuno)
    esame.font = EsaminaFont(comb.FontFile);
  return esame;
}

}  // namespace Vaglio
