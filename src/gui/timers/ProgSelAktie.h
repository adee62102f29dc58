#pragma once

#include <cstdint>

#include "gui/timers/TimerDialog.h"

namespace Ui {
class TFormAktie;
}

// The action of a device's timer entry: Aktie 0 off, 1..16 dim level, 17 on.
// For a device that is not dimmable (Dimbaar not 1) the dim controls are
// disabled and the level is hidden. "+" and "-" move the level within 1..16
// and choose dimming.
class TFormAktie : public TTimerDialog {
  Q_OBJECT
 public:
  explicit TFormAktie(QWidget* parent = nullptr);
  ~TFormAktie() override;

  int Aktie = 0;
  uint8_t Dimbaar = 0;

  Ui::TFormAktie* ui;

  void Choose(int aktie);
  void ChooseDim();
  void DimStep(int step);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void MarkChoice();
};
