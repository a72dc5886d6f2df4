#include "sound/Suoni.h"

#include "model/Gioco.h"
#include "sound/dShow.h"

namespace Suoni {

std::unique_ptr<Effetto> CreaBufferSuono(Gioco& g, const std::filesystem::path& percorso) {
  return g.audio.CreaEffetto(percorso);
}

void SuonaSlot(Gioco& g, SlotSuono slot) {
  const int n = static_cast<int>(slot);
  if (g.registroSuoni) g.registroSuoni->push_back(n);
  if (!g.AudioAttivo) return;
  // The music is never played as an effect.
  if (slot == SlotSuono::Motivo || g.Comb.Suoni[static_cast<size_t>(n)].empty()) return;
  const auto& buffer = g.BufferSuoni[static_cast<size_t>(n)];
  if (!buffer) return;
  g.audio.Suona(n, *buffer, g.Volumi[static_cast<size_t>(n)], false);
}

void AvviaMusica(Gioco& g) {
  if (!g.AudioAttivo) return;
  dShow::RiproduciDallInizio(g);
  int32_t volume = g.ProvaMusica ? g.VolumiEditor[0] : g.Volumi[0];
  dShow::VolumeMusica(g, volume);
}

}  // namespace Suoni
