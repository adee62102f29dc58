#pragma once

#include <QWidget>
#include <memory>

#include "gui/common/ButtonColumn.h"

namespace Ui {
class TfrmRuimteAppButInterface;
}
class TGradBtn;
class TLabel;

// The design of the home screen's button column: MainBtnContainer 150 x 500
// with ButExit (y 0), ButOK (45), ButExtra (123), ButScene (169), ButTimer
// (215), ButOn (293), ButDimmer (339), ButDimDn / LDimmer / ButDimUp (385)
// and ButOff (431).
class TfrmRuimteAppButInterface : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmRuimteAppButInterface(QWidget* parent = nullptr);
  ~TfrmRuimteAppButInterface() override;
  const std::unique_ptr<Ui::TfrmRuimteAppButInterface> ui;
};

// The home screen's button column. Captions come from the language table at
// construction; every control stays hidden until its button is bound
// (LDimmer shows with ButDimmer). ButOK is never bound here.
class TRuimteAppButHandler : public TButtonColumn {
  Q_OBJECT
 public:
  explicit TRuimteAppButHandler(QWidget* buttonPanel);
  ~TRuimteAppButHandler() override;

  TGradBtn *ButExit, *ButOK, *ButExtra, *ButScene, *ButTimer, *ButOn, *ButDimmer, *ButDimDn, *ButDimUp,
      *ButOff;
  TLabel* LDimmer;
};
