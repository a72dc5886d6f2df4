#include "sound/dShow.h"

#include <algorithm>

#include "sound/Effetti.h"
#include "model/Gioco.h"

namespace dShow {

void ApriMusica(Gioco& g, const std::filesystem::path& percorso) {
  ChiudiMusica(g);
  if (g.audio.ApriMusica(percorso)) {
    int32_t pieno = 0;
    VolumeMusica(g, pieno);
  }
}

void RiproduciDallInizio(Gioco& g) {
  g.audio.RiproduciDallInizio();
}

void FermaMusica(Gioco& g) {
  g.audio.FermaMusica();
}

void ControllaCicloMusica(Gioco& g) {
  if (g.Comb.Suoni[0].empty() || !g.AudioAttivo) return;
  if (MusicaFinita(g)) GestioneDatiEsterni::AvviaMusica(g);
}

bool MusicaFinita(Gioco& g) {
  // Still playing while the duration is beyond the position.
  return g.audio.MusicaAperta() && !(DurataMusica(g) > PosizioneMusica(g));
}

double DurataMusica(Gioco& g) {
  return g.audio.DurataMusica();
}

double PosizioneMusica(Gioco& g) {
  return g.audio.PosizioneMusica();
}

void VolumeMusica(Gioco& g, int32_t& volume) {
  volume = std::clamp<int32_t>(volume, -10000, 0);
  g.audio.VolumeMusica(volume);
}

void ChiudiMusica(Gioco& g) {
  g.audio.ChiudiMusica();
}

}  // namespace dShow
