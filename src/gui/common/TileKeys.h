#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <vector>

class QWidget;
class TFocusFrame;

// Keyboard use of a set of tiles on a design-time form (a row of four, the
// scenes grid). Only the selected tile is in the Tab order, so Tab goes from
// set to set; in the set the arrows move the selection (Left/Right past the
// page's end turn the page), Page Up/Down turn the page, Home/End go to the
// page's first/last tile, Enter and Return open the tile as a double-click
// does. Up on the top line and Down on the bottom line go to Above / Below.
//
// While a tile of the set has the focus and the keyboard was used last (not
// the mouse), a frame in the program's colours marks it. The focus is the
// widget's own, so a screen reader follows it (focus event, state focused).
//
// The owner answers for the selection:
//   keys.Current = [this] { return selected_; };        // -1: none
//   keys.Select = [this](int p) { return Select(p); };  // false: refused
//   keys.AddTile(background, {picture, caption});
// and calls Update after its selection or items changed another way.
class TTileKeys : public QObject {
  Q_OBJECT
 public:
  // `columns` tiles to a line (Up/Down step that many).
  explicit TTileKeys(int columns, QObject* parent = nullptr);
  ~TTileKeys() override;

  // Tile `position` (in adding order): the control that takes the focus and
  // those drawn over it. A mouse press on any of them puts the focus on the
  // set without the frame.
  void AddTile(QWidget* focus, std::initializer_list<QWidget*> parts = {});

  std::function<int()> Current;              // required
  std::function<bool(int position)> Select;  // required
  std::function<void()> Activate;            // Enter, Return (optional)
  // To the next (+1) or previous (-1) page; false when there is none. The
  // owner selects the page's first tile (optional).
  std::function<bool(int step)> TurnPage;
  TTileKeys* Above = nullptr;
  TTileKeys* Below = nullptr;

  // The selected tile alone takes the focus, the focus moves with the
  // selection while the set has it, and the frame follows.
  void Update();
  // Focus on the selected tile; false when no tile is selected.
  bool FocusSelected(Qt::FocusReason reason = Qt::OtherFocusReason);
  bool HasFocus() const;
  // The framed tile's position, or -1 when no frame shows.
  int FramedPosition() const;

  // True after a key press, false after a mouse press (in the whole program).
  static bool KeyboardInUse();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int PositionOf(const QObject* o) const;
  bool HandleKey(int key);
  bool Move(int to);
  void PlaceFrame();

  const int columns_;
  std::vector<QPointer<QWidget>> tiles_;
  QPointer<TFocusFrame> frame_;
  bool hadFocus_ = false;
};
