// Waiting on Qt's event loop, for the tests of the windows.
#pragma once

#include <QApplication>
#include <QElapsedTimer>

// Runs the event loop until `fatto` holds; the bound only tells a hang from a loaded machine.
template <typename F>
bool Finche(F fatto, int ms = 5000) {
  QElapsedTimer tempo;
  tempo.start();
  while (!fatto() && tempo.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
  return fatto();
}
