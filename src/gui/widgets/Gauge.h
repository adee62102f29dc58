#pragma once

#include <QGlyphRun>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QRawFont>
#include <array>
#include <memory>

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
// (checked with the pictures), else by the style. The texts of 0 .. 100 % and
// their placed glyphs are made with the pictures, so a new value neither
// formats a number in the locale nor measures glyphs.
//
// Over a backdrop (the picture behind the bar, at its size) the bar draws
// every pixel of itself: each new value then repaints the bar alone, not
// the artwork beneath it as well. There the bar as last drawn is kept
// whole: a new value copies the columns that changed from the pictures and
// puts the bar on the screen in one opaque copy, not three blended ones.
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
  // Sets the value as setValue does; a bar over its backdrop, plainly in
  // view (shown, its window on the screen, no control over it, wholly inside
  // its parents) then draws its new look straight into the window's backing
  // store and puts just its own rectangle on the screen, rather than having
  // the window repaint that region through its controls. Elsewhere the same
  // as setValue. For a bar set often while time counts.
  void setValueNow(int value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void render();
  void updateOpaque();
  void drawBackdrop(QPainter* p) const;
  void prepareLabel();
  // Whether setValueNow can draw the bar itself (see there).
  bool canDrawNow() const;
  // The fill is in the part the pictures draw (not a style-drawn end).
  bool piecesFit(int fill) const;
  // A text placed centred in a rectangle from the looked-up glyphs.
  struct GlyphLabel {
    QString text;
    QGlyphRun run;
    QPointF origin;
    qreal width = 0;
    bool ok = false;  // every character has a looked-up glyph
  };
  GlyphLabel makeGlyphLabel(const QString& text, const QRect& r) const;
  // Draws `label` in the highlighted text colour left of `fill` (pixels from
  // the left of `r`) and the text colour right of it.
  void drawGlyphLabel(QPainter* p, const GlyphLabel& label, const QRect& r, int fill,
                      const QPalette& palette) const;
  // The percentages' texts and glyphs for the bar's rectangle, format and
  // locale; the entry for the current value, or null where the text is not
  // one of them (another format, an empty or out-of-range bar).
  void prepareLabels();
  const GlyphLabel* currentLabel() const;
  // Brings frame_ to the bar filled to `fill` with `label` on it (null:
  // none): the columns that change, and those of the label it had, are
  // copied from the pictures, and the label is drawn by a painter kept open
  // on the frame.
  void updateFrame(int fill, const GlyphLabel* label);
  std::array<GlyphLabel, 101> labels_;
  bool labelsReady_ = false;
  QString labelsFormat_;
  QLocale labelsLocale_;
  QRawFont labelFont_;
  std::array<quint32, 11> labelGlyphs_{};  // "0".."9", "%"
  bool glyphLabel_ = false;
  // The pictures as opaque images (empty, half, full), when they are wholly
  // opaque at a whole-number pixel ratio; else null and the bar is drawn
  // from the pixmaps.
  std::array<QImage, 3> opaquePieces_;
  QImage frame_;
  int frameFill_ = -1;  // -1: frame_ not drawn yet
  const GlyphLabel* frameLabel_ = nullptr;
  int labelFrom_ = 0, labelTo_ = 0;         // columns the frame's label may touch
  std::unique_ptr<QPainter> framePainter_;  // on frame_; declared after it, so ended first
  QPixmap backdrop_;
  QPixmap empty_;
  QPixmap half_;
  QPixmap full_;
};
