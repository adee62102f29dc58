#pragma once

#include <QObject>
#include <QString>
#include <functional>

class TImage;
class TLabel;

// A yes/no choice made of form controls: a dot with a label beside it for
// each side. The chosen side shows the selected dot (shared picture 3), the
// other the disabled dot (picture 5). A click on a dot or its label reports
// the side through Picked; the owner decides whether it becomes the choice.
class TYesNo : public QObject {
  Q_OBJECT
 public:
  TYesNo(TImage* yes, TLabel* yesLabel, TImage* no, TLabel* noLabel, QObject* parent = nullptr);

  // Label texts; the dots are named after them for a screen reader.
  void SetTexts(const QString& yes, const QString& no);
  // Redraws both dots for the given choice.
  void SetChoice(bool yes);
  bool Choice() const { return choice_; }

  std::function<void(bool yes)> Picked;

  TImage* const YesImage;
  TLabel* const YesLabel;
  TImage* const NoImage;
  TLabel* const NoLabel;

 private:
  bool choice_ = false;
};
