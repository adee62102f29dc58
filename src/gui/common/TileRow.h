#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "gui/common/Tile.h"

class TImage;
class TIndicatorHandler;
class TTileKeys;

// A row (or grid) of tiles on a design-time form showing up to 16 items,
// TilesPerPage at a time over at most four pages, with the page dots under
// it. The item at page x TilesPerPage + position is the absolute index. One
// tile is selected: a click selects a tile that holds an item (or, with
// BlankSlot, the empty slot after the last item); changing page selects the
// page's first tile. The screen supplies the count and the drawing:
//
//   rooms.ItemCount = [] { return TLoadSave::Instance()->RoomCount(); };
//   rooms.FillTile = [](TTile& t, int i) { t.Show(PictureOf(i), NameOf(i)); };
//   rooms.Selected = [this](int i) { ShowDevicesOf(i); };
//   rooms.AddTile({.Background = ui->imgBGR1, .Picture = ui->imgR1, .Caption = ui->lblR1});
//   ...
//   rooms.ShowPage(0);
//
// A home-screen row is (4, 4) with page dots and BlankSlot; the scenes
// overview is one page of 16.
//
// Keys (see TTileKeys): the selected tile takes the focus, the arrows and
// Page Up/Down select as clicks and page dots do, Enter is a double-click.
class TTileRow : public QObject {
  Q_OBJECT
 public:
  explicit TTileRow(int tilesPerPage = 4, int pages = 4, QObject* parent = nullptr);
  ~TTileRow() override;

  // Building, in position order. Every part gets the position as Tag; clicks
  // go to Click, double-clicks to DoubleClick.
  TTile* AddTile(const TTileParts& parts, TTile::Look look = TTile::Look::Item);
  // Page dots in page order, at most four. Clicking an available dot shows its page.
  void AddPageDot(TImage* dot);

  // Items, packed at the front of their table (required).
  std::function<int()> ItemCount;
  // Draws item `index` (below ItemCount) into `tile`; tiles past the items
  // are cleared by the row (required).
  std::function<void(TTile& tile, int index)> FillTile;
  // A further refusal of a tile that would be accepted (optional).
  std::function<bool(int index)> CanSelect;
  // After a tile was selected: by a click, a page change or Select (optional).
  std::function<void(int index)> Selected;
  // A double-click on a tile that is or becomes selected (optional).
  std::function<void(int index)> Activated;
  // The empty slot after the last item can be selected (to add an item) and
  // its page shown.
  bool BlankSlot = false;
  // With BlankSlot: the caption the blank slot shows (optional; none when it
  // answers an empty text). A screen reader hears it, or "Double click to
  // edit" without one.
  std::function<QString()> BlankHint;

  // Whether the tile at `position` of the shown page may be selected.
  bool Accepts(int position) const;
  // Moves the selection there when accepted, then calls Selected; answers
  // whether it was accepted (else the old selection stays).
  bool Select(int position);
  // A double-click: selects first when needed, then Activated.
  void DoubleClick(int position);
  // Shows page 0..pages-1: the dots, the tiles, and when the page changed the
  // selection of its first tile.
  void ShowPage(int page);
  // Page 0 with its first tile selected, whatever was shown before.
  void ShowFirstPage();
  // Draws the shown page again (the items changed), keeping the selection.
  void Redraw();
  // Every tile takes the unselected look; the selected position is kept.
  void UnselectAll();

  int TilesPerPage() const { return tilesPerPage_; }
  int CurrentPage() const;  // -1 before the first ShowPage
  int SelectedPosition() const { return selected_; }
  int AbsoluteIndex() const;
  int TileCount() const { return int(tiles_.size()); }
  TTile* Tile(int position) const;
  TIndicatorHandler* Indicator() const { return indicator_.get(); }
  // Link rows with Above / Below; FocusSelected puts the focus on the row.
  TTileKeys* Keys() const { return keys_.get(); }

 private:
  int Count() const;
  bool TurnPage(int step);
  int tilesPerPage_;
  int pages_;
  int selected_ = 0;
  bool unselected_ = false;  // UnselectAll: no tile shows selected
  std::vector<std::unique_ptr<TTile>> tiles_;
  std::unique_ptr<TIndicatorHandler> indicator_;
  std::unique_ptr<TTileKeys> keys_;
};
