// Decoding pictures from image-list strips and encoding lists as streams:
// the QtGui side of ImageListStream.h (reading the stream is in
// ImageListStream.cpp and needs no QtGui).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/model/ImageListStream.h"

namespace {

using Dib = TStripBitmap;

// Calls put(r, g, b) for n pixels from x0 of a strip row, left to right.
template <typename Put>
void ForEachPixel(const Dib& dib, const uchar* row, int x0, int n, Put put) {
  auto putColour = [&put](QRgb c) { put(uchar(qRed(c)), uchar(qGreen(c)), uchar(qBlue(c))); };
  switch (dib.bpp) {
    case 1:
      for (int x = x0; x < x0 + n; ++x) putColour(dib.palette[(row[x >> 3] >> (7 - (x & 7))) & 1]);
      break;
    case 4:
      for (int x = x0; x < x0 + n; ++x) putColour(dib.palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]);
      break;
    case 8:
      for (int x = x0; x < x0 + n; ++x) putColour(dib.palette[row[x]]);
      break;
    case 16:
      for (int x = x0; x < x0 + n; ++x) {
        const unsigned v = unsigned(row[2 * x]) | (unsigned(row[2 * x + 1]) << 8);
        const unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        put(uchar((r << 3) | (r >> 2)), uchar((g << 3) | (g >> 2)), uchar((b << 3) | (b >> 2)));
      }
      break;
    case 24: {
      const uchar* s = row + qsizetype(3) * x0;
      for (int i = 0; i < n; ++i, s += 3) put(s[2], s[1], s[0]);
      break;
    }
    case 32: {
      const uchar* s = row + qsizetype(4) * x0;
      for (int i = 0; i < n; ++i, s += 4) put(s[2], s[1], s[0]);
      break;
    }
  }
}

// Decodes n pixels from x0 of a strip row into RGB888 bytes.
void DecodeRow(const Dib& dib, const uchar* row, int x0, int n, uchar* out) {
  ForEachPixel(dib, row, x0, n, [&out](uchar r, uchar g, uchar b) {
    out[0] = r;
    out[1] = g;
    out[2] = b;
    out += 3;
  });
}

// The same as opaque 32-bit pixels (ARGB32, premultiplied or not alike).
void DecodeRowOpaque(const Dib& dib, const uchar* row, int x0, int n, QRgb* out) {
  ForEachPixel(dib, row, x0, n, [&out](uchar r, uchar g, uchar b) { *out++ = qRgb(r, g, b); });
}

inline bool Light(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c) >= 384; }

// Decodes n mask pixels from x0 into Mono bits (1 = transparent, light in the strip).
void DecodeMaskRow(const Dib& dib, const uchar* row, int x0, int n, uchar* out, std::vector<uchar>& scratch) {
  const int bytes = (n + 7) / 8;
  std::memset(out, 0, size_t(bytes));
  if (dib.bpp == 1) {
    const bool light0 = Light(dib.palette[0]), light1 = Light(dib.palette[1]);
    if (light0 == light1) {
      if (light0) std::memset(out, 0xFF, size_t(bytes));
    } else {
      // Shift the strip's bits into place a byte at a time.
      const qsizetype first = x0 >> 3, rowBytes = (qsizetype(x0) + n + 7) / 8;
      const int shift = x0 & 7;
      for (int j = 0; j < bytes; ++j) {
        unsigned v = unsigned(row[first + j]) << shift;
        if (shift && first + j + 1 < rowBytes) v |= row[first + j + 1] >> (8 - shift);
        out[j] = uchar(light1 ? v : ~v);
      }
    }
  } else {
    scratch.resize(size_t(n) * 3);
    DecodeRow(dib, row, x0, n, scratch.data());
    const uchar* m = scratch.data();
    for (int x = 0; x < n; ++x, m += 3)
      if (int(m[0]) + m[1] + m[2] >= 384) out[x >> 3] |= uchar(0x80 >> (x & 7));
  }
  if (n % 8) out[bytes - 1] &= uchar(0xFF << (8 - n % 8));
}

