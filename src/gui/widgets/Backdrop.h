#pragma once

#include <QImage>
#include <QLabel>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

// An opaque picture kept as its borders and one colour per middle row: the
// window background (800 x 600) in about a sixth of its memory. Baked at
// build time (cmake/artbake --banded) and read in place from the resource,
// whose layout is 32-bit words: "BAND", width, height, left, right, top,
// bottom; the top band (rows 0..top-1) and the bottom band (bottom..height-1)
// full width; the left (columns 0..left-1) and right (right..width-1) border
// of the middle rows; one colour per middle row (all RGB32).
class TBandedPicture {
 public:
  // The banded picture in resource `path` (":/baked/....banded"); nothing when
  // it is missing or its layout is not as above.
  static std::optional<TBandedPicture> FromResource(const QString& path);

  QSize Size() const { return {width_, height_}; }
  // Draws the part of the picture within `exposed` at the painter's origin.
  void Paint(QPainter& p, const QRect& exposed) const;
  // The whole picture (RGB32).
  QImage ToImage() const;

 private:
  int width_ = 0, height_ = 0, left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
  QImage topBand_, bottomBand_, leftBorder_, rightBorder_;  // over the resource's words
  const uint32_t* colours_ = nullptr;                       // one per middle row
};

// A QLabel that shows a banded picture when it has one (the main window's
// background), else its pixmap as any label.
class TBackdrop : public QLabel {
 public:
  explicit TBackdrop(QWidget* parent = nullptr) : QLabel(parent) {}
  void setBanded(std::optional<TBandedPicture> picture) {
    banded_ = std::move(picture);
    update();
  }
  bool hasBanded() const { return banded_.has_value(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<TBandedPicture> banded_;
};
