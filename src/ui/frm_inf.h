// frm_inf: the about window. Modeless; it goes away on "OK" and whenever another
// window becomes active.
#pragma once

#include <QWidget>

class frm_inf final : public QWidget {
 public:
  explicit frm_inf(QWidget* genitore = nullptr);

 protected:
  void changeEvent(QEvent* evento) override;
};
