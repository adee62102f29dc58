#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct TPictureStrips;

// A list of equally sized pictures (130 x 80 in this program), each with an
// optional transparent colour. Pictures are kept as 24-bit RGB images; a
// picture added with a transparent colour carries a mask (pixels of that
// colour are transparent when the picture is drawn).
//
// Pictures read from a file stay in the file's own form (the strips as read)
// until first asked for: Get, GetMasked and MaskColour decode the picture and
// keep it, Mask decodes only the mask. A list is not thread-safe, not even
// for const calls (they decode): the program uses its lists on the GUI
// thread only.
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
  // The same as ARGB32_Premultiplied (every pixel opaque or clear, so the same
  // picture), the form drawn without conversion. For callers that keep the
  // result: a picture not yet decoded is decoded straight into it, for this
  // call only, and not kept in the list.
  QImage GetMaskedPremultiplied(int index) const;

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

  // Used by the file reader: appends pictures 0..count-1 of `strips`,
  // undecoded. Each is decoded as AddWithMask would take it (scaled to the
  // list's size, mask normalised) when first asked for.
  void AppendUndecoded(std::shared_ptr<const TPictureStrips> strips, int count);
  // Get for writers that pass once over every picture: a picture not yet
  // decoded is decoded for this call only and not kept.
  QImage GetUncached(int index) const;
  // Pictures held decoded (all but those still in the file's form).
  int DecodedCount() const;
  // For writers: the strips picture `index` still lies in undecoded, with its
  // slot there; null once it is decoded, or for a picture added as an image.
  const TPictureStrips* Undecoded(int index, int* slot) const;

 private:
  // The picture and its mask as images, decoded or added (ImageList.cpp);
  // kept behind a pointer so that a list can be held, read from a file,
  // counted and copied without QtGui (ImageListStore.cpp).
  struct Images;
  struct Item {
    // Decoded on first use from picture `slot` of `strips` when those are set;
    // the strips are let go once the picture is decoded.
    mutable std::shared_ptr<const TPictureStrips> strips;
    int slot = -1;
    // Null while nothing is decoded. Copies of a list share it: it only ever
    // caches what the strips hold, and a replaced picture gets its own.
    mutable std::shared_ptr<Images> images;
  };
  Images& Decoded(int index) const;
  Images& WithMask(int index) const;
  Item Added(const QImage& picture, std::optional<QRgb> maskColour) const;
  int width_;
  int height_;
  std::vector<Item> items_;
};
