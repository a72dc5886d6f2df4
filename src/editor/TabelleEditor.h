// The editor window's fixed tables: each image slot's controls, where they sit and
// the picture size recommended for it.
#pragma once

#include "codec/Combinazione.h"
#include "model/ModelloMain.h"

#include <QRect>
#include <QString>

#include <array>

namespace TabelleEditor {

struct SlotImmagine {
  const char* pulsante;    // the picker button, captioned with the slot's name
  const char* casella;     // the path box
  const char* anteprima;   // the preview
  int top;                 // of the button, the "Def" button and the path box
  bool destra;             // in the right-hand column
  int larghezza, altezza;  // the recommended picture size in pixels (the hover hint)
};

// By image slot 0..13. The right-hand column holds PAUSA, NEXT LEVEL, GAME OVER,
// SFONDO from the top down, so slots 11 and 12 swap places there.
inline constexpr std::array<SlotImmagine, NumeroImmagini> SlotImmagini = {{
    {"CB_ali1", "txt_alieno1", "img_primafila_0", 600, false, 150, 150},
    {"CB_ali2", "txt_alieno2", "img_secondafila_0", 960, false, 150, 150},
    {"CB_ali3", "txt_alieno3", "img_terzafila_0", 1320, false, 150, 150},
    {"CB_ali4", "txt_alieno4", "img_quartafila_0", 1680, false, 150, 150},
    {"CB_ali5", "txt_alieno5", "img_quintafila_0", 2040, false, 150, 150},
    {"Cb_proiettileA", "txt_proiettile", "img_proiettilegiocatore", 2400, false, 54, 150},
    {"cb_proiettileN", "txt_proiettileN", "img_proiettilenemico_0", 2760, false, 54, 90},
    {"cb_navBonus", "txt_navbonus", "img_navicellabonus", 3120, false, 300, 200},
    {"cb_naveamica", "txt_naveamica", "img_giocatore", 3480, false, 515, 300},
    {"Cb_mattoncino", "txt_mattoncino", "img_muro_0", 3840, false, 138, 90},
    {"Cb_Pausa", "txt_pausa", "img_pausa", 2400, true, 600, 300},
    {"Cb_go", "txt_go", "img_gameover", 3120, true, 600, 300},
    {"Cb_NextLevel", "txt_nextlevel", "img_nextlevel", 2760, true, 600, 300},
    {"Cb_sfondo", "txt_sfondo", "img_sfondo", 3480, true, 800, 600},
}};

inline constexpr int SlotSfondo = static_cast<int>(::SlotImmagine::Sfondo);

// A rectangle given in twips, in logical pixels.
constexpr QRect Twips(int left, int top, int width, int height) {
  return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel, height / TwipsPerPixel};
}

}  // namespace TabelleEditor
