#pragma once

#include <cstdint>

#include "gui/timers/TimerDialog.h"

namespace Ui {
class TFormTijd;
}
class TTimerHandler;

// The time choice of a timer entry: a fixed clock time, a random moment in
// the hour after it, or an offset of 0..59 minutes before or after sunrise
// or sunset. The caller sets the four fields, runs exec() and reads them back
// on result 1. Invalid input turns its edit red and keeps the dialog open.
class TFormTijd : public TTimerDialog {
  Q_OBJECT
 public:
  explicit TFormTijd(QWidget* parent = nullptr);
  ~TFormTijd() override;

  int Uur = 24;     // 0..23; 24 = no clock time yet
  int Minuut = 0;   // 0..59
  int ZonTijd = 0;  // 0 clock time; 60 -/+ x sunrise, 180 -/+ x sunset (x 0..59)
  uint8_t Random = 0;
  // Asked whether one more random entry is allowed; null allows it.
  const TTimerHandler* TimerHandler = nullptr;

  Ui::TFormTijd* ui;

  // The pages and choices (the buttons' actions).
  void ShowTimePage();
  void ShowSunPage();
  void ChooseFixed();
  void ChooseRandom();
  // Sun buttons: the choice changes only while the offset is valid.
  void ChooseBefore(bool before);
  void ChooseSunrise(bool sunrise);
  void OK();

  // Each checks its edit, colours it and sets the status text; a valid value
  // is stored (the offset as ZonTijd from the current choices).
  bool ValidHour();
  bool ValidMinute();
  bool ValidTime();
  bool ValidOffset();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void MarkSunChoice();
  bool before_ = false;
  bool sunrise_ = false;
  bool sunChosen_ = false;
};
