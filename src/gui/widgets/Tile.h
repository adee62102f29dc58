#pragma once

#include <QWidget>

#include "gui/widgets/ImageControl.h"

// A yes/no choice: two page-dot pictures with a label beside each. The
// chosen side shows the selected dot (shared picture 3), the other side the
// disabled dot (picture 5). Laid out 240 x 25: yes dot at (0, 0), its label
// 80 x 25 at (30, 0); no dot at (120, 0), its label at (150, 0).
class TYesNo : public QWidget {
  Q_OBJECT

 public:
  explicit TYesNo(QWidget* parent = nullptr);

  TImage* YesImage() const { return yes_; }
  TImage* NoImage() const { return no_; }
  TLabel* YesLabel() const { return yesLabel_; }
  TLabel* NoLabel() const { return noLabel_; }

  // Redraws both dots for the given choice.
  void setChoice(bool yes);
  bool choice() const { return choice_; }
  // When on (the default) a click on a side also redraws the dots. Off: the
  // owner decides with setChoice.
  void setAutoChoose(bool on) { auto_ = on; }

 signals:
  // A dot or its label was clicked.
  void picked(bool yes);

 private:
  void onClick(bool yes);
  TImage* yes_;
  TImage* no_;
  TLabel* yesLabel_;
  TLabel* noLabel_;
  bool choice_ = false;
  bool auto_ = true;
};
