// Keys and clicks sent to a widget as Qt delivers the player's.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

// A key pressed or released; `ripetuto` for an auto-repeat.
inline void Tasto(QWidget* a, QEvent::Type tipo, int tasto, const QString& testo = {},
                  bool ripetuto = false, Qt::KeyboardModifiers modificatori = Qt::NoModifier) {
  QKeyEvent evento(tipo, tasto, modificatori, testo, ripetuto);
  QApplication::sendEvent(a, &evento);
}

// A click of the left button at `punto` of `campo`.
inline void Clicca(QWidget* campo, QPointF punto) {
  for (auto tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent evento(tipo, punto, campo->mapToGlobal(punto), Qt::LeftButton,
                       tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                       Qt::NoModifier);
    QApplication::sendEvent(campo, &evento);
  }
}
