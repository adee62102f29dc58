#pragma once

#include <QWidget>

#include "gui/common/ButtonColumn.h"

namespace Ui {
class TfrmScenesOverzichtBut;
}
class TGradBtn;

// The design of the scenes overview's button column: MainBtnContainer
// 150 x 500 with ButTerug (y 0), ButOK (48), ButTimer (215) and ButUitvoeren
// (293), all 130 x 40 at x 12.
class TfrmScenesOverzichtBut : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmScenesOverzichtBut(QWidget* parent = nullptr);
  ~TfrmScenesOverzichtBut() override;
  Ui::TfrmScenesOverzichtBut* ui;
};

// The scenes overview's column: "back", "OK" (select mode), "timer" and
// "execute" (overview mode). Every button stays hidden until bound.
class TScenesOverzichtButHandler : public TButtonColumn {
  Q_OBJECT
 public:
  explicit TScenesOverzichtButHandler(QWidget* buttonPanel);
  ~TScenesOverzichtButHandler() override;

  TGradBtn *ButTerug, *ButOK, *ButTimer, *ButUitvoeren;
};
