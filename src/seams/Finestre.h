// The windows seam: the main window's procedures open and close the program's other
// windows (the editor, the about and the help window) and end the program through it.
#pragma once

#include <QStringList>

enum class Finestra { frm_opzioni, frm_inf, frm_aiuto };

class Finestre {
 public:
  virtual ~Finestre() = default;

  virtual void Mostra(Finestra f) = 0;   // loads the window if needed and shows it, modeless
  virtual void Scarica(Finestra f) = 0;  // unloads it if it is loaded
  virtual bool Caricata(Finestra f) const = 0;
  virtual void ChiudiPrincipale() = 0;       // unloads the main window: the program ends
  virtual QStringList Caricate() const = 0;  // names of the loaded windows, frm_main first
};
