// frm_inf: the about window.
#pragma once

#include "ui/FinestraFugace.h"

class frm_inf final : public FinestraFugace {
 public:
  explicit frm_inf(QWidget* genitore = nullptr);
};
