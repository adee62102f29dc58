#include "gui/common/YesNo.h"

#include "gui/common/Accessible.h"
#include "gui/shell/UIImages.h"
#include "gui/widgets/ImageControl.h"

TYesNo::TYesNo(TImage* yes, TLabel* yesLabel, TImage* no, TLabel* noLabel, QObject* parent)
    : QObject(parent), YesImage(yes), YesLabel(yesLabel), NoImage(no), NoLabel(noLabel) {
  auto pick = [this](bool side) {
    if (Picked) Picked(side);
  };
  for (TImage* dot : {YesImage, NoImage}) {
    dot->setCursor(Qt::PointingHandCursor);
    connect(dot, &TImage::clicked, this, [pick, side = dot == YesImage] { pick(side); });
  }
  for (TLabel* label : {YesLabel, NoLabel}) {
    label->setFitText(true);
    connect(label, &TLabel::clicked, this, [pick, side = label == YesLabel] { pick(side); });
  }
  SetChoice(false);
}

void TYesNo::SetTexts(const QString& yes, const QString& no) {
  YesLabel->setText(yes);
  NoLabel->setText(no);
  YesImage->setAccessibleName(yes);
  NoImage->setAccessibleName(no);
}

void TYesNo::SetChoice(bool yes) {
  choice_ = yes;
  const TImageFetcher* f = TImageFetcher::Instance();
  YesImage->setPicture(f->Picture(yes ? UIPic::PISel : UIPic::PIDisabled));
  NoImage->setPicture(f->Picture(yes ? UIPic::PIDisabled : UIPic::PISel));
  Accessible::MarkCheckable(YesImage, yes);
  Accessible::MarkCheckable(NoImage, !yes);
}
