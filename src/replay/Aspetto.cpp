#include "replay/Aspetto.h"

#include "game/Campo.h"
#include "model/Gioco.h"

void CopiaAspetto(const Gioco& da, Gioco& a) {
  a.Picture = da.Picture;
  for (const Controllo& c : Campo::Controlli()) {
    if (const auto* s = std::get_if<Sprite ModelloMain::*>(&c.membro))
      (a.*(*s)).Picture = (da.*(*s)).Picture;
    if (const auto* s = std::get_if<ArraySprite ModelloMain::*>(&c.membro)) {
      const ArraySprite& origine = da.*(*s);
      ArraySprite& destinazione = a.*(*s);
      for (int i = 0; i < destinazione.Limite(); ++i) {
        if (!destinazione.Esiste(i)) continue;
        const int j = origine.Esiste(i) ? i : 0;
        if (origine.Esiste(j)) destinazione[i].Picture = origine[j].Picture;
      }
    }
  }
  Campo::PerOgniEtichetta(a, [&](const Controllo& c, int indice, Etichetta& e) {
    if (const Etichetta* o = Campo::Elemento<Etichetta>(da, c, indice)) {
      e.Font = o->Font;
      e.ForeColor = o->ForeColor;
      e.Alignment = o->Alignment;
    }
  });
}
