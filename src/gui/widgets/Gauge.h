#pragma once

#include <QPixmap>
#include <QProgressBar>
#include <QRawFont>
#include <array>

class QStyleOptionProgressBar;

// A progress bar in the look of the style's own, drawn from three pictures
// the style renders once per size (the bar empty, half full and full): the
// full picture up to the value, the half-full picture's right end of the
// fill and the shadow after it, the empty picture beyond, and the percentage
// text laid over it. Setting a value that moves the fill costs two small
// picture copies instead of the style's antialiased outlines each time.
// Upright, reversed and busy bars are drawn by the style as usual.
//
// The percentage is drawn from the font's glyphs for "0".."9" and "%", looked
// up once, instead of the style laying the text out anew for each value;
// only where those glyphs were found to draw the very pixels the style draws
// (checked with the pictures), else by the style.
//
// Over a backdrop (the picture behind the bar, at its size) the bar draws
// every pixel of itself: each new value then repaints the bar alone, not
// the artwork beneath it as well.
class TGauge : public QProgressBar {
  Q_OBJECT
 public:
  explicit TGauge(QWidget* parent = nullptr);

  // Pixels of the filled part (0 .. width) at the current value.
  int fillWidth() const;
  // Polishes the bar and renders its pictures now (about a millisecond)
  // rather than at its first showing; for a bar about to be set often while
  // time counts.
  void Prepare();
  // The picture the bar's parent shows behind it (logical size = the bar's);
  // a null pixmap, or one of another size, leaves the bar transparent.
  void setBackdrop(const QPixmap& backdrop);
  bool opaque() const { return testAttribute(Qt::WA_OpaquePaintEvent); }
  // Whether the percentage is drawn from the looked-up glyphs (known once
  // the pictures are rendered).
  bool glyphLabel() const { return glyphLabel_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void render();
  void updateOpaque();
  void drawBackdrop(QPainter* p) const;
  void prepareLabel();
  // Draws `opt.text` centred in `opt.rect`, in the highlighted text colour
  // left of `fill` and the text colour right of it; false (nothing drawn)
  // for a character without a looked-up glyph.
  bool drawGlyphLabel(QPainter* p, const QStyleOptionProgressBar& opt, int fill) const;
  QRawFont labelFont_;
  std::array<quint32, 11> labelGlyphs_{};  // "0".."9", "%"
  bool glyphLabel_ = false;
  QPixmap backdrop_;
  QPixmap empty_;
  QPixmap half_;
  QPixmap full_;
};
