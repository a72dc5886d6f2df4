#include "ui/Joypad.h"

#include <QApplication>
#include <QWidget>

#include <SDL.h>

#include <array>
#include <iostream>
#include <vector>

#include "game/frm_main.h"
#include "model/Gioco.h"
#include "ui/FinestraPrincipale.h"

namespace {

enum class Azione { Sinistra, Destra, Fuoco, Start };

// The buttons that play, and what each does.
struct Voce {
  SDL_GameControllerButton pulsante;
  Azione azione;
};
constexpr std::array Mappa{
    Voce{SDL_CONTROLLER_BUTTON_DPAD_LEFT, Azione::Sinistra},
    Voce{SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Azione::Destra},
    Voce{SDL_CONTROLLER_BUTTON_A, Azione::Fuoco},
    Voce{SDL_CONTROLLER_BUTTON_B, Azione::Fuoco},
    Voce{SDL_CONTROLLER_BUTTON_START, Azione::Start},
};
// The left stick's sideways axis holds the arrows too, as a control of its own after
// the buttons: pushed past half its way it holds one, and it lets go only back within
// a quarter, so a stick resting near the threshold does not flicker.
constexpr int Levetta = static_cast<int>(Mappa.size());
constexpr int LevettaPresa = 16384;
constexpr int LevettaRilascio = 8192;

// How often SDL is asked what happened: often while a controller is there, seldom
// while the game only waits for one to be plugged in.
constexpr int IntervalloGioco = 10;
constexpr int IntervalloAttesa = 250;

// A game is being played: no banner waits for an answer, so Start pauses (Esc);
// otherwise it answers the banner shown as the space bar does.
bool InPartita(const Gioco& g) {
  return !g.img_gameover.Visible && !g.img_nextlevel.Visible && !g.img_pausa.Visible;
}

int Tasto(Azione azione, const Gioco& g) {
  switch (azione) {
    case Azione::Sinistra:
      return Tasti::FrecciaSinistra;
    case Azione::Destra:
      return Tasti::FrecciaDestra;
    case Azione::Fuoco:
      return Tasti::Spazio;
    case Azione::Start:
      return InPartita(g) ? Tasti::Esc : Tasti::Spazio;
  }
  return 0;
}

int TastoLevetta(int tenuto, int valore) {
  if (tenuto == Tasti::FrecciaSinistra && valore < -LevettaRilascio) return tenuto;
  if (tenuto == Tasti::FrecciaDestra && valore > LevettaRilascio) return tenuto;
  if (valore <= -LevettaPresa) return Tasti::FrecciaSinistra;
  if (valore >= LevettaPresa) return Tasti::FrecciaDestra;
  return 0;
}

}  // namespace

Joypad::Joypad(FinestraPrincipale& finestra, const Gioco& gioco) : m_finestra(finestra), g(gioco) {
  connect(&m_timer, &QTimer::timeout, this, &Joypad::Leggi);
}

Joypad::~Joypad() {
  if (!m_aperto) return;
  for (const auto& [id, controller] : m_controller) SDL_GameControllerClose(controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Joypad::Apri() {
  if (m_aperto) return true;
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::cerr << "skarvex: no gamepad can be used: " << SDL_GetError() << '\n';
    return false;
  }
  m_aperto = true;
  // The controllers already plugged in arrive as if plugged in now.
  m_timer.start(IntervalloAttesa);
  return true;
}

void Joypad::Leggi() {
  if (!m_aperto || m_inLettura) return;  // not again from a dialog a key opened
  m_inLettura = true;
  Rilascia();  // what was let go while a dialog was open
  SDL_Event evento;
  while (SDL_PollEvent(&evento)) Evento(evento);
  m_inLettura = false;
  const int intervallo = m_controller.empty() ? IntervalloAttesa : IntervalloGioco;
  if (m_timer.interval() != intervallo) m_timer.setInterval(intervallo);
}

void Joypad::Evento(const SDL_Event& evento) {
  switch (evento.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Collega(evento.cdevice.which);
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      Scollega(evento.cdevice.which);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (!m_controller.count(evento.cbutton.which)) break;
      for (size_t i = 0; i < Mappa.size(); ++i) {
        if (Mappa[i].pulsante != evento.cbutton.button) continue;
        const bool premuto = evento.cbutton.state == SDL_PRESSED;
        Tieni({evento.cbutton.which, static_cast<int>(i)}, premuto ? Tasto(Mappa[i].azione, g) : 0);
      }
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (evento.caxis.axis != SDL_CONTROLLER_AXIS_LEFTX || !m_controller.count(evento.caxis.which))
        break;
      {
        const Fonte levetta{evento.caxis.which, Levetta};
        Tieni(levetta, TastoLevetta(Tiene(levetta), evento.caxis.value));
      }
      break;
    default:
      break;
  }
}

void Joypad::Collega(int indice) {
  // A controller is announced once more when the subsystem opens with it plugged in.
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(indice);
  if (id < 0 || m_controller.count(id)) return;
  if (SDL_GameController* controller = SDL_GameControllerOpen(indice))
    m_controller[id] = controller;
}

void Joypad::Scollega(SDL_JoystickID id) {
  const auto trovato = m_controller.find(id);
  if (trovato == m_controller.end()) return;
  SDL_GameControllerClose(trovato->second);
  m_controller.erase(trovato);
  // Whatever it held is let go: the cannon does not keep moving.
  std::erase_if(m_tenuti, [id](const auto& voce) { return voce.first.first == id; });
  Rilascia();
}

// A key is held while any control of any controller holds it: the window is told of a
// press when a control takes a key it does not know is down, and of the release when
// the last control holding it lets go. A press the window cannot take now (a dialog,
// a menu or another window has the keyboard) is lost, as a key's would be; a release
// waits only for an open dialog to close.
void Joypad::Tieni(Fonte fonte, int codice) {
  if (Tiene(fonte) == codice) return;
  if (codice) {
    m_tenuti[fonte] = codice;
  } else {
    m_tenuti.erase(fonte);
  }
  Rilascia();
  const bool libera = QApplication::activeWindow() == &m_finestra &&
                      !QApplication::activePopupWidget() && !QApplication::activeModalWidget();
  if (!codice || !libera || m_premuti.count(codice)) return;
  m_premuti.insert(codice);
  m_finestra.Tasto(codice, true);
}

void Joypad::Rilascia() {
  if (QApplication::activeModalWidget() || !m_finestra.isVisible()) return;
  std::vector<int> rilasciati;
  std::erase_if(m_premuti, [&](int codice) {
    if (Tenuto(codice)) return false;
    rilasciati.push_back(codice);
    return true;
  });
  for (const int codice : rilasciati) m_finestra.Tasto(codice, false);
}

int Joypad::Tiene(Fonte fonte) const {
  const auto trovato = m_tenuti.find(fonte);
  return trovato == m_tenuti.end() ? 0 : trovato->second;
}

bool Joypad::Tenuto(int codice) const {
  for (const auto& [fonte, tenuto] : m_tenuti)
    if (tenuto == codice) return true;
  return false;
}
