#include "core/model/ImageList.h"

#include <cstring>
#include <memory>

#include "core/model/ImageListStream.h"

namespace {

constexpr QRgb kRgbMask = 0x00FFFFFF;

QImage MakeMono(int width, int height) {
  QImage mask(width, height, QImage::Format_Mono);
  // Index 1 (white) is transparent, as in the common-controls mask bitmaps.
  mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  mask.fill(0);
  return mask;
}

inline bool MonoBit(const uchar* line, int x) { return (line[x >> 3] >> (7 - (x & 7))) & 1; }
inline void SetMonoBit(uchar* line, int x) { line[x >> 3] |= uchar(0x80 >> (x & 7)); }

QImage ToRgb888(const QImage& picture, int width, int height, bool nearest) {
  QImage rgb = picture;
  if (rgb.size() != QSize(width, height)) {
    rgb = rgb.scaled(width, height, Qt::IgnoreAspectRatio,
                     nearest ? Qt::FastTransformation : Qt::SmoothTransformation);
  }
  if (rgb.format() != QImage::Format_RGB888) rgb = rgb.convertToFormat(QImage::Format_RGB888);
  return rgb;
}

// Mask of the pixels that have exactly `colour`; null when none has it.
QImage MaskOfColour(const QImage& rgb, QRgb colour) {
  const uchar r = uchar(qRed(colour)), g = uchar(qGreen(colour)), b = uchar(qBlue(colour));
  QImage mask = MakeMono(rgb.width(), rgb.height());
  bool any = false;
  const int w = rgb.width(), h = rgb.height();
  for (int y = 0; y < h; ++y) {
    const uchar* src = rgb.constScanLine(y);
    uchar* dst = mask.scanLine(y);
    for (int x = 0; x < w; ++x, src += 3) {
      if (src[0] == r && src[1] == g && src[2] == b) {
        SetMonoBit(dst, x);
        any = true;
      }
    }
  }
  return any ? mask : QImage();
}

// Normalises a caller's mask to a Mono image of the given size (1 =
// transparent); null when no pixel is transparent.
QImage NormaliseMask(const QImage& source, int width, int height) {
  if (source.isNull()) return QImage();
  QImage scaled = source;
  if (scaled.size() != QSize(width, height))
    scaled = scaled.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  QImage mask = MakeMono(width, height);
  bool any = false;
  if (scaled.format() == QImage::Format_Mono || scaled.format() == QImage::Format_MonoLSB) {
    if (scaled.format() == QImage::Format_MonoLSB) scaled = scaled.convertToFormat(QImage::Format_Mono);
    const int bytes = (width + 7) / 8;
    for (int y = 0; y < height; ++y) {
      uchar* dst = mask.scanLine(y);
      std::memcpy(dst, scaled.constScanLine(y), size_t(bytes));
      if (width % 8) dst[bytes - 1] &= uchar(0xFF << (8 - width % 8));
      for (int i = 0; i < bytes && !any; ++i) any = dst[i] != 0;
    }
  } else {
    // Any other picture: light pixels are transparent.
    const QImage gray = scaled.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y) {
      const uchar* src = gray.constScanLine(y);
      uchar* dst = mask.scanLine(y);
      for (int x = 0; x < width; ++x) {
        if (src[x] >= 128) {
          SetMonoBit(dst, x);
          any = true;
        }
      }
    }
  }
  return any ? mask : QImage();
}

// The one colour that exactly the masked pixels have, if there is such a colour.
std::optional<QRgb> ColourOfMask(const QImage& rgb, const QImage& mask) {
  if (mask.isNull()) return std::nullopt;
  bool found = false;
  uchar c[3] = {0, 0, 0};
  const int w = rgb.width(), h = rgb.height();
  for (int y = 0; y < h; ++y) {
    const uchar* src = rgb.constScanLine(y);
    const uchar* m = mask.constScanLine(y);
    for (int x = 0; x < w; ++x, src += 3) {
      if (!MonoBit(m, x)) continue;
      if (!found) {
        std::memcpy(c, src, 3);
        found = true;
      } else if (std::memcmp(c, src, 3) != 0) {
        return std::nullopt;
      }
    }
  }
  if (!found) return std::nullopt;
  // Only a true transparent colour when no visible pixel shares it.
  for (int y = 0; y < h; ++y) {
    const uchar* src = rgb.constScanLine(y);
    const uchar* m = mask.constScanLine(y);
    for (int x = 0; x < w; ++x, src += 3) {
      if (src[0] == c[0] && src[1] == c[1] && src[2] == c[2] && !MonoBit(m, x)) return std::nullopt;
    }
  }
  return qRgb(c[0], c[1], c[2]) & kRgbMask;
}

}  // namespace

