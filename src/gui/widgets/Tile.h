#pragma once

#include <QWidget>

#include "gui/widgets/ImageControl.h"

// One picture tile of the tile rows. All parts carry the tile's Tag and report
// clicks with themselves as sender, so TUtilities::SenderTag works on any part.
//
// Device tile (130 x 198): background 130 x 198 at (0, 0); optional top
// caption 130 x 18 at (0, 6) (hidden unless given); picture 130 x 80 at
// (0, 28); caption 130 x 36 at (0, 114), word-wrapped, 16 px; optional LED
// strip 64 x 16 at (33, 164) (hidden unless shown).
// Scene tile (130 x 116): background; number label 130 x 18 at (0, 8); name
// caption 130 x 36 at (0, 44); no picture, no LED strip.
class TTile : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Tag READ tag WRITE setTag)

 public:
  enum class Kind { Device, Scene };
  explicit TTile(QWidget* parent = nullptr, Kind kind = Kind::Device);

  Kind kind() const { return kind_; }
  TImage* Background() const { return background_; }
  TImage* Picture() const { return picture_; }
  TLabel* Caption() const { return caption_; }
  TLabel* TopCaption() const { return top_; }
  TImage* Led() const { return led_; }

  int tag() const { return tag_; }
  void setTag(int t);  // every part gets it

  // The shared selected/unselected looks: background picture 1/2 (device
  // tile) or 11/10 (scene tile) of TImageFetcher, white/black caption text.
  void setSelected(bool selected);
  bool isSelected() const { return selected_; }

  // LED strip picture by timer/scene action: 0 red, 17 green, other values
  // yellow; std::nullopt shows the all-off strip. Makes the strip visible.
  void setLedAction(std::optional<int> action);
  void setLedVisible(bool on);

 signals:
  void clicked(QObject* sender);
  void doubleClicked(QObject* sender);

 private:
  void wire(TImage* image);
  void wire(TLabel* label);
  Kind kind_;
  TImage* background_;
  TImage* picture_;
  TLabel* caption_;
  TLabel* top_;
  TImage* led_;
  int tag_ = 0;
  bool selected_ = false;
};

// A yes/no choice: two page-dot pictures with a label beside each. The
// chosen side shows the selected dot (shared picture 3), the other side the
// disabled dot (picture 5). Laid out 240 x 25: yes dot at (0, 0), its label
// 80 x 25 at (30, 0); no dot at (120, 0), its label at (150, 0).
class TYesNo : public QWidget {
  Q_OBJECT

 public:
  explicit TYesNo(QWidget* parent = nullptr);

  TImage* YesImage() const { return yes_; }
  TImage* NoImage() const { return no_; }
  TLabel* YesLabel() const { return yesLabel_; }
  TLabel* NoLabel() const { return noLabel_; }

  // Redraws both dots for the given choice.
  void setChoice(bool yes);
  bool choice() const { return choice_; }
  // When on (the default) a click on a side also redraws the dots. Off: the
  // owner decides with setChoice.
  void setAutoChoose(bool on) { auto_ = on; }

 signals:
  // A dot or its label was clicked.
  void picked(bool yes);

 private:
  void onClick(bool yes);
  TImage* yes_;
  TImage* no_;
  TLabel* yesLabel_;
  TLabel* noLabel_;
  bool choice_ = false;
  bool auto_ = true;
};
