// Gamepads, played through SDL's virtual joystick into the real window (offscreen)
// over the scripted game: they reach the key handlers as the keys do.
#include <QApplication>
#include <QWidget>

#include <SDL.h>

#include <gtest/gtest.h>

#include "support/Banco.h"
#include "ui/FinestraPrincipale.h"
#include "ui/Joypad.h"

namespace {

// A controller with the standard buttons and axes, which SDL maps as a game
// controller: plugged in when made, unplugged when it goes.
struct ControllerVirtuale {
  ControllerVirtuale() {
    SDL_VirtualJoystickDesc descrizione{};
    descrizione.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    descrizione.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    descrizione.naxes = SDL_CONTROLLER_AXIS_MAX;
    descrizione.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    descrizione.name = "Controller di prova";
    joystick = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&descrizione));
  }
  ~ControllerVirtuale() { Scollega(); }
  void Pulsante(SDL_GameControllerButton pulsante, bool premuto) {
    SDL_JoystickSetVirtualButton(joystick, pulsante, premuto ? SDL_PRESSED : SDL_RELEASED);
  }
  void Levetta(int16_t valore) {
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, valore);
  }
  void Scollega() {
    if (!joystick) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
    SDL_JoystickClose(std::exchange(joystick, nullptr));
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  }

  SDL_Joystick* joystick = nullptr;
};

// The game at start-up in its window, the window active, with its gamepads open.
struct Gamepad : ::testing::Test, Banco {
  Gamepad() : finestra(g, frm, smista), joypad(finestra, g) {
    Avvia();
    finestra.Aggiorna();
    finestra.show();
    QApplication::setActiveWindow(&finestra);
  }
  void SetUp() override { ASSERT_TRUE(joypad.Apri()); }

  // A button pressed or released (both, by default), and the gamepads read.
  void Pulsante(ControllerVirtuale& c, SDL_GameControllerButton pulsante,
                std::initializer_list<bool> premuto = {true, false}) {
    for (bool p : premuto) {
      c.Pulsante(pulsante, p);
      joypad.Leggi();
    }
  }

  FinestraPrincipale finestra;
  Joypad joypad;
};

// Once open, the gamepads take a controller plugged in later; its D-pad and stick
// are the arrows, A the space bar, Start the space bar or Esc.
TEST_F(Gamepad, AControllerPluggedInAfterTheStartPlaysAsTheKeys) {
  ControllerVirtuale pad;
  ASSERT_TRUE(pad.joystick);
  joypad.Leggi();

  Pulsante(pad, SDL_CONTROLLER_BUTTON_START);  // a new game, without a shot
  ASSERT_FALSE(g.img_gameover.Visible);
  EXPECT_FALSE(g.img_proiettilegiocatore.Visible);
  Pulsante(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_TRUE(g.img_proiettilegiocatore.Visible);

  Pulsante(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, {true});
  Attendi(250);
  EXPECT_EQ(g.img_giocatore.Left, 5520 - 10 * 100);
  Pulsante(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT, {false});
  Attendi(250);
  EXPECT_EQ(g.img_giocatore.Left, 5520 - 10 * 100);

  // Past half its way the stick holds an arrow, and lets go only back within a quarter.
  const std::tuple<int16_t, bool, bool> levetta[] = {
      {12000, false, false}, {20000, false, true}, {9000, false, true},   {7000, false, false},
      {-20000, true, false}, {20000, false, true}, {-9000, false, false}, {0, false, false}};
  for (const auto& [valore, sinistra, destra] : levetta) {
    pad.Levetta(valore);
    joypad.Leggi();
    EXPECT_EQ(std::pair(g.Sinistra, g.Destra), std::pair(sinistra, destra)) << valore;
  }

  Pulsante(pad, SDL_CONTROLLER_BUTTON_START);  // pauses
  EXPECT_TRUE(g.Pausa && g.img_pausa.Visible);
  Pulsante(pad, SDL_CONTROLLER_BUTTON_START);  // resumes
  EXPECT_FALSE(g.Pausa || g.img_pausa.Visible);
}

// An arrow is held while any control of any controller holds it; unplugging a
// controller lets go of what it held, also with another window in front, where a
// press does nothing.
TEST_F(Gamepad, AnArrowIsHeldUntilTheLastControlLetsGoOrIsUnplugged) {
  ControllerVirtuale uno, due;
  joypad.Leggi();
  Pulsante(uno, SDL_CONTROLLER_BUTTON_START);

  Pulsante(uno, SDL_CONTROLLER_BUTTON_DPAD_LEFT, {true});
  uno.Levetta(-30000);
  Pulsante(due, SDL_CONTROLLER_BUTTON_DPAD_LEFT, {true});
  Pulsante(uno, SDL_CONTROLLER_BUTTON_DPAD_LEFT, {false});
  EXPECT_TRUE(g.Sinistra);
  uno.Levetta(0);
  joypad.Leggi();
  EXPECT_TRUE(g.Sinistra);
  Pulsante(due, SDL_CONTROLLER_BUTTON_DPAD_LEFT, {false});
  EXPECT_FALSE(g.Sinistra);

  Pulsante(due, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {true});
  ASSERT_TRUE(g.Destra);
  QWidget altra;
  altra.show();
  QApplication::setActiveWindow(&altra);
  Pulsante(uno, SDL_CONTROLLER_BUTTON_A);
  EXPECT_FALSE(g.img_proiettilegiocatore.Visible);
  due.Scollega();
  joypad.Leggi();
  EXPECT_FALSE(g.Destra);
  const float ferma = g.img_giocatore.Left;
  Attendi(250);
  EXPECT_EQ(g.img_giocatore.Left, ferma);
}

}  // namespace