int Columns(const Dib& dib, int cx) { return dib.width / cx; }

void PutU16(uchar*& p, unsigned v) {
  *p++ = uchar(v);
  *p++ = uchar(v >> 8);
}
void PutU32(uchar*& p, quint32 v) {
  for (int i = 0; i < 4; ++i) *p++ = uchar(v >> (8 * i));
}

// BITMAPFILEHEADER + BITMAPINFOHEADER (+ palette) into `out`, returns the bits.
uchar* AppendBitmap(QByteArray& out, int width, int height, int bpp, const std::vector<QRgb>& palette) {
  const qsizetype stride = ((qint64(width) * bpp + 31) / 32) * 4;
  const qsizetype imageSize = stride * height;
  const qsizetype offBits = kFileHeaderSize + kInfoHeaderSize + qsizetype(palette.size()) * 4;
  const qsizetype start = out.size();
  out.resize(start + offBits + imageSize, '\0');
  uchar* p = reinterpret_cast<uchar*>(out.data()) + start;
  *p++ = 'B';
  *p++ = 'M';
  PutU32(p, quint32(offBits + imageSize));
  PutU32(p, 0);
  PutU32(p, quint32(offBits));
  PutU32(p, kInfoHeaderSize);
  PutU32(p, quint32(width));
  PutU32(p, quint32(height));
  PutU16(p, 1);
  PutU16(p, unsigned(bpp));
  PutU32(p, 0);  // BI_RGB
  PutU32(p, quint32(imageSize));
  PutU32(p, 0);
  PutU32(p, 0);
  PutU32(p, 0);
  PutU32(p, 0);
  for (QRgb c : palette) {
    *p++ = uchar(qBlue(c));
    *p++ = uchar(qGreen(c));
    *p++ = uchar(qRed(c));
    *p++ = 0;
  }
  return p;
}

}  // namespace

QImage TPictureStrips::DecodePicture(int slot, QImage::Format format) const {
  const bool opaque32 = format == QImage::Format_ARGB32_Premultiplied;
  QImage picture(cx, cy, opaque32 ? format : QImage::Format_RGB888);
  if (picture.isNull()) return picture;
  const int columns = Columns(image, cx);
  const int x0 = (slot % columns) * cx, y0 = (slot / columns) * cy;
  for (int y = 0; y < cy; ++y) {
    if (opaque32) {
      DecodeRowOpaque(image, image.Row(y0 + y), x0, cx, reinterpret_cast<QRgb*>(picture.scanLine(y)));
    } else {
      DecodeRow(image, image.Row(y0 + y), x0, cx, picture.scanLine(y));
    }
  }
  return picture;
}

QImage TPictureStrips::DecodeMask(int slot) const {
  if (!masked) return QImage();
  QImage pictureMask(cx, cy, QImage::Format_Mono);
  if (pictureMask.isNull()) return pictureMask;
  pictureMask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  const int columns = Columns(mask, cx);
  const int x0 = (slot % columns) * cx, y0 = (slot / columns) * cy;
  std::vector<uchar> scratch;
  for (int y = 0; y < cy; ++y)
    DecodeMaskRow(mask, mask.Row(y0 + y), x0, cx, pictureMask.scanLine(y), scratch);
  return pictureMask;
}

