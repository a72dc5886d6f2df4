// Building and clearing the alien formation, showing and hiding the walls.
#include "game/GestioneOggetti.h"
#include "model/Gioco.h"

#include <cmath>
#include <limits>

namespace GestioneOggetti {

void CaricaFormazione(Gioco& g) {
  if (g.img_gameover.Visible || g.FormazioneCaricata) return;
  const auto righe = g.RigheDalBasso();
  for (size_t r = 0; r < righe.size(); ++r) {
    float x = PrimaColonna;
    for (int i = 1; i <= 10; ++i) {
      righe[r]->Carica(i);
      Sprite& alieno = (*righe[r])[i];
      alieno.Top = TopRighe[r];
      alieno.Left = x;
      alieno.Visible = true;
      x += PassoColonne;
    }
  }
  g.FormazioneCaricata = true;
}

void ScaricaFormazione(Gioco& g) {
  if (!g.FormazioneCaricata) return;
  for (ArraySprite* riga : g.RigheDalBasso()) {
    for (int i = 1; i <= 10; ++i) riga->Scarica(i);
  }
  g.FormazioneCaricata = false;
}

void MostraMuri(Gioco& g, bool visibile) {
  for (int j = 0; j < g.img_muro.Limite(); ++j) g.img_muro[j].Visible = visibile;
}

int16_t Intero16(float twips) {
  const double intero = std::nearbyint(static_cast<double>(twips));
  if (!(intero > std::numeric_limits<int16_t>::min())) return std::numeric_limits<int16_t>::min();
  if (intero > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  return static_cast<int16_t>(intero);
}

}  // namespace GestioneOggetti
