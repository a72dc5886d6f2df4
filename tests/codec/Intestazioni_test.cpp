// The gate's refusals that a header shows before any decoding: JPEG segment floods,
// pictures of kinds the decoders do not take, and music that would take the
// synthesizer. What the gate refuses as undecodable, the decoder indeed refuses; what
// it lets through near each limit, the decoder reads.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "codec/Vaglio.h"
#include "support/MediaOstili.h"
#include "support/MediaProva.h"

using namespace Vaglio;
namespace mo = media_ostili;

namespace {

// A BMP of 4 x 4 pixels with a header of `intestazione` bytes (12: OS/2's) and the
// fields that say how its pixels are stored, followed by `pixel` bytes.
std::string BmpCon(uint32_t intestazione, uint16_t bit, uint32_t compressione = 0,
                   uint32_t colori = 0, uint16_t piani = 1, size_t pixel = 64) {
  std::string h = Le(intestazione, 4);
  if (intestazione == 12) {
    h += Le(4, 2) + Le(4, 2) + Le(piani, 2) + Le(bit, 2);
  } else {
    h += Le(4, 4) + Le(4, 4) + Le(piani, 2) + Le(bit, 2) + Le(compressione, 4) + Le(0, 4) +
         Le(2835, 4) + Le(2835, 4) + Le(colori, 4) + Le(0, 4);
    h.resize(intestazione, '\0');
  }
  const uint32_t tavolozza = bit <= 8 ? std::min(colori ? colori : 1u << bit, 256u) * 4 : 0;
  return "BM" + Le(0, 4) + Le(0, 4) + Le(14 + intestazione + tavolozza, 4) + h +
         std::string(tavolozza, '\x40') + std::string(pixel, '\x11');
}

std::string Png(QImage::Format formato, int lato = 8) {
  QImage immagine(lato, lato, formato);
  if (formato == QImage::Format_Indexed8) immagine.setColorTable({qRgb(0, 0, 0), qRgb(9, 9, 9)});
  immagine.fill(1);
  return CodificaImmagine(immagine, "png");
}

// A PNG's chunk of that type taken out whole.
std::string Senza(std::string png, const char* tipo) {
  const size_t i = png.find(tipo) - 4;
  const uint32_t lunghezza =
      static_cast<unsigned char>(png[i + 2]) << 8 | static_cast<unsigned char>(png[i + 3]);
  return png.erase(i, 12 + lunghezza);
}

// A PNG's IHDR with its depth and colour type changed (its checksum then fails too).
std::string ConIhdr(std::string png, char bit, char tipo) {
  png[24] = bit;
  png[25] = tipo;
  return png;
}

enum class Decoder { Legge, Rifiuta, NonProvato };

bool Decodifica(const std::string& byte) {
  const char* formati[] = {"jpeg", "gif", "bmp", "png"};
  const auto formato = static_cast<size_t>(RiconosciFormato(byte));
  QByteArray dati = QByteArray::fromStdString(byte);
  QBuffer sorgente(&dati);
  sorgente.open(QIODevice::ReadOnly);
  QImageReader lettore(&sorgente, formati[formato]);
  lettore.setAutoDetectImageFormat(false);
  return !lettore.read().isNull();
}

}  // namespace

