#include "seams/FinestreCopione.h"

void FinestreCopione::Mostra(Finestra f) {
  if (m_caricate.insert(f).second && alCambio) alCambio(f, true);
}

void FinestreCopione::Scarica(Finestra f) {
  if (m_caricate.erase(f) && alCambio) alCambio(f, false);
}

QStringList FinestreCopione::Caricate() const {
  QStringList nomi;
  if (!m_principaleChiusa) nomi << QStringLiteral("frm_main");
  for (Finestra f : m_caricate) nomi << NomeFinestra(f);
  return nomi;
}

QString NomeFinestra(Finestra f) {
  switch (f) {
    case Finestra::frm_opzioni:
      return QStringLiteral("frm_opzioni");
    case Finestra::frm_inf:
      return QStringLiteral("frm_inf");
    case Finestra::frm_aiuto:
      return QStringLiteral("frm_aiuto");
  }
  return {};
}
