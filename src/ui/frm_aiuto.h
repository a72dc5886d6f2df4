// frm_aiuto: the help window: the keys, how combinations are made and shared.
#pragma once

#include "ui/FinestraFugace.h"

class frm_aiuto final : public FinestraFugace {
 public:
  explicit frm_aiuto(QWidget* genitore = nullptr);
};
