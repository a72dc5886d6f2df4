// The combination menu: Default and one item per combination file.
#include "data/GestioneDatiEsterni.h"
#include "game/Gioco.h"

namespace GestioneDatiEsterni {

void CostruisciMenu(Gioco& g) {
  g.mn_comb.resize(1);
  for (VoceMenu& voce : g.mn_comb) voce.Checked = voce.Caption == g.CombinazioneCorrente;
}

}  // namespace GestioneDatiEsterni
