// The picture of each image slot on the sprites that show it, and the built-in one.
#include "combinations/GestioneDatiEsterni.h"
#include "model/Gioco.h"

namespace GestioneDatiEsterni {

Immagine ImmagineIncorporata(const Gioco& g, int n) {
  return n < g.img_default.Limite() ? g.img_default[n].Picture : Immagine{};
}

namespace {

// The sprite that carries image slot n (element 0 of a set); none for slot 13,
// the window's background.
template <class G>
auto SpriteDelloSlot(G& g, int n) -> decltype(&g.img_giocatore) {
  switch (n) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return &(*g.RigheDalBasso()[static_cast<size_t>(n)])[0];
    case 5:
      return &g.img_proiettilegiocatore;
    case 6:
      return &g.img_proiettilenemico[0];
    case 7:
      return &g.img_navicellabonus;
    case 8:
      return &g.img_giocatore;
    case 9:
      return &g.img_muro[0];
    case 10:
      return &g.img_pausa;
    case 11:
      return &g.img_gameover;
    case 12:
      return &g.img_nextlevel;
    default:
      return nullptr;
  }
}

}  // namespace

Immagine ImmagineSlot(const Gioco& g, int n) {
  const Sprite* sprite = SpriteDelloSlot(g, n);
  return sprite ? sprite->Picture : g.Picture;
}

void ImpostaImmagineSlot(Gioco& g, int n, const Immagine& immagine, bool tutti) {
  if (n == 13) {
    g.Picture = immagine;
    return;
  }
  Sprite* sprite = SpriteDelloSlot(g, n);
  if (!sprite) return;
  sprite->Picture = immagine;
  if (!tutti) return;
  if (n == 6) {
    for (int k = 1; k < g.img_proiettilenemico.Limite(); ++k)
      g.img_proiettilenemico[k].Picture = immagine;
  } else if (n == 9) {
    for (int j = 1; j < g.img_muro.Limite(); ++j) g.img_muro[j].Picture = immagine;
  }
}

}  // namespace GestioneDatiEsterni
