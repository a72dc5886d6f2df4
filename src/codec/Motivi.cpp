// Why the gate refused a slot, in the words skarvex-comb prints.
#include "codec/Vaglio.h"

namespace Vaglio {

std::string Descrivi(const Rifiuto& r) {
  const std::string valore = std::to_string(r.valore), limite = std::to_string(r.limite);
  switch (r.motivo) {
    case Motivo::Formato:
      return "not a kind of file this slot takes";
    case Motivo::Danneggiato:
      return "its header is damaged";
    case Motivo::Pixel:
      return valore + " pixels, over the limit of " + limite + " pixels a picture";
    case Motivo::PixelCombinazione:
      return "with it the pictures hold " + valore + " pixels, over the limit of " + limite +
             " pixels a combination";
    case Motivo::Scansioni:
      return "a progressive JPEG of more than " + limite + " scans";
    case Motivo::Effetto:
      return "decodes to " + valore + " bytes, over the limit of " + limite + " bytes an effect";
    case Motivo::Effetti:
      return "with it the effects decode to " + valore + " bytes, over the limit of " + limite +
             " bytes a combination";
    case Motivo::Midi:
      return "a MIDI file of " + valore + " bytes, over the limit of " + limite + " bytes";
    case Motivo::Font:
      return "a font file of " + valore + " bytes, over the limit of " + limite + " bytes";
    case Motivo::SegmentiJpeg:
      return "a JPEG of more than " + limite + " APPn and comment segments";
    case Motivo::ByteSegmentiJpeg:
      return "a JPEG whose APPn and comment segments hold more than " + limite + " bytes";
    case Motivo::PrecisioneJpeg:
      return "a JPEG of " + valore + " bits a sample; the decoder takes " + limite;
    case Motivo::ProcessoJpeg:
      return "a lossless or hierarchical JPEG, which the decoder does not take";
    case Motivo::IntestazioneBmp:
      return "a BMP header of " + valore + " bytes, a kind the decoder does not take";
    case Motivo::CompressioneBmp:
      return "a BMP of compression " + valore + ", which the decoder does not take";
    case Motivo::PaletteMancante:
      return "a palette PNG with no palette before its pixels";
    case Motivo::NoteTenute:
      return "a MIDI file holding " + valore + " notes at once, over the limit of " + limite;
    case Motivo::NoteTenuteCanale:
      return "a MIDI file holding " + valore + " notes at once on one channel, over the limit of " +
             limite;
    case Motivo::NoteAlSecondo:
      return "a MIDI file striking " + valore + " notes in one second, over the limit of " + limite;
  }
  return {};
}

}  // namespace Vaglio
