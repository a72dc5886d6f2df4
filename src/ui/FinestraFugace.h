// A small modeless window (about, help) that goes away on "OK" and whenever
// another window becomes active.
#pragma once

#include <QEvent>
#include <QWidget>

class FinestraFugace : public QWidget {
 public:
  FinestraFugace(const QString& titolo, QSize dimensione, QWidget* genitore = nullptr)
      : QWidget(genitore, Qt::Dialog) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(titolo);
    setFixedSize(dimensione);
  }

 protected:
  void changeEvent(QEvent* evento) override {
    QWidget::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible()) close();
  }
};
