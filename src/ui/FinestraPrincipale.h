// The main window on screen: it draws the playfield model, forwards keys, clicks
// and menu choices to frm_main's handlers, and repaints only what changed.
#pragma once

#include <QMainWindow>

#include <functional>
#include <vector>

#include "ui/Disegno.h"

class Gioco;
class frm_main;
class QAction;
class QMenu;

class FinestraPrincipale final : public QMainWindow {
 public:
  FinestraPrincipale(Gioco& g, frm_main& frm);

  // Brings the window up to date with the model after an event: the caption, the
  // menus, and a repaint of what moved.
  void Aggiorna();
  // Closes the window at the end of the exit sequence.
  void Chiudi();
  // How the window runs a handler of its own events (by default, simply).
  void ImpostaTurno(std::function<void(const std::function<void()>&)> turno) {
    m_turno = std::move(turno);
  }
  // For the start-up benchmark: the program ends once the first frame is painted.
  void EsciDopoPrimoFrame() { m_esciDopoPrimoFrame = true; }

  Pittore& pittore() { return m_pittore; }

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  void keyReleaseEvent(QKeyEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  class Campo;
  // What one drawn thing looked like after the last event.
  struct VoceDisegnata {
    QRectF rettangolo;
    QString aspetto;  // the picture's name, or a label's caption, font and colour
    bool visibile = false;
    bool etichetta = false;

    bool operator==(const VoceDisegnata&) const = default;
  };

  void CostruisciMenuBar();
  void AggiornaMenu();
  std::vector<VoceDisegnata> Fotografia() const;
  void DopoHandler(const std::function<void()>& handler);

  Gioco& g;
  frm_main& m_frm;
  Pittore m_pittore;
  Campo* m_campo = nullptr;
  QMenu* m_menuCombinazioni = nullptr;
  QAction* m_esci = nullptr;
  QAction* m_immagini = nullptr;
  QAction* m_attiva = nullptr;
  QAction* m_aiuto = nullptr;
  QAction* m_about = nullptr;
  std::vector<QAction*> m_comb;
  std::vector<VoceDisegnata> m_ultimaFotografia;
  std::function<void(const std::function<void()>&)> m_turno;
  bool m_chiusa = false;
  bool m_esciDopoPrimoFrame = false;
};
