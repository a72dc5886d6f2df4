// The program-wide variables: the game state, the active combination and its
// globals, the high-score table and the editor's working values. Every variable
// starts at 0 / false / empty when the program starts.
#pragma once

#include <array>
#include <cstdint>

#include <QString>

#include "codec/Combinazione.h"

struct Variabili {
  // Game state.
  bool Sinistra = false;     // the left arrow is held
  bool Destra = false;       // the right arrow is held
  bool VersoDestra = false;  // the formation marches right; never reset
  int PassiSparo = 0;        // march steps since the aliens last fired
  int64_t Punteggio = 0;     // the score; 64-bit so no level can overflow it
  int PassiNavicella = 0;    // march steps towards the bonus ship
  int Livello = 0;
  int NemiciRimasti = 0;
  int Vite = 0;  // spare cannons, as many as the life icons shown
  bool Pausa = false;
  bool FormazioneCaricata = false;  // elements 1..10 of the alien rows exist

  // The active combination.
  TipoCombinazione Comb;
  bool AudioAttivo = false;
  bool UsaDefault = false;
  QString CombinazioneCorrente;
  QString AutoreCombinazione;
  QString PasswordCombinazione;
  QString FontNome;
  QString FontDimensione;
  QString FontColore;
  bool FontGrassetto = false;
  bool FontCorsivo = false;
  std::array<int32_t, 17> Volumi{};         // slots 0..15; 16 is never used
  std::array<QString, 21> OrigineImmagini;  // slots 0..13
  std::array<QString, 17> OrigineSuoni;     // slots 0..15

  // The high-score table: entries 1..10, best first; 0 and 11 stay empty.
  std::array<QString, 12> RecordNomi;
  std::array<int64_t, 12> RecordPunti{};
  std::array<int64_t, 12> RecordLivelli{};

  // The editor's working values.
  std::array<int32_t, 17> VolumiEditor{};
  QString CombinazioneInModifica;
  std::array<QString, NumeroImmagini> PercorsiImmagini;
  QString EditorFontNome;
  QString EditorFontDimensione;
  QString EditorFontColore;
  bool EditorFontGrassetto = false;
  bool EditorFontCorsivo = false;
  bool ProvaMusica = false;  // the editor's music trial button chk_play(0) is down
};
