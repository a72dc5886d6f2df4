#include "ui/FinestreQt.h"

#include "seams/FinestreCopione.h"
#include "ui/frm_aiuto.h"
#include "ui/frm_inf.h"

FinestreQt::FinestreQt(std::function<QWidget*()> creaEditor, std::function<void()> chiudiPrincipale)
    : m_creaEditor(std::move(creaEditor)), m_chiudiPrincipale(std::move(chiudiPrincipale)) {}

void FinestreQt::Mostra(Finestra f) {
  QPointer<QWidget>& finestra = m_finestre[static_cast<size_t>(f)];
  if (!finestra) {
    switch (f) {
      case Finestra::frm_opzioni:
        finestra = m_creaEditor ? m_creaEditor() : nullptr;
        break;
      case Finestra::frm_inf:
        finestra = new frm_inf();
        break;
      case Finestra::frm_aiuto:
        finestra = new frm_aiuto();
        break;
    }
    if (!finestra) return;
    finestra->setAttribute(Qt::WA_DeleteOnClose);
  }
  finestra->show();
  finestra->raise();
  finestra->activateWindow();
}

void FinestreQt::Scarica(Finestra f) {
  QPointer<QWidget>& finestra = m_finestre[static_cast<size_t>(f)];
  if (!finestra) return;
  QWidget* w = finestra;
  finestra = nullptr;
  // Later, not now: the window may be unloading itself from one of its own handlers.
  w->hide();
  w->deleteLater();
}

bool FinestreQt::Caricata(Finestra f) const {
  return !m_finestre[static_cast<size_t>(f)].isNull();
}

void FinestreQt::ChiudiPrincipale() {
  m_principaleChiusa = true;
  if (m_chiudiPrincipale) m_chiudiPrincipale();
}

QStringList FinestreQt::Caricate() const {
  QStringList nomi;
  if (!m_principaleChiusa) nomi << QStringLiteral("frm_main");
  for (Finestra f : {Finestra::frm_opzioni, Finestra::frm_inf, Finestra::frm_aiuto}) {
    if (Caricata(f)) nomi << NomeFinestra(f);
  }
  return nomi;
}

QWidget* FinestreQt::Widget(Finestra f) const {
  return m_finestre[static_cast<size_t>(f)];
}
