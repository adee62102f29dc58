#pragma once

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

// A list of equally sized pictures (130 x 80 in this program), each with an
// optional transparent colour. Pictures are kept as 24-bit RGB images; a
// picture added with a transparent colour carries a mask (pixels of that
// colour are transparent when the picture is drawn).
class TImageList {
 public:
  explicit TImageList(int width = 130, int height = 80);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return int(items_.size()); }

  // Component name written to and read from the image list file; empty for a
  // list that was created empty.
  QString Name;

  // The picture at `index` as RGB888 (null image for an index out of range).
  QImage Get(int index) const;
  // The transparent colour of the picture, if it has one (0x00RRGGBB).
  std::optional<QRgb> MaskColour(int index) const;
  // The picture with its transparent pixels cut out (ARGB32); for drawing.
  QImage GetMasked(int index) const;

  // Adds a picture, scaled to the list's size when it differs; returns its index.
  int Add(const QImage& picture, std::optional<QRgb> maskColour = std::nullopt);
  // Replaces a picture; an index out of range does nothing and returns false.
  bool Replace(int index, const QImage& picture, std::optional<QRgb> maskColour = std::nullopt);
  void Clear();

  // Used by the file reader: a picture with an explicit mask (Mono/MonoLSB:
  // index 1 = transparent; other formats: light pixels are transparent),
  // both scaled to the list's size. An empty mask means none. The picture's
  // transparent colour is the one colour that exactly its masked pixels have,
  // and none when masked pixels differ or a visible pixel shares it.
  int AddWithMask(const QImage& picture, const QImage& mask);
  // The mask of a picture (Format_Mono, 1 = transparent) or a null image.
  QImage Mask(int index) const;

 private:
  struct Item {
    QImage picture;  // RGB888
    QImage mask;     // Mono, null when the picture has no transparency
    // Derived from an explicit mask on first request (see AddWithMask).
    mutable std::optional<QRgb> maskColour;
    mutable bool colourPending = false;
  };
  int width_;
  int height_;
  std::vector<Item> items_;
};
