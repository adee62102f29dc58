#pragma once

#include <vector>

#include "gui/timers/TimerDialog.h"

namespace Ui {
class TFormMaand;
}
class TGradBtn;

// The month choice of a timer entry: Maand 1..12, or 13 for every month.
// Each month button carries its number as Tag (every month 13, back 14,
// OK 15). OK returns Maand as it stands, 0 included.
class TFormMaand : public TTimerDialog {
  Q_OBJECT
 public:
  explicit TFormMaand(QWidget* parent = nullptr);
  ~TFormMaand() override;

  int Maand = 0;

  Ui::TFormMaand* ui;

  void Choose(int tag);
  TGradBtn* Button(int tag) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  std::vector<TGradBtn*> months_;  // Tags 1..13
};
