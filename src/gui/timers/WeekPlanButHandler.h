#pragma once

#include "gui/common/ButtonColumn.h"

class TGradBtn;
namespace Ui {
class TfrmWeekPlanButInterface;
}

// The week view's button column: "back" (ButExit, y 0) and "all" (butAlles,
// y 45), 130 x 40 at x 12. "all" shows the selected look while every target
// is shown.
class TWeekPlanButHandler : public TButtonColumn {
  Q_OBJECT
 public:
  explicit TWeekPlanButHandler(QWidget* buttonPanel);
  ~TWeekPlanButHandler() override;

  TGradBtn* ButExit() const;
  TGradBtn* butAlles() const;

 private:
  TWeekPlanButHandler(QWidget* buttonPanel, Ui::TfrmWeekPlanButInterface* form);
  Ui::TfrmWeekPlanButInterface* ui;
};
