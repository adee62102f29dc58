#include "gui/common/TileRow.h"

#include <algorithm>

#include "core/shell/Language.h"
#include "gui/common/TileKeys.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/ImageControl.h"

TTileRow::TTileRow(int tilesPerPage, int pages, QObject* parent)
    : QObject(parent), tilesPerPage_(std::max(1, tilesPerPage)), pages_(std::clamp(pages, 1, 4)) {
  indicator_ = std::make_unique<TIndicatorHandler>(
      tilesPerPage_, [this](QObject* dot) { ShowPage(TUtilities::SenderTag(dot)); });
  // Four tiles to a line on every form.
  keys_ = std::make_unique<TTileKeys>(std::min(4, tilesPerPage_));
  keys_->Current = [this] { return !unselected_ && Accepts(selected_) ? selected_ : -1; };
  keys_->Select = [this](int position) { return Select(position); };
  keys_->Activate = [this] { DoubleClick(selected_); };
  keys_->TurnPage = [this](int step) { return TurnPage(step); };
}

TTileRow::~TTileRow() = default;

TTile* TTileRow::AddTile(const TTileParts& parts, TTile::Look look) {
  const int position = int(tiles_.size());
  tiles_.push_back(std::make_unique<TTile>(parts, look));
  keys_->AddTile(parts.Background, {parts.Picture, parts.Caption, parts.Number, parts.Led});
  for (TImage* image : {parts.Background, parts.Picture, parts.Led}) {
    if (!image) continue;
    image->setTag(position);
    connect(image, &TImage::clicked, this, [this, position] { Select(position); });
    connect(image, &TImage::doubleClicked, this, [this, position] { DoubleClick(position); });
  }
  for (TLabel* label : {parts.Caption, parts.Number}) {
    if (!label) continue;
    label->setTag(position);
    connect(label, &TLabel::clicked, this, [this, position] { Select(position); });
    connect(label, &TLabel::doubleClicked, this, [this, position] { DoubleClick(position); });
  }
  return tiles_.back().get();
}

void TTileRow::AddPageDot(TImage* dot) { indicator_->AddIndicator(dot); }

int TTileRow::Count() const { return ItemCount ? std::clamp(ItemCount(), 0, tilesPerPage_ * pages_) : 0; }

int TTileRow::CurrentPage() const { return indicator_->CurrentPage; }

int TTileRow::AbsoluteIndex() const { return std::max(0, CurrentPage()) * tilesPerPage_ + selected_; }

TTile* TTileRow::Tile(int position) const {
  return position >= 0 && position < TileCount() ? tiles_[size_t(position)].get() : nullptr;
}

bool TTileRow::Accepts(int position) const {
  if (position < 0 || position >= std::min(TileCount(), tilesPerPage_)) return false;
  const int index = std::max(0, CurrentPage()) * tilesPerPage_ + position;
  if (index >= Count() + (BlankSlot ? 1 : 0)) return false;
  return !CanSelect || CanSelect(index);
}

bool TTileRow::Select(int position) {
  if (!Accepts(position)) return false;
  if (TTile* old = Tile(selected_)) old->SetSelected(false);
  selected_ = position;
  unselected_ = false;
  tiles_[size_t(position)]->SetSelected(true);
  keys_->Update();
  if (Selected) Selected(AbsoluteIndex());
  return true;
}

void TTileRow::DoubleClick(int position) {
  // A double-click that did not come with a click first still selects.
  if (position != selected_ && !Select(position)) return;
  if (!Accepts(position)) return;
  if (Activated) Activated(AbsoluteIndex());
}

void TTileRow::ShowPage(int page) {
  if (page < 0 || page >= pages_) return;
  const int old = CurrentPage();
  // Dot i is available when TilesPerPage x i is an item's index (or the
  // blank slot's).
  indicator_->Update(page, BlankSlot ? Count() : Count() - 1);
  Redraw();
  if (page != old) Select(0);
}

bool TTileRow::TurnPage(int step) {
  const int page = std::max(0, CurrentPage()) + step;
  // As the page dots: a page starting at an item (or at the blank slot).
  if (page < 0 || page >= pages_ || page * tilesPerPage_ > (BlankSlot ? Count() : Count() - 1)) return false;
  ShowPage(page);
  return true;
}

void TTileRow::ShowFirstPage() {
  indicator_->CurrentPage = -1;
  ShowPage(0);
}

void TTileRow::Redraw() {
  const int count = Count();
  const int first = std::max(0, CurrentPage()) * tilesPerPage_;
  for (int i = 0; i < TileCount() && i < tilesPerPage_; ++i) {
    TTile& tile = *tiles_[size_t(i)];
    if (first + i < count && FillTile) {
      FillTile(tile, first + i);
    } else if (BlankSlot && first + i == count && Accepts(i)) {
      const QString hint = BlankHint ? BlankHint() : QString();
      tile.ShowBlank(hint, hint.isEmpty() ? GetText(TextId::DoubleClickToEdit) : hint);
    } else {
      tile.Clear();
    }
  }
  keys_->Update();
}

void TTileRow::UnselectAll() {
  for (auto& tile : tiles_) tile->SetSelected(false);
  unselected_ = true;
  keys_->Update();
}
