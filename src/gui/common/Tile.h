#pragma once

#include <QImage>
#include <optional>

class QWidget;
class TImage;
class TLabel;

// The controls of one tile on a design-time form. Background and Caption are
// required; the others are left null where a screen has none.
struct TTileParts {
  TImage* Background = nullptr;  // 130 x 198 (item tile) or 130 x 116 (scene tile)
  TImage* Picture = nullptr;     // 130 x 80
  TLabel* Caption = nullptr;     // 130 x 36, the item's name
  TLabel* Number = nullptr;      // scene tiles: the scene number above the name
  TImage* Led = nullptr;         // 64 x 16 LED strip: the action a scene item sets
};

// One tile: the selected and unselected looks from the shared pictures, an
// empty slot's look, the LED strip, and an accessible name that follows the
// caption (pictures carry no text of their own).
class TTile {
 public:
  // Item tiles use shared pictures 1 / 2 (selected / not), scene tiles 11 / 10.
  enum class Look { Item, Scene };

  explicit TTile(const TTileParts& parts, Look look = Look::Item);

  // Selected: the selected background and white text; else black text.
  void SetSelected(bool selected);
  bool IsSelected() const { return selected_; }

  // Shows an item: its picture (null clears it) and its name, fitted to the caption.
  void Show(const QImage& picture, const QString& name, std::optional<QRgb> transparentColour = std::nullopt);
  // A slot without an item: no picture, no caption, no LED; not a list item
  // for a screen reader.
  void Clear();
  // The selectable empty slot where an item is added: cleared, with `hint`
  // as its caption (may be empty) and `spoken` as its accessible name.
  void ShowBlank(const QString& hint, const QString& spoken);

  // The LED strip for a scene action: 0 red (off), 17 or more green (on),
  // 1..16 yellow (dim level); none the all-off strip. Shows the strip.
  void SetLedAction(std::optional<int> action);
  void SetLedVisible(bool visible);

  TImage* const Background;
  TImage* const Picture;
  TLabel* const Caption;
  TLabel* const Number;
  TImage* const Led;

 private:
  void NameParts(const QString& name);
  Look look_;
  bool selected_ = false;
  bool item_ = false;  // holds an item or is the blank slot: a list item when read
};
