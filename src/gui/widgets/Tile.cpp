#include "gui/widgets/Tile.h"

#include "gui/shell/UIImages.h"

TYesNo::TYesNo(QWidget* parent) : QWidget(parent) {
  resize(240, 25);
  yes_ = new TImage(this);
  yes_->setGeometry(0, 0, 25, 25);
  yes_->setTransparent(true);
  yes_->setCursor(Qt::PointingHandCursor);
  yesLabel_ = new TLabel(this);
  yesLabel_->setGeometry(30, 0, 80, 25);
  yesLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  no_ = new TImage(this);
  no_->setGeometry(120, 0, 25, 25);
  no_->setTransparent(true);
  no_->setCursor(Qt::PointingHandCursor);
  noLabel_ = new TLabel(this);
  noLabel_->setGeometry(150, 0, 80, 25);
  noLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  yes_->setTag(1);
  yesLabel_->setTag(1);
  connect(yes_, &TImage::clicked, this, [this] { onClick(true); });
  connect(yesLabel_, &TLabel::clicked, this, [this] { onClick(true); });
  connect(no_, &TImage::clicked, this, [this] { onClick(false); });
  connect(noLabel_, &TLabel::clicked, this, [this] { onClick(false); });
  setChoice(false);
}

void TYesNo::setChoice(bool yes) {
  choice_ = yes;
  const auto* f = TImageFetcher::Instance();
  yes_->setPicture(f->Picture(yes ? UIPic::PISel : UIPic::PIDisabled));
  no_->setPicture(f->Picture(yes ? UIPic::PIDisabled : UIPic::PISel));
}

void TYesNo::onClick(bool yes) {
  if (auto_) setChoice(yes);
  emit picked(yes);
}
