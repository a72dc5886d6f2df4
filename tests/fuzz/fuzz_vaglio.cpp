// Feeds arbitrary bytes to the gate of a combination's pictures, sounds and font as
// each kind of slot. Whatever it lets through must keep within the budgets, with a
// kind that the bytes really announce.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "codec/DurataMidi.h"
#include "codec/Vaglio.h"

using namespace Vaglio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  const FormatoMedia formato = RiconosciFormato(byte);

  const EsameImmagine immagine = EsaminaImmagine(byte);
  if (!immagine.rifiuto) {
    if (immagine.formato != formato || immagine.larghezza == 0 || immagine.altezza == 0 ||
        immagine.Pixel() > MaxPixelImmagine || immagine.scansioni > MaxScansioniJpeg)
      __builtin_trap();
    if (formato != FormatoMedia::JPG && formato != FormatoMedia::GIF &&
        formato != FormatoMedia::BMP && formato != FormatoMedia::PNG)
      __builtin_trap();
  }

  const EsameEffetto effetto = EsaminaEffetto(byte);
  if (!effetto.rifiuto &&
      (formato != FormatoMedia::WAV || effetto.byteDecodificati > MaxByteEffetto))
    __builtin_trap();

  const EsameMusica musica = EsaminaMusica(byte);
  if (!musica.rifiuto && formato != FormatoMedia::WAV && formato != FormatoMedia::MP3 &&
      !(formato == FormatoMedia::MIDI && dimensione <= MaxByteMidi))
    __builtin_trap();
  if (!musica.rifiuto && formato == FormatoMedia::MIDI) {
    const CaricoMidi carico = MisuraCaricoMidi(byte);
    if (carico.tenute > MaxNoteTenute || carico.tenuteCanale > MaxNoteTenuteCanale ||
        carico.alSecondo > MaxNoteAlSecondo)
      __builtin_trap();
  }

  if (!EsaminaFont(byte) && dimensione > MaxByteFont) __builtin_trap();

  // Refusals say something, in words the tool prints.
  for (const auto& rifiuto : {immagine.rifiuto, effetto.rifiuto, musica.rifiuto})
    if (rifiuto && Descrivi(*rifiuto).empty()) __builtin_trap();
  return 0;
}
