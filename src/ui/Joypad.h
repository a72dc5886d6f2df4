// Gamepads: any controller whose layout SDL knows (its game-controller mappings),
// plugged in before the game or while it runs, plays as the keys do. The D-pad and
// the left stick are the arrows, A and B the space bar, Start is Esc while a game is
// being played and the space bar otherwise. What they do reaches the window's key
// handlers with the game's key codes, so every rule of the keys holds for them.
#pragma once

#include <QObject>
#include <QTimer>

#include <SDL_events.h>
#include <SDL_gamecontroller.h>

#include <map>
#include <set>
#include <utility>

class FinestraPrincipale;
class Gioco;

class Joypad final : public QObject {
 public:
  Joypad(FinestraPrincipale& finestra, const Gioco& g);
  ~Joypad() override;
  Joypad(const Joypad&) = delete;
  Joypad& operator=(const Joypad&) = delete;

  // Opens SDL's game controllers and listens to them, and to controllers plugged in
  // or out later. When SDL cannot, the game goes on without gamepads and says so
  // once on standard error. SDL looks for devices, which takes milliseconds the
  // start of the game should not wait for: the program opens them after its first
  // frame.
  bool Apri();
  // Hands what the controllers did since the last call to the window; the timer
  // calls it.
  void Leggi();

 private:
  // One control of one controller: a button of the table, or its left stick.
  using Fonte = std::pair<SDL_JoystickID, int>;

  void Evento(const SDL_Event& evento);
  void Collega(int indice);
  void Scollega(SDL_JoystickID id);
  void Tieni(Fonte fonte, int codice);
  void Rilascia();
  int Tiene(Fonte fonte) const;
  bool Tenuto(int codice) const;

  FinestraPrincipale& m_finestra;
  const Gioco& g;
  QTimer m_timer;
  bool m_aperto = false;
  bool m_inLettura = false;
  std::map<SDL_JoystickID, SDL_GameController*> m_controller;
  // The key each control holds down, for the controls that hold one.
  std::map<Fonte, int> m_tenuti;
  // The keys the window was told are down and not yet told are up.
  std::set<int> m_premuti;
};
