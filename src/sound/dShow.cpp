#include "sound/dShow.h"

#include <algorithm>

#include "codec/Combinazione.h"
#include "sound/Suoni.h"
#include "model/Gioco.h"

namespace dShow {

namespace {

// A music the device stopped as too heavy to play is closed by now: the player is
// told, in the words applying uses for a slot it can't use (or, for the editor's
// trial of a file, plainly), and it stays silent until a combination is applied again.
void AvvisaSeInterrotta(Gioco& g) {
  if (!g.audio.MusicaInterrotta()) return;
  const QString motivo = QStringLiteral("richiede più di metà del tempo del processore");
  g.dialoghi.MsgBox(
      g.ProvaMusica
          ? QStringLiteral("La musica è stata fermata: suonarla %1.").arg(motivo)
          : AvvisoInutilizzabili(
                g.CombinazioneCorrente,
                QStringLiteral("%1 (suonarlo %2)").arg(QString::fromUtf8(NomiSuoni[0]), motivo)),
      Pulsanti::OK, Icona::Esclamazione, Firma());
}

}  // namespace

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
  AvvisaSeInterrotta(g);
  if (g.Comb.Suoni[0].empty() || !g.AudioAttivo) return;
  if (MusicaFinita(g)) Suoni::AvviaMusica(g);
}

bool MusicaFinita(Gioco& g) {
  AvvisaSeInterrotta(g);  // the editor's trial asks this alone
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
