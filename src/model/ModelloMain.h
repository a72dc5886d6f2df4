// The model of the main window frm_main: every sprite, label, timer and menu item
// of the playfield, with its design-time values. Client area 11910 x 8220 twips.
// The table in game/Campo.cpp names them and says how each is drawn and clicked.
#pragma once

#include <array>

#include "model/Modello.h"

constexpr float LarghezzaCampo = 11910;
constexpr float AltezzaCampo = 8220;
constexpr int TwipsPerPixel = 15;  // at normal display density

constexpr uint32_t VerdeEtichette = Rgb(0, 192, 0);
constexpr uint32_t GrigioSitelink = Rgb(192, 192, 192);

// The built-in pictures, by element of img_default.
namespace ImmaginiDefault {
constexpr int PrimaFila = 0, SecondaFila = 1, TerzaFila = 2, QuartaFila = 3, QuintaFila = 4;
constexpr int ProiettileGiocatore = 5, ProiettileNemico = 6, NavicellaBonus = 7, Giocatore = 8;
constexpr int Mattoncino = 9, Pausa = 10, GameOver = 11, NextLevel = 12;
constexpr int Numero = 13;
}  // namespace ImmaginiDefault

struct ModelloMain {
  ModelloMain();

  // Sprites.
  Sprite img_giocatore;
  Sprite img_proiettilegiocatore;
  ArraySprite img_proiettilenemico;  // 0..2
  Sprite img_navicellabonus;
  ArraySprite img_primafila;  // 0 + 1..10 at run time; the lowest row
  ArraySprite img_secondafila;
  ArraySprite img_terzafila;
  ArraySprite img_quartafila;
  ArraySprite img_quintafila;   // the top row
  ArraySprite img_muro;         // 0..47, four walls of twelve
  ArraySprite img_viterimaste;  // 0..2
  Sprite img_gameover;
  Sprite img_nextlevel;
  Sprite img_pausa;
  ArraySprite img_default;  // 0..12, never shown
  Immagine Picture;         // the window's background picture

  // Labels.
  Etichetta Label1, lbl_punteggio, Label2, lbl_level, Label3, lbl_nomer, lbl_record;
  Etichetta lbl_hiscore;
  std::array<Etichetta, 11> lbl_namer, lbl_puntir, lbl_livellor;  // 0 is the heading row
  Etichetta lbl_puntinavicella, lbl_default, lbl_sitelink;

  // Timers, in the order in which those due at the same instant fire.
  Timer tmr_sposta{"tmr_sposta", 25};
  Timer tmr_proiettile{"tmr_proiettile", 50};
  Timer tmr_proiettilenemico{"tmr_proiettilenemico", 90};
  Timer tmr_rinascita{"tmr_rinascita", 500};
  Timer tmr_spostamentonemici{"tmr_spostamentonemici", 800};
  Timer tmr_puntibonus{"tmr_puntibonus", 2500};

  // Menus.
  VoceMenu mn_file, mn_esci;
  VoceMenu mn_opzioni, mn_immagini, mn_attiva;
  VoceMenu mn_combinazioni;
  std::vector<VoceMenu> mn_comb;  // 0 is "Default"; the others list the combination files
  VoceMenu mn_help, mn_aiuto, mn_about;

  QString Caption;

  // The five alien rows, bottom first (img_primafila .. img_quintafila).
  std::array<ArraySprite*, 5> RigheDalBasso();
  std::array<const ArraySprite*, 5> RigheDalBasso() const;
  // The six timers, in the order in which those due together fire.
  std::array<Timer*, 6> Timers();
  std::array<const Timer*, 6> Timers() const;
};
