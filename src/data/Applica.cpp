// Applying the remembered combination to the game, and its label font.
#include "data/GestioneDatiEsterni.h"
#include "game/Gioco.h"

namespace GestioneDatiEsterni {

void ApplicaCombinazione(Gioco& g) {
  g.UsaDefault = true;
  for (int n = 0; n < NumeroImmagini; ++n)
    g.OrigineImmagini[static_cast<size_t>(n)] = QStringLiteral("Default");
  for (int n = 0; n < NumeroSuoni; ++n) {
    g.OrigineSuoni[static_cast<size_t>(n)].clear();
    g.Volumi[static_cast<size_t>(n)] = -1000;
  }
  g.AutoreCombinazione = QStringLiteral("Dorvanel");
  g.CombinazioneCorrente = QStringLiteral("Default");
}

void ApplicaFont(Gioco&) {}

}  // namespace GestioneDatiEsterni
