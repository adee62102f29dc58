#include "gui/widgets/Tile.h"

#include "gui/shell/UIImages.h"

TTile::TTile(QWidget* parent, Kind kind) : QWidget(parent), kind_(kind) {
  const bool device = kind == Kind::Device;
  resize(130, device ? 198 : 116);
  background_ = new TImage(this);
  background_->setGeometry(0, 0, 130, device ? 198 : 116);
  background_->setTransparent(true);
  picture_ = new TImage(this);
  picture_->setGeometry(0, 28, 130, 80);
  picture_->setTransparent(true);
  picture_->setVisible(device);
  top_ = new TLabel(this);
  top_->setGeometry(0, device ? 6 : 8, 130, 18);
  top_->setAlignment(Qt::AlignCenter);
  top_->setVisible(!device);
  caption_ = new TLabel(this);
  caption_->setGeometry(0, device ? 114 : 44, 130, 36);
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setWordWrap(true);
  QFont f = caption_->font();
  f.setPixelSize(16);
  caption_->setFont(f);
  top_->setFont(f);
  led_ = new TImage(this);
  led_->setGeometry(33, 164, 64, 16);
  led_->setTransparent(true);
  led_->hide();
  wire(background_);
  wire(picture_);
  wire(led_);
  wire(caption_);
  wire(top_);
  setSelected(false);
}

void TTile::wire(TImage* image) {
  connect(image, &TImage::clicked, this, &TTile::clicked);
  connect(image, &TImage::doubleClicked, this, &TTile::doubleClicked);
}

void TTile::wire(TLabel* label) {
  connect(label, &TLabel::clicked, this, &TTile::clicked);
  connect(label, &TLabel::doubleClicked, this, &TTile::doubleClicked);
}

void TTile::setTag(int t) {
  tag_ = t;
  background_->setTag(t);
  picture_->setTag(t);
  caption_->setTag(t);
  top_->setTag(t);
  led_->setTag(t);
}

void TTile::setSelected(bool selected) {
  selected_ = selected;
  const bool device = kind_ == Kind::Device;
  const int n = device ? (selected ? UIPic::Selected : UIPic::NotSelected)
                       : (selected ? UIPic::SceneSelected : UIPic::SceneNotSelected);
  background_->setPicture(TImageFetcher::Instance()->Picture(n));
  const QColor c = selected ? Qt::white : Qt::black;
  caption_->setFontColor(c);
  top_->setFontColor(c);
}

void TTile::setLedAction(std::optional<int> action) {
  int n = UIPic::LedsNone;
  if (action) n = *action == 0 ? UIPic::LedsRed : *action == 17 ? UIPic::LedsGreen : UIPic::LedsYellow;
  led_->setPicture(TImageFetcher::Instance()->Picture(n));
  setLedVisible(true);
}

void TTile::setLedVisible(bool on) { led_->setVisible(on && kind_ == Kind::Device); }

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
