#pragma once

#include <QColor>
#include <QPushButton>
#include <utility>

// The large push button of every screen: a vertical gradient from
// gradientFrom (top) to gradientTo (bottom), text in fontColor, no focus
// frame. Usable from .ui files as a promoted QPushButton; the colours can be
// set there as properties. A disabled button is drawn washed out with grey
// text; hovering lightens it, pressing darkens it.
class TGradBtn : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(QColor gradientFrom READ gradientFrom WRITE setGradientFrom)
  Q_PROPERTY(QColor gradientTo READ gradientTo WRITE setGradientTo)
  Q_PROPERTY(QColor fontColor READ fontColor WRITE setFontColor)
  Q_PROPERTY(int Tag READ tag WRITE setTag)

 public:
  explicit TGradBtn(QWidget* parent = nullptr);
  explicit TGradBtn(const QString& text, QWidget* parent = nullptr);

  QColor gradientFrom() const { return from_; }
  QColor gradientTo() const { return to_; }
  QColor fontColor() const { return font_; }
  void setGradientFrom(const QColor& c);
  void setGradientTo(const QColor& c);
  void setFontColor(const QColor& c);
  // Both gradient colours and the font colour at once.
  void setColours(const QColor& from, const QColor& to, const QColor& font);

  int tag() const { return tag_; }
  void setTag(int t) { tag_ = t; }

  // Clips the button to the rounded rectangle (1, 1)..(width, height) with
  // corner ellipses of diameter `corner` and draws a smooth edge along it.
  // Follows later resizes. 0 turns the rounding off.
  void setRoundCorners(int corner);
  int roundCorners() const { return corner_; }

  QSize sizeHint() const override;

  // The caption is drawn in captionRect with the button's font, shrunk a
  // pixel at a time down to a readable floor until it fits (gui/widgets/FitText.h).
  QRect captionRect() const;
  QFont captionFont() const;
  // Whether the caption fits at all (at the floor at the least).
  bool captionFits() const;

 protected:
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  void applyMask();
  QColor from_;
  QColor to_;
  QColor font_;
  int tag_ = 0;
  int corner_ = 0;
  std::pair<QSize, int> maskedAs_;  // size and corner of the mask set, corner 0 for none
  bool hover_ = false;
};
