#pragma once

#include <QWidget>

#include "gui/common/ButtonColumn.h"

namespace Ui {
class TfrmTimerInterface;
}
class TGradBtn;

// The design of the timer screen's button column: MainBtnContainer 150 x 500
// with ButExit (y 0), ButOK (45), butToevoegen (123), ButKopie (169) and
// ButWissen (215); the target panels go below them, and butWeek (458) at the
// foot.
class TfrmTimerInterface : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmTimerInterface(QWidget* parent = nullptr);
  ~TfrmTimerInterface() override;
  Ui::TfrmTimerInterface* ui;
};

// The timer screen's button column: "add", "copy", "delete", "OK", "back",
// "week".
class TTimerButHandler : public TButtonColumn {
  Q_OBJECT
 public:
  explicit TTimerButHandler(QWidget* buttonPanel);
  ~TTimerButHandler() override;

  TGradBtn *butToevoegen, *ButKopie, *ButWissen, *ButOK, *ButExit, *butWeek;
};
