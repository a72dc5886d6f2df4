// Feeds arbitrary bytes to the game as the state a replay starts from, then plays a
// few seconds of every kind of input on what it took. A state refused must leave the
// game as it was; one taken must play without a fault of any kind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/Partita.h"
#include "replay/StatoPartita.h"
#include "seams/LatiCopione.h"

namespace {

Partita<LatiCopione>& Gioco_() {
  static const std::string cartella = [] {
    std::string modello = "/tmp/skarvex-fuzz-partita-XXXXXX";
    if (!::mkdtemp(modello.data())) std::abort();
    return modello;
  }();
  static Partita<LatiCopione> partita(cartella);
  return partita;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione) {
  Partita<LatiCopione>& p = Gioco_();
  p.g.registroSuoni = nullptr;
  std::string prima, dopo;
  StatoPartita::Fotografa(p.g, prima);
  const std::string_view byte(reinterpret_cast<const char*>(dati), dimensione);
  if (!StatoPartita::Ripristina(p.g, byte)) {
    StatoPartita::Fotografa(p.g, dopo);
    if (dopo != prima) __builtin_trap();
    return 0;
  }
  const Evento mosse[] = {Evento::Carattere(32),
                          Evento::Giu(37),
                          Evento::Giu(39),
                          Evento::Su(37),
                          Evento::Giu(27),
                          Evento::Disattiva(),
                          Evento::Clic(Cartello::NextLevel),
                          Evento::Clic(Cartello::Pausa)};
  for (int i = 0; i < 400; ++i) {
    p.smista.Invia(Evento::Scatto(i % NumeroTimer));
    if (i % 25 == 0) p.smista.Invia(mosse[(i / 25) % std::size(mosse)]);
  }
  return 0;
}
