// frm_aiuto: the help window: the keys, how combinations are made and shared.
// Modeless; it goes away on "OK" and whenever another window becomes active.
#pragma once

#include <QWidget>

class frm_aiuto final : public QWidget {
 public:
  explicit frm_aiuto(QWidget* genitore = nullptr);

 protected:
  void changeEvent(QEvent* evento) override;
};