TEST(Intestazioni, WhatTheGateRefusesAtTheHeaderTheDecoderOrTheSynthesizerCouldNotTake) {
  const std::string jpeg = mo::Jpeg();
  const struct {
    const char* cosa;
    std::string byte;
    std::optional<Motivo> motivo = std::nullopt;  // none: let through
    Decoder decoder = Decoder::NonProvato;
  } casi[] = {
      // Qt's JPEG carries one APP0 segment of its own.
      {"999 empty APP1 segments", mo::ConSegmenti(jpeg, 0xE1, 999), {}, Decoder::Legge},
      {"1000 empty APP1 segments", mo::ConSegmenti(jpeg, 0xE1, 1000), Motivo::SegmentiJpeg},
      {"500 APP2 and 500 comment segments",
       mo::ConSegmenti(mo::ConSegmenti(jpeg, 0xE2, 500), 0xFE, 500), Motivo::SegmentiJpeg},
      {"an ICC profile of 255 full APP2 segments",
       mo::ConSegmenti(jpeg, 0xE2, 255, 65533),
       {},
       Decoder::Legge},
      {"257 full comment segments", mo::ConSegmenti(jpeg, 0xFE, 257, 65533),
       Motivo::ByteSegmentiJpeg},
      {"arithmetic coding", mo::ConFrame(jpeg, 0xC9, 8), {}, Decoder::Legge},
      {"12 bits, extended", mo::ConFrame(jpeg, 0xC1, 12), Motivo::PrecisioneJpeg, Decoder::Rifiuta},
      {"lossless", mo::ConFrame(jpeg, 0xC3, 8), Motivo::ProcessoJpeg, Decoder::Rifiuta},
      {"hierarchical", mo::ConFrame(jpeg, 0xC5, 8), Motivo::ProcessoJpeg, Decoder::Rifiuta},

      {"BMP, v4 header", BmpCon(108, 24), {}, Decoder::Legge},
      {"BMP, OS/2 header, 16 bits", BmpCon(12, 16), {}, Decoder::Legge},
      {"BMP, 8-bit run lengths", BmpCon(40, 8, 1), {}, Decoder::Legge},
      {"BMP, a 56-byte header", BmpCon(56, 24), Motivo::IntestazioneBmp, Decoder::Rifiuta},
      {"BMP holding a JPEG", BmpCon(40, 24, 4), Motivo::CompressioneBmp, Decoder::Rifiuta},
      {"BMP, 24-bit run lengths", BmpCon(40, 24, 1), Motivo::Danneggiato, Decoder::Rifiuta},
      {"BMP, 7 bits a pixel", BmpCon(40, 7), Motivo::Danneggiato, Decoder::Rifiuta},
      {"BMP, two planes", BmpCon(40, 24, 0, 0, 2), Motivo::Danneggiato, Decoder::Rifiuta},
      {"BMP, 257 colours", BmpCon(40, 8, 0, 257), Motivo::Danneggiato, Decoder::Rifiuta},
      {"BMP, no pixels", BmpCon(40, 24, 0, 0, 1, 0), Motivo::Danneggiato, Decoder::Rifiuta},

      {"PNG, palette", Png(QImage::Format_Indexed8), {}, Decoder::Legge},
      {"PNG, 16-bit colour", Png(QImage::Format_RGBX64), {}, Decoder::Legge},
      {"PNG, palette but none", Senza(Png(QImage::Format_Indexed8), "PLTE"),
       Motivo::PaletteMancante, Decoder::Rifiuta},
      {"PNG, 16-bit palette", ConIhdr(Png(QImage::Format_Indexed8), 16, 3), Motivo::Danneggiato},
      {"PNG, 4-bit colour", ConIhdr(Png(QImage::Format_RGB32), 4, 2), Motivo::Danneggiato},

      {"MIDI, 256 notes held", mo::MidiNoteTenute(256)},
      {"MIDI, 257 notes held", mo::MidiNoteTenute(257), Motivo::NoteTenute},
      {"MIDI, 64 notes held on a channel", mo::MidiNoteTenute(64, 1)},
      {"MIDI, 65 notes held on a channel", mo::MidiNoteTenute(65, 1), Motivo::NoteTenuteCanale},
      {"MIDI, 1000 notes struck at once", mo::MidiRaffica(1000, 0)},
      {"MIDI, 1001 notes struck at once", mo::MidiRaffica(1001, 0), Motivo::NoteAlSecondo},
      {"MIDI, 192 notes a second for a minute", mo::MidiRaffica(192 * 60, 1)},
      {"MIDI of 4 MiB", mo::MidiDiByte(MaxByteMidi)},
      {"MIDI of 4 MiB and a byte", mo::MidiDiByte(MaxByteMidi + 1), Motivo::Midi},
  };
  for (const auto& caso : casi) {
    const bool musica = RiconosciFormato(caso.byte) == FormatoMedia::MIDI;
    const std::optional<Rifiuto> rifiuto =
        musica ? EsaminaMusica(caso.byte).rifiuto : EsaminaImmagine(caso.byte).rifiuto;
    EXPECT_EQ(rifiuto ? std::optional(rifiuto->motivo) : std::nullopt, caso.motivo) << caso.cosa;
    if (rifiuto) {
      EXPECT_FALSE(Descrivi(*rifiuto).empty()) << caso.cosa;
    }
    if (caso.decoder != Decoder::NonProvato) {
      EXPECT_EQ(Decodifica(caso.byte), caso.decoder == Decoder::Legge) << caso.cosa;
    }
  }
}
