// The windows of the tests and the headless runner: only whether each is loaded.
#pragma once

#include <functional>
#include <set>

#include "seams/Finestre.h"

class FinestreCopione final : public Finestre {
 public:
  void Mostra(Finestra f) override;
  void Scarica(Finestra f) override;
  bool Caricata(Finestra f) const override { return m_caricate.contains(f); }
  void ChiudiPrincipale() override { m_principaleChiusa = true; }
  QStringList Caricate() const override;

  bool PrincipaleChiusa() const { return m_principaleChiusa; }
  // Called when a window is loaded or unloaded (a test may build a real window there).
  std::function<void(Finestra, bool caricata)> alCambio;

 private:
  std::set<Finestra> m_caricate;
  bool m_principaleChiusa = false;
};

QString NomeFinestra(Finestra f);
