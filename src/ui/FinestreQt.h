// The program's windows on Qt: the editor, the about and the help window are made
// when shown and destroyed when unloaded; the main window ends the program.
#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "seams/Finestre.h"

class FinestreQt final : public Finestre {
 public:
  // `creaEditor` builds the editor window frm_opzioni; `chiudiPrincipale` closes the main window.
  FinestreQt(std::function<QWidget*()> creaEditor, std::function<void()> chiudiPrincipale);

  void Mostra(Finestra f) override;
  void Scarica(Finestra f) override;
  bool Caricata(Finestra f) const override;
  void ChiudiPrincipale() override;
  QStringList Caricate() const override;

  QWidget* Widget(Finestra f) const;

 private:
  std::function<QWidget*()> m_creaEditor;
  std::function<void()> m_chiudiPrincipale;
  std::array<QPointer<QWidget>, 3> m_finestre;
  bool m_principaleChiusa = false;
};
