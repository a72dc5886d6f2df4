// Writes the demo combination (the build names the file, Notturno.skcom): our own artwork in night
// colours, a starry background and synthesized sounds, so that a newcomer can try the skin
// mechanism at once. The build runs it; the same bytes come out every time.
#include "codec/Combinazione.h"
#include "drawing/ImmaginiIncorporate.h"
#include "tools/demo/Quadri.h"
#include "tools/demo/Sintesi.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int SlotSfondo = static_cast<int>(SlotImmagine::Sfondo);

TipoCombinazione Notturno() {
  TipoCombinazione comb;
  comb.Nome = "Notturno";
  comb.Autore = "Squadra SKARVEX";
  const ImmaginiIncorporate originali;
  for (int n = 0; n < SlotSfondo; ++n)
    comb.Immagini[n] = QuadriDemo::Immagine(originali, n).toStdString();
  comb.Immagini[SlotSfondo] = QuadriDemo::Sfondo().toStdString();

  comb.Suoni[0] = Sintesi::Wav(Sintesi::Motivo());
  comb.Volumi[0] = -1500;  // the tune sits under the effects
  for (int n = 1; n < NumeroSuoni; ++n) {
    comb.Suoni[n] = Sintesi::Wav(Sintesi::Effetto(n));
    comb.Volumi[n] = -1000;
  }

  comb.FontNome = "DejaVu Sans Mono";
  comb.FontDimensione = "13.5";
  comb.FontColore = std::to_string(0 + 224 * 256 + 255 * 65536);  // cyan; red is the low byte
  comb.FontGrassetto = true;
  comb.FontCorsivo = false;
  return comb;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: %s FILE\n", argc > 0 ? argv[0] : "skarvex-demo");
    return 2;
  }
  const std::filesystem::path file = argv[1];
  const Esito esito = ScriviFileCombinazione(file, Notturno());
  if (!esito) {
    std::fprintf(stderr, "skarvex-demo: %s\n", esito.errore().c_str());
    return 1;
  }
  return 0;
}
