// The parts of TImageList that need no QtGui: holding, counting and
// appending pictures still in a file's form. klv820ctl reads and counts lists
// with these alone; decoding and adding pictures is in ImageList.cpp.
#include "core/model/ImageList.h"

TImageList::TImageList(int width, int height) : width_(width), height_(height) {}

void TImageList::Clear() { items_.clear(); }

void TImageList::AppendUndecoded(std::shared_ptr<const TPictureStrips> strips, int count) {
  items_.reserve(items_.size() + size_t(count));
  for (int i = 0; i < count; ++i) {
    Item item;
    item.strips = strips;
    item.slot = i;
    items_.push_back(std::move(item));
  }
}

const TPictureStrips* TImageList::Undecoded(int index, int* slot) const {
  if (index < 0 || index >= Count()) return nullptr;
  const Item& item = items_[size_t(index)];
  if (slot) *slot = item.slot;
  return item.strips.get();
}

int TImageList::DecodedCount() const {
  int n = 0;
  for (const Item& item : items_) n += item.strips ? 0 : 1;
  return n;
}