void AppendImageListStream(const TImageList& list, QByteArray& out) {
  const int count = list.Count();
  const int cx = list.Width(), cy = list.Height();
  bool masked = false;
  for (int i = 0; i < count && !masked; ++i) masked = !list.Mask(i).isNull();
  const int capacity = std::max(4, (count + 3) / 4 * 4);
  const int stripWidth = 4 * cx, stripHeight = capacity / 4 * cy;

  const qsizetype imageBytes = ((qint64(stripWidth) * 24 + 31) / 32) * 4 * stripHeight;
  const qsizetype maskBytes = masked ? ((qint64(stripWidth) + 31) / 32) * 4 * stripHeight + 8 : 0;
  const qsizetype start = out.size();
  out.reserve(start + kIlHeadSize + 2 * (kFileHeaderSize + kInfoHeaderSize) + imageBytes + maskBytes);
  out.resize(start + kIlHeadSize);
  uchar* h = reinterpret_cast<uchar*>(out.data()) + start;
  PutU16(h, kIlMagic);
  PutU16(h, kIlVersion);
  PutU16(h, unsigned(count));
  PutU16(h, unsigned(capacity));
  PutU16(h, 4);
  PutU16(h, unsigned(cx));
  PutU16(h, unsigned(cy));
  PutU32(h, 0xFFFFFFFFu);
  PutU16(h, kIlcColor24 | (masked ? kIlcMask : 0));
  for (int i = 0; i < 4; ++i) PutU16(h, 0xFFFF);

  const qsizetype stride = ((qint64(stripWidth) * 24 + 31) / 32) * 4;
  uchar* bits = AppendBitmap(out, stripWidth, stripHeight, 24, {});
  for (int i = 0; i < count; ++i) {
    const QImage mask = list.Mask(i);
    // A picture still in 24-bit strips of the list's size is copied as read
    // (the same bytes its decoding would give); other pictures not shown yet
    // are decoded for this pass only.
    int slot = 0;
    const TPictureStrips* strips = list.Undecoded(i, &slot);
    const bool asRead = strips && strips->image.bpp == 24 && strips->cx == cx && strips->cy == cy;
    const QImage picture = asRead ? QImage() : list.GetUncached(i);
    if (!asRead && picture.isNull()) continue;  // out of memory: left black
    const int x0 = (i % 4) * cx, y0 = (i / 4) * cy;
    for (int y = 0; y < cy; ++y) {
      uchar* dst = bits + stride * (stripHeight - 1 - (y0 + y)) + qsizetype(x0) * 3;
      if (asRead) {
        const int columns = strips->image.width / cx;
        const uchar* src = strips->image.Row((slot / columns) * cy + y) + qsizetype(slot % columns) * cx * 3;
        std::memcpy(dst, src, size_t(cx) * 3);
      } else {
        const uchar* src = picture.constScanLine(y);
        for (int x = 0; x < cx; ++x) {
          dst[3 * x] = src[3 * x + 2];
          dst[3 * x + 1] = src[3 * x + 1];
          dst[3 * x + 2] = src[3 * x];
        }
      }
      if (mask.isNull()) continue;
      // Transparent pixels are black in the image.
      const uchar* m = mask.constScanLine(y);
      for (int x = 0; x < cx; x += 8) {
        const uchar bitsHere = m[x >> 3];
        if (!bitsHere) continue;
        if (bitsHere == 0xFF && x + 8 <= cx) {
          std::memset(dst + 3 * x, 0, 24);
          continue;
        }
        for (int k = x; k < std::min(cx, x + 8); ++k)
          if ((m[k >> 3] >> (7 - (k & 7))) & 1) std::memset(dst + 3 * k, 0, 3);
      }
    }
  }
  if (masked) {
    const qsizetype maskStride = ((qint64(stripWidth) + 31) / 32) * 4;
    uchar* maskBits = AppendBitmap(out, stripWidth, stripHeight, 1, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int bytes = (cx + 7) / 8;
    const uchar last = uchar(0xFF << ((8 - cx % 8) % 8));
    for (int i = 0; i < count; ++i) {
      const QImage mask = list.Mask(i);
      if (mask.isNull()) continue;
      const int x0 = (i % 4) * cx, y0 = (i / 4) * cy;
      const int first = x0 >> 3, shift = x0 & 7;
      for (int y = 0; y < cy; ++y) {
        const uchar* m = mask.constScanLine(y);
        uchar* dst = maskBits + maskStride * (stripHeight - 1 - (y0 + y)) + first;
        for (int j = 0; j < bytes; ++j) {
          const uchar v = j == bytes - 1 ? uchar(m[j] & last) : m[j];
          if (!v) continue;
          dst[j] |= uchar(v >> shift);
          const uchar spill = shift ? uchar(v << (8 - shift)) : 0;
          if (spill) dst[j + 1] |= spill;
        }
      }
    }
  }
}
