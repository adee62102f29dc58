#pragma once

#include <array>

#include "gui/timers/TimerDialog.h"

namespace Ui {
class TFormDagDatum;
}
class TGradBtn;

// The day choice of a timer entry: a set of weekdays (a button per day, its
// Tag the day's bit), every day, or one day of the month 1..31. DagDatum is
// encoded as in ProgAktie: 0 none, 1..31 a date, 128 + weekday bits.
// OK with no weekday chosen gives 0, never the bare 128.
class TFormDagDatum : public TTimerDialog {
  Q_OBJECT
 public:
  explicit TFormDagDatum(QWidget* parent = nullptr);
  ~TFormDagDatum() override;

  int DagDatum = 0;

  Ui::TFormDagDatum* ui;

  void ShowWeekdays();  // ButWeekdagen: weekday form, no day yet
  void ShowDate();      // ButDatum: the 1st until a day is typed
  void ToggleDay(TGradBtn* day);
  void EveryDay();
  void OK();
  // The typed day 1..31, or 0 when the text is not one (red, OK disabled).
  int CheckDate();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The pages and looks for the current DagDatum.
  void ShowValue();
  // One page button selected, its page shown, the other page hidden.
  void ShowPage(bool weekdays);
  std::array<TGradBtn*, 7> days_{};
};
