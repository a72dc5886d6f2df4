// The picture of each image slot on the sprites that show it, and the built-in one.
#include "combinations/GestioneDatiEsterni.h"
#include "model/Gioco.h"

namespace GestioneDatiEsterni {

Immagine ImmagineIncorporata(const Gioco& g, int n) {
  return n < g.img_default.Limite() ? g.img_default[n].Picture : Immagine{};
}

namespace {

// The sprite that carries image slot n (element 0 of a set); none for the window's
// background.
template <class G>
auto SpriteDelloSlot(G& g, int n) -> decltype(&g.img_giocatore) {
  using S = SlotImmagine;
  switch (static_cast<S>(n)) {
    case S::PrimaFila:
    case S::SecondaFila:
    case S::TerzaFila:
    case S::QuartaFila:
    case S::QuintaFila:
      return &(*g.RigheDalBasso()[static_cast<size_t>(n)])[0];
    case S::ProiettileGiocatore:
      return &g.img_proiettilegiocatore;
    case S::ProiettileNemico:
      return &g.img_proiettilenemico[0];
    case S::NavicellaBonus:
      return &g.img_navicellabonus;
    case S::Giocatore:
      return &g.img_giocatore;
    case S::Mattoncino:
      return &g.img_muro[0];
    case S::Pausa:
      return &g.img_pausa;
    case S::GameOver:
      return &g.img_gameover;
    case S::NextLevel:
      return &g.img_nextlevel;
    case S::Sfondo:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

Immagine ImmagineSlot(const Gioco& g, int n) {
  const Sprite* sprite = SpriteDelloSlot(g, n);
  return sprite ? sprite->Picture : g.Picture;
}

void ImpostaImmagineSlot(Gioco& g, int n, const Immagine& immagine, bool tutti) {
  const auto slot = static_cast<SlotImmagine>(n);
  if (slot == SlotImmagine::Sfondo) {
    g.Picture = immagine;
    return;
  }
  Sprite* sprite = SpriteDelloSlot(g, n);
  if (!sprite) return;
  sprite->Picture = immagine;
  if (!tutti) return;
  if (slot == SlotImmagine::ProiettileNemico) {
    for (int k = 1; k < g.img_proiettilenemico.Limite(); ++k)
      g.img_proiettilenemico[k].Picture = immagine;
  } else if (slot == SlotImmagine::Mattoncino) {
    for (int j = 1; j < g.img_muro.Limite(); ++j) g.img_muro[j].Picture = immagine;
  }
}

}  // namespace GestioneDatiEsterni