struct TImageList::Images {
  QImage picture;  // RGB888; null while undecoded
  QImage mask;     // Mono, null when the picture has no transparency
  bool maskReady = false;
  // Derived from an explicit mask on first request (see AddWithMask).
  std::optional<QRgb> maskColour;
  bool colourPending = false;
};

TImageList::Images& TImageList::WithMask(int index) const {
  const Item& item = items_[size_t(index)];
  if (!item.images) item.images = std::make_shared<Images>();
  Images& images = *item.images;
  if (!images.maskReady) {
    images.mask = NormaliseMask(item.strips->DecodeMask(item.slot), width_, height_);
    images.colourPending = !images.mask.isNull();
    images.maskReady = true;
  }
  return images;
}

TImageList::Images& TImageList::Decoded(int index) const {
  const Item& item = items_[size_t(index)];
  Images& images = WithMask(index);
  if (item.strips) {
    // As AddWithMask takes it: a masked picture is scaled without blending.
    images.picture = ToRgb888(item.strips->DecodePicture(item.slot), width_, height_, item.strips->masked);
    if (!images.picture.isNull()) item.strips.reset();  // out of memory: tried again next time
  }
  return images;
}

QImage TImageList::Get(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  return Decoded(index).picture;
}

QImage TImageList::GetUncached(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  const Item& item = items_[size_t(index)];
  if (!item.strips) return item.images->picture;
  return ToRgb888(item.strips->DecodePicture(item.slot), width_, height_, item.strips->masked);
}

std::optional<QRgb> TImageList::MaskColour(int index) const {
  if (index < 0 || index >= Count()) return std::nullopt;
  Images& images = WithMask(index);
  if (images.colourPending) {
    Decoded(index);
    images.maskColour = ColourOfMask(images.picture, images.mask);
    images.colourPending = false;
  }
  return images.maskColour;
}

QImage TImageList::Mask(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  return WithMask(index).mask;
}

namespace {

// Clears the pixels `mask` (Mono, 1 = transparent, the picture's size) marks
// in a 32-bit picture.
void ClearMasked(QImage& picture, const QImage& mask) {
  if (mask.isNull() || picture.isNull()) return;
  const int w = picture.width(), h = picture.height();
  for (int y = 0; y < h; ++y) {
    const uchar* m = mask.constScanLine(y);
    QRgb* dst = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < w; ++x)
      if (MonoBit(m, x)) dst[x] = 0u;
  }
}

}  // namespace

QImage TImageList::GetMasked(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  const Images& images = Decoded(index);
  // Qt's own conversion (vectorised), then the masked pixels cleared.
  QImage out = images.picture.convertToFormat(QImage::Format_ARGB32);
  ClearMasked(out, images.mask);
  return out;
}

QImage TImageList::GetMaskedPremultiplied(int index) const {
  if (index < 0 || index >= Count()) return QImage();
  const Item& item = items_[size_t(index)];
  // Strips of another size go through the scaling of GetUncached.
  QImage out = item.strips && item.strips->cx == width_ && item.strips->cy == height_
                   ? item.strips->DecodePicture(item.slot, QImage::Format_ARGB32_Premultiplied)
                   : GetUncached(index).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  ClearMasked(out, WithMask(index).mask);
  return out;
}

TImageList::Item TImageList::Added(const QImage& picture, std::optional<QRgb> maskColour) const {
  Item item;
  item.images = std::make_shared<Images>();
  Images& images = *item.images;
  images.maskReady = true;
  images.picture = ToRgb888(picture, width_, height_, maskColour.has_value());
  if (maskColour) {
    images.maskColour = *maskColour & kRgbMask;
    images.mask = MaskOfColour(images.picture, *images.maskColour);
  }
  return item;
}

int TImageList::Add(const QImage& picture, std::optional<QRgb> maskColour) {
  items_.push_back(Added(picture, maskColour));
  return Count() - 1;
}

bool TImageList::Replace(int index, const QImage& picture, std::optional<QRgb> maskColour) {
  if (index < 0 || index >= Count()) return false;
  items_[size_t(index)] = Added(picture, maskColour);
  return true;
}

int TImageList::AddWithMask(const QImage& picture, const QImage& mask) {
  Item item;
  item.images = std::make_shared<Images>();
  Images& images = *item.images;
  images.maskReady = true;
  images.picture = ToRgb888(picture, width_, height_, !mask.isNull());
  images.mask = NormaliseMask(mask, width_, height_);
  images.colourPending = !images.mask.isNull();
  items_.push_back(std::move(item));
  return Count() - 1;
}
