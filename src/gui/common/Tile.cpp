#include "gui/common/Tile.h"

#include "gui/common/Accessible.h"
#include "gui/common/ActionLed.h"
#include "gui/common/TileCaption.h"
#include "gui/shell/UIImages.h"
#include "gui/widgets/ImageControl.h"

TTile::TTile(const TTileParts& parts, Look look)
    : Background(parts.Background),
      Picture(parts.Picture),
      Caption(parts.Caption),
      Number(parts.Number),
      Led(parts.Led),
      look_(look) {
  Q_ASSERT(Background && Caption);
  SetSelected(false);
}

void TTile::SetSelected(bool selected) {
  selected_ = selected;
  const bool item = look_ == Look::Item;
  const int n = item ? (selected ? UIPic::Selected : UIPic::NotSelected)
                     : (selected ? UIPic::SceneSelected : UIPic::SceneNotSelected);
  Background->setPicture(TImageFetcher::Instance()->Picture(n));
  const QColor text = selected ? Qt::white : Qt::black;
  Caption->setFontColor(text);
  if (Number) Number->setFontColor(text);
  if (item_) Accessible::MarkSelectable(Background, selected);
}

void TTile::Show(const QImage& picture, const QString& name, std::optional<QRgb> transparentColour) {
  if (Picture) Picture->setPicture(picture, transparentColour);
  SetTileCaption(Caption, name);
  NameParts(name);
  item_ = true;
  Accessible::MarkSelectable(Background, selected_);
}

void TTile::Clear() {
  if (Picture) Picture->clear();
  Caption->setText(QString());
  if (Led) Led->hide();
  NameParts(QString());
  item_ = false;
  Accessible::MarkPicture(Background);
}

void TTile::ShowBlank(const QString& hint, const QString& spoken) {
  Clear();
  if (!hint.isEmpty()) SetTileCaption(Caption, hint);
  Background->setAccessibleName(spoken);
  item_ = true;
  Accessible::MarkSelectable(Background, selected_);
}

void TTile::SetLedAction(std::optional<int> action) {
  if (!Led) return;
  ShowActionLed(Led, action);
  Led->show();
}

void TTile::SetLedVisible(bool visible) {
  if (Led) Led->setVisible(visible);
}

void TTile::NameParts(const QString& name) {
  // A screen reader reads the caption label; the pictures say what it says.
  Background->setAccessibleName(name);
  if (Picture) Picture->setAccessibleName(name);
}
