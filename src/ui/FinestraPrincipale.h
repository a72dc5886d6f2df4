// The main window on screen: it draws the playfield model, forwards keys, clicks
// and menu choices to frm_main's handlers, and repaints only what changed.
#pragma once

#include <QMainWindow>

#include <filesystem>
#include <functional>
#include <vector>

#include "drawing/Disegno.h"
#include "drawing/ImmaginiIncorporate.h"

class Gioco;
class frm_main;
class Smistatore;
class QAction;
struct Controllo;
struct Inquadratura;
struct ModelloMain;
struct VoceMenu;
class QMenu;
class QTimer;

class FinestraPrincipale final : public QMainWindow {
 public:
  // Something shown in the window in place of the game for a while (a replay): it is
  // drawn instead of the game, with a few words of its own over the playfield; it takes
  // the keys, and the game gets no key, gamepad or click and none of its menus.
  class Ospite {
   public:
    virtual ~Ospite() = default;
    virtual const Gioco& Mostrato() const = 0;
    virtual void DisegnaSopra(QPainter& p, const Inquadratura& posto) = 0;
    virtual void Tasto(const QKeyEvent& evento) = 0;
    // The window lost the keyboard to another.
    virtual void Lasciata() {}
  };

  // The game's inputs reach its handlers through `smista`, where they are recorded.
  FinestraPrincipale(Gioco& g, frm_main& frm, Smistatore& smista);

  // Shows the window as it was when it last closed on this program folder: its size
  // and place, maximised, full screen. At a first start it takes a size that suits the
  // screen. Where it is when it closes is remembered for the next start.
  void Mostra();
  // Full screen and back (F11, Alt+Enter), the playfield scaled to fit.
  void CommutaSchermoIntero();
  // Brings the window up to date with the model after an event: the caption, the
  // menus, and a repaint of what moved.
  void Aggiorna();
  // After a handler the window did not run itself (a timer's): what follows every
  // input (ImpostaDopoInput), then Aggiorna.
  void DopoEvento();
  // What runs once every input the game handled is done, before the window catches up.
  void ImpostaDopoInput(std::function<void()> dopo) { m_dopoInput = std::move(dopo); }
  // The built-in pictures it draws, which the editor's previews borrow.
  const ImmaginiIncorporate& Immagini() const { return m_incorporate; }
  // Closes the window at the end of the exit sequence.
  void Chiudi();
  // Ends the program from outside (a signal) as the close box does, within a few
  // milliseconds even with a dialog open: the open dialogs and menus are cancelled
  // first, the handlers that opened them run to their end, and then the window closes.
  void Termina();
  // How the window runs a handler of its own events (by default, simply).
  void ImpostaTurno(std::function<void(const std::function<void()>&)> turno) {
    m_turno = std::move(turno);
  }
  // Runs a handler that may apply a combination, which takes a while for a large one:
  // a menu just closed is off the screen before it starts, the pointer over the window
  // is busy until it ends, and a question it asks does not get the playfield drawn
  // half-changed behind it. Then the window catches up, as after any event.
  void TurnoOccupato(const std::function<void()>& handler);
  // What a combination or replay file dropped on the window is given to.
  void ImpostaApriFile(std::function<void(const std::filesystem::path&)> apri) {
    m_apriFile = std::move(apri);
    setAcceptDrops(static_cast<bool>(m_apriFile));
  }
  // A few words the caption carries after the model's, while there is something to say.
  void ImpostaNota(std::function<QString()> nota) { m_nota = std::move(nota); }
  // A key of the game (Tasti::) pressed or released by something other than the
  // keyboard, a gamepad: the handlers it reaches are the key's, as a turn of the game.
  void Tasto(int codice, bool premuto);
  // Runs `dopo` once, from the event loop, when the first frame has been painted: what
  // the start-up can leave until the player sees the game.
  void DopoPrimoFrame(std::function<void()> dopo) { m_dopoPrimoFrame = std::move(dopo); }
  // Shows `ospite` in place of the game, or the game again (nullptr).
  void Ospita(Ospite* ospite);
  bool Ospita() const { return m_ospite != nullptr; }
  // A click on the playfield (a point in its logical pixels) that no picture of the game
  // takes is offered to `clic`.
  void ImpostaClic(std::function<void(QPointF)> clic) { m_clic = std::move(clic); }
  // The menu bar's menu of `voce`, for the window's own items.
  QMenu* Menu(VoceMenu ModelloMain::*voce) const;

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  void keyReleaseEvent(QKeyEvent* evento) override;
  void changeEvent(QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;
  void dragEnterEvent(QDragEnterEvent* evento) override;
  void dropEvent(QDropEvent* evento) override;

 private:
  class Area;
  // What the playfield looked like after the last event: every sprite drawn, in
  // drawing order, then every label and the background.
  struct VoceDisegnata {
    QRectF rettangolo;
    QString immagine;
    bool visibile = false;

    bool operator==(const VoceDisegnata&) const = default;
  };
  struct Fotografia {
    std::vector<VoceDisegnata> sprite;
    std::vector<Etichetta> etichette;
    QString sfondo;
  };

  const Gioco& Mostrato() const;
  void CostruisciMenuBar();
  void AggiornaMenu();
  void OsservaCartella();
  Fotografia Scatta() const;
  void DopoHandler(const std::function<void()>& handler);
  void LasciaUsciti();
  void PassoTermina();
  void RicordaGeometria();

  std::function<void(const std::filesystem::path&)> m_apriFile;
  std::function<QString()> m_nota;
  Gioco& g;
  frm_main& m_frm;
  Smistatore& m_smista;
  ImmaginiIncorporate m_incorporate;
  Pittore m_pittore{m_incorporate};
  Area* m_campo = nullptr;
  // The menu items of single controls, and the menu array with its items.
  std::vector<std::pair<const Controllo*, QAction*>> m_voci;
  struct ArrayMenu {
    const Controllo* voce = nullptr;
    QMenu* menu = nullptr;
  } m_array;
  std::vector<QAction*> m_comb;
  std::vector<QAction*> m_usciti;  // combination items out of the menu, not yet deleted
  int m_turni = 0;                 // handlers under way, one inside another's dialog
  Fotografia m_ultimaFotografia;
  std::function<void(const std::function<void()>&)> m_turno;
  bool m_chiusa = false;
  QTimer* m_termina = nullptr;
  bool m_ricorda = false;  // shown by Mostra, so its place is remembered at closing
  std::function<void()> m_dopoPrimoFrame;
  Ospite* m_ospite = nullptr;
  std::function<void(QPointF)> m_clic;
  std::function<void()> m_dopoInput;
  std::vector<std::pair<VoceMenu ModelloMain::*, QMenu*>> m_menu;  // the menu bar's
};
