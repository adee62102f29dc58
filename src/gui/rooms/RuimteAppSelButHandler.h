#pragma once

#include "gui/common/ButtonColumn.h"

class QLabel;
class TGradBtn;
namespace Ui {
class TfrmRuimteAppSelButInterface;
}

// The editor's button column: "cancel" (ButExit, y 0), "OK" (ButOK, y 45),
// "learn code" / "stop learning" (butLeren, y 381, device editor only) and
// "delete" (ButWissen, y 431), all 130 x 40 at x 12.
class TRuimteAppSelButHandler : public TButtonColumn {
  Q_OBJECT
 public:
  explicit TRuimteAppSelButHandler(QWidget* buttonPanel);
  ~TRuimteAppSelButHandler() override;

  TGradBtn* ButExit() const;
  TGradBtn* ButOK() const;
  TGradBtn* butLeren() const;
  TGradBtn* ButWissen() const;

  // The learn button's look; ignored while the button is not shown.
  //   0  enable, then 2        1  disable, then 2
  //   2  grey (0x808080) to white, "learn code"
  //   3  red to white, "stop learning"
  //   4  grey to white, caption kept (the off phase of the blink)
  void SetLearnState(int state);

  // The guidance while a code is learnt: the instruction and the time left
  // (m:ss), in the free space right above the learn button (the delete
  // button sits right under it); an empty `left` hides it.
  void ShowLearnHint(const QString& left);
  QLabel* LearnHint() const { return learnHint_; }

 private:
  Ui::TfrmRuimteAppSelButInterface* const ui;  // owned by the form
  QLabel* learnHint_;                          // owned by the form
};
