// The one way in to frm_main's handlers during play: the window, the gamepad, the
// real clock, the runner and a replay's player all send their inputs here, so that
// what one records another plays back through the very same calls. A handler that
// calls another (Form_Deactivate pressing Esc, a key press clicking a banner) does so
// directly, and only the outer input is seen.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

class Gioco;
class frm_main;

// What reaches the game from outside, small enough to record by the thousand.
enum class TipoEvento : uint8_t {
  Timer,       // `codice`: the timer, in the order of ModelloMain::Timers()
  KeyDown,     // `codice`: the virtual key code
  KeyUp,       // `codice`: the virtual key code
  KeyPress,    // `codice`: the character code
  Deactivate,  // the window lost the keyboard to another window
  Click,       // `codice`: the banner (Cartello)
};
constexpr int NumeroTipiEvento = 6;
constexpr int NumeroTimer = 6;

// The sprites whose click is a handler.
enum class Cartello : uint8_t { GameOver, NextLevel, Pausa };
constexpr int NumeroCartelli = 3;

struct Evento {
  TipoEvento tipo = TipoEvento::Timer;
  uint16_t codice = 0;

  static constexpr Evento Scatto(int timer) {
    return {TipoEvento::Timer, static_cast<uint16_t>(timer)};
  }
  static constexpr Evento Giu(int tasto) {
    return {TipoEvento::KeyDown, static_cast<uint16_t>(tasto)};
  }
  static constexpr Evento Su(int tasto) {
    return {TipoEvento::KeyUp, static_cast<uint16_t>(tasto)};
  }
  static constexpr Evento Carattere(int c) {
    return {TipoEvento::KeyPress, static_cast<uint16_t>(c)};
  }
  static constexpr Evento Disattiva() { return {TipoEvento::Deactivate, 0}; }
  static constexpr Evento Clic(Cartello c) { return {TipoEvento::Click, static_cast<uint16_t>(c)}; }

  // The click handler of a banner as an input; none for any other handler.
  static std::optional<Evento> DaClick(void (frm_main::*gestore)());
  // Whether the codes are in range: a timer 0..5, a banner 0..2, a key of 16 bits.
  bool Valido() const;

  bool operator==(const Evento&) const = default;
};

// Told of every input that reaches a handler through the dispatcher, before and after
// the handler runs. An input sent while another is handled (from inside a handler's
// dialog) is told between the two calls of the outer one.
class OsservatoreEventi {
 public:
  virtual ~OsservatoreEventi() = default;
  virtual void PrimaDi(const Evento& evento) = 0;
  virtual void DopoDi(const Evento& evento) = 0;
};

class Smistatore {
 public:
  // Has the game's clock drive the six timers through Invia.
  Smistatore(Gioco& g, frm_main& frm);
  ~Smistatore();
  Smistatore(const Smistatore&) = delete;
  Smistatore& operator=(const Smistatore&) = delete;

  // Runs the handler of `evento`. An invalid code (a timer 9, say) runs nothing.
  void Invia(const Evento& evento);

  // A click on a sprite: the banners' go through Invia, any other handler is run as it is.
  void Clicca(void (frm_main::*gestore)());
  // A menu item: its handler runs unrecorded, as a menu never changes a game under way
  // (sound on or off, and the rest only between games).
  void Menu(void (frm_main::*gestore)());
  void Menu(void (frm_main::*gestore)(int), int indice);

  // At most one observer; null for none.
  void Osserva(OsservatoreEventi* osservatore) { m_osservatore = osservatore; }
  OsservatoreEventi* Osservatore() const { return m_osservatore; }

  // How many inputs are being handled now: 0 between them, 2 inside a dialog of one.
  int Profondita() const { return m_profondita; }

 private:
  void Esegui(const Evento& evento);

  Gioco& g;
  frm_main& m_frm;
  OsservatoreEventi* m_osservatore = nullptr;
  int m_profondita = 0;
};
