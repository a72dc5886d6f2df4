// The playfield in one table: every control of the main window, with where the model
// keeps it, where it stands in the drawing and which handler of frm_main takes its
// click. The painter, the window's clicks and menus, the runner's names and the
// snapshot all walk this table, so a new sprite is one entry here (and its member in
// ModelloMain). The labels a combination's font reaches are listed where it is put on
// them (combinations/Font.cpp).
#pragma once

#include <array>
#include <span>
#include <type_traits>
#include <variant>
#include <vector>

#include <QString>

#include "model/ModelloMain.h"

class Gioco;
class frm_main;

// How many elements a control has.
enum class Estensione {
  Uno,      // a single control, named "img_x"
  Fisso,    // a control array whose elements all exist from the start, "img_x(i)"
  Caricato  // elements are loaded and unloaded at run time; a sprite array's element 0
            // is the one the others copy, and is never drawn
};

// The stacking order, bottom to top. Controls of one layer are drawn in table order;
// the high-score table is drawn row by row (name, points and level of a row, then the
// next row). Hidden pictures and menus are in no layer.
enum class Strato {
  Nessuno,
  Muri,
  Alieni,
  Navicella,
  Proiettili,
  Cannone,
  Cartelli,  // game over, next level, pause: the pause banner above the others
  Scritte,
  Record,
  Avvisi,
};

// Where the model keeps a control.
using Membro = std::variant<Sprite ModelloMain::*, ArraySprite ModelloMain::*,
                            Etichetta ModelloMain::*, std::array<Etichetta, 11> ModelloMain::*,
                            VoceMenu ModelloMain::*, std::vector<VoceMenu> ModelloMain::*>;

struct Controllo {
  const char* nome;
  Estensione estensione = Estensione::Uno;
  Membro membro;
  Strato strato = Strato::Nessuno;
  void (frm_main::*click)() = nullptr;           // a click on the control, or on the menu item
  void (frm_main::*clickIndice)(int) = nullptr;  // a click on an element of a menu array
  // A menu item: the menu it drops from (none for the menu bar's own menus), and
  // whether it shows a check mark.
  VoceMenu ModelloMain::*menu = nullptr;
  bool spunta = false;

  bool EVoce() const {
    return std::holds_alternative<VoceMenu ModelloMain::*>(membro) ||
           std::holds_alternative<std::vector<VoceMenu> ModelloMain::*>(membro);
  }
};

namespace Campo {

// Every control. Within a layer, the table order is the drawing order.
std::span<const Controllo> Controlli();
// The control called `nome` (no element index), or none.
const Controllo* Trova(const QString& nome);
// "img_x" for a single control, "img_x(i)" for element i of an array.
QString NomeElemento(const Controllo& c, int indice);

namespace dettaglio {

template <class M, class T>
using Come = std::conditional_t<std::is_const_v<M>, const T, T>;

// Calls f(control, index, element) on every element of an array member of `m` that
// exists (index -1 for a single control). T is the element type.
template <class T, class M, class F>
void Elementi(M& m, const Controllo& c, F&& f) {
  if (const auto* p = std::get_if<T ModelloMain::*>(&c.membro)) {
    f(c, -1, static_cast<Come<M, ModelloMain>&>(m).*(*p));
    return;
  }
  if constexpr (std::is_same_v<T, Sprite>) {
    if (const auto* p = std::get_if<ArraySprite ModelloMain::*>(&c.membro)) {
      auto& array = static_cast<Come<M, ModelloMain>&>(m).*(*p);
      for (int i = 0; i < array.Limite(); ++i) {
        if (array.Esiste(i)) f(c, i, array[i]);
      }
    }
  } else if constexpr (std::is_same_v<T, Etichetta>) {
    if (const auto* p = std::get_if<std::array<Etichetta, 11> ModelloMain::*>(&c.membro)) {
      auto& array = static_cast<Come<M, ModelloMain>&>(m).*(*p);
      for (size_t i = 0; i < array.size(); ++i) f(c, static_cast<int>(i), array[i]);
    }
  } else {
    if (const auto* p = std::get_if<std::vector<VoceMenu> ModelloMain::*>(&c.membro)) {
      auto& array = static_cast<Come<M, ModelloMain>&>(m).*(*p);
      for (size_t i = 0; i < array.size(); ++i) f(c, static_cast<int>(i), array[i]);
    }
  }
}

}  // namespace dettaglio

// Calls f(control, index, element) on every sprite, label or menu item that exists,
// in table order; the index is -1 for a single control.
template <class M, class F>
void PerOgniSprite(M& m, F&& f) {
  for (const Controllo& c : Controlli()) dettaglio::Elementi<Sprite>(m, c, f);
}
template <class M, class F>
void PerOgniEtichetta(M& m, F&& f) {
  for (const Controllo& c : Controlli()) dettaglio::Elementi<Etichetta>(m, c, f);
}
template <class M, class F>
void PerOgniVoce(M& m, F&& f) {
  for (const Controllo& c : Controlli()) dettaglio::Elementi<VoceMenu>(m, c, f);
}

// Element `indice` of a control (-1 for a single control) when it exists, or null.
template <class T, class M>
dettaglio::Come<M, T>* Elemento(M& m, const Controllo& c, int indice) {
  dettaglio::Come<M, T>* trovato = nullptr;
  dettaglio::Elementi<T>(m, c, [&](const Controllo&, int i, auto& elemento) {
    if (i == indice) trovato = &elemento;
  });
  return trovato;
}

// Calls f(control) on every control that is drawn, bottom to top, or top to bottom.
template <class F>
void PerOgniStrato(F&& f, bool dallAlto = false) {
  const auto controlli = Controlli();
  for (int s = static_cast<int>(Strato::Muri); s <= static_cast<int>(Strato::Avvisi); ++s) {
    const auto strato = static_cast<Strato>(
        dallAlto ? static_cast<int>(Strato::Avvisi) + static_cast<int>(Strato::Muri) - s : s);
    for (size_t k = 0; k < controlli.size(); ++k) {
      const Controllo& c = controlli[dallAlto ? controlli.size() - 1 - k : k];
      if (c.strato == strato) f(c);
    }
  }
}

// Calls sprite(const Sprite&) on every sprite and etichetta(const Etichetta&) on every
// label in drawing order, bottom to top; nothing is allocated.
template <class FS, class FE>
void PerOgniDisegnato(const ModelloMain& m, FS&& sprite, FE&& etichetta) {
  const auto disegna = [&](const Controllo& c, int indice, const auto& elemento) {
    if (c.estensione == Estensione::Caricato && indice == 0) return;
    if constexpr (std::is_same_v<std::decay_t<decltype(elemento)>, Sprite>) {
      sprite(elemento);
    } else {
      etichetta(elemento);
    }
  };
  const auto controlli = Controlli();
  for (int s = static_cast<int>(Strato::Muri); s <= static_cast<int>(Strato::Avvisi); ++s) {
    const auto strato = static_cast<Strato>(s);
    if (strato == Strato::Record) {
      for (size_t riga = 0; riga < 11; ++riga) {
        for (const Controllo& c : controlli) {
          const auto* p = std::get_if<std::array<Etichetta, 11> ModelloMain::*>(&c.membro);
          if (c.strato == strato && p) etichetta((m.*(*p))[riga]);
        }
      }
      continue;
    }
    for (const Controllo& c : controlli) {
      if (c.strato != strato) continue;
      dettaglio::Elementi<Sprite>(m, c, disegna);
      dettaglio::Elementi<Etichetta>(m, c, disegna);
    }
  }
}

}  // namespace Campo
