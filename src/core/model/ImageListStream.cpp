#include "core/model/ImageListStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr quint16 kIlMagic = 0x4C49;  // "IL"
constexpr quint16 kIlVersion = 0x101;
constexpr quint16 kIlcMask = 0x0001;
constexpr quint16 kIlcColor24 = 0x0018;
constexpr int kIlHeadSize = 28;
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

bool Fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

// Bounds-checked little-endian reader over a byte range.
class Reader {
 public:
  explicit Reader(QByteArrayView data) : p_(reinterpret_cast<const uchar*>(data.data())), n_(data.size()) {}
  qsizetype Left() const { return n_ - pos_; }
  bool Has(qint64 k) const { return k >= 0 && k <= Left(); }
  quint8 U8() { return Has(1) ? p_[pos_++] : 0; }
  quint16 U16() {
    if (!Has(2)) return pos_ = n_, 0;
    quint16 v = quint16(p_[pos_] | (p_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  quint32 U32() {
    if (!Has(4)) return pos_ = n_, 0;
    quint32 v = quint32(p_[pos_]) | (quint32(p_[pos_ + 1]) << 8) | (quint32(p_[pos_ + 2]) << 16) |
                (quint32(p_[pos_ + 3]) << 24);
    pos_ += 4;
    return v;
  }
  // Pointer to the next k bytes (which must be there) and skips them.
  const uchar* Take(qsizetype k) {
    const uchar* at = p_ + pos_;
    pos_ += k;
    return at;
  }

 private:
  const uchar* p_;
  qsizetype n_;
  qsizetype pos_ = 0;
};

using Dib = TStripBitmap;

bool ReadDib(Reader& r, Dib& dib, const char* what, QString* error) {
  const QString name = QString::fromLatin1(what);
  if (!r.Has(kFileHeaderSize + kInfoHeaderSize))
    return Fail(error, QStringLiteral("%1: bitmap header cut short").arg(name));
  if (r.U8() != 'B' || r.U8() != 'M')
    return Fail(error, QStringLiteral("%1: not a bitmap (no \"BM\")").arg(name));
  r.Take(12);  // file size, reserved, bits offset: the bits follow the palette directly
  const quint32 headerSize = r.U32();
  const qint32 width = qint32(r.U32());
  const qint32 height = qint32(r.U32());
  const quint16 planes = r.U16();
  const quint16 bpp = r.U16();
  const quint32 compression = r.U32();
  r.Take(20);  // image size, resolution, colours used/important
  if (headerSize < quint32(kInfoHeaderSize) || headerSize > 1024)
    return Fail(error, QStringLiteral("%1: unknown bitmap header size %2").arg(name).arg(headerSize));
  if (!r.Has(qint64(headerSize) - kInfoHeaderSize))
    return Fail(error, QStringLiteral("%1: bitmap header cut short").arg(name));
  r.Take(qsizetype(headerSize) - kInfoHeaderSize);
  if (planes != 1) return Fail(error, QStringLiteral("%1: %2 colour planes").arg(name).arg(planes));
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
    return Fail(error, QStringLiteral("%1: unsupported %2 bits per pixel").arg(name).arg(bpp));
  if (compression != 0)
    return Fail(error, QStringLiteral("%1: compressed bitmaps are not supported").arg(name));
  if (width < 0 || width > kMaxStripSide || height < -kMaxStripSide || height > kMaxStripSide)
    return Fail(error, QStringLiteral("%1: absurd bitmap size %2 x %3").arg(name).arg(width).arg(height));
  dib.width = width;
  dib.height = height < 0 ? -height : height;
  dib.topDown = height < 0;
  dib.bpp = bpp;
  if (bpp <= 8) {
    const int colours = 1 << bpp;
    if (!r.Has(qint64(colours) * 4)) return Fail(error, QStringLiteral("%1: palette cut short").arg(name));
    const uchar* pal = r.Take(colours * 4);
    for (int i = 0; i < colours; ++i) dib.palette[i] = qRgb(pal[4 * i + 2], pal[4 * i + 1], pal[4 * i]);
  }
  dib.stride = ((qint64(dib.width) * bpp + 31) / 32) * 4;
  const qint64 size = qint64(dib.stride) * dib.height;
  if (!r.Has(size)) return Fail(error, QStringLiteral("%1: bitmap bits cut short").arg(name));
  dib.bits = r.Take(qsizetype(size));
  return true;
}

// Decodes n pixels from x0 of a strip row into RGB888 bytes.
void DecodeRow(const Dib& dib, const uchar* row, int x0, int n, uchar* out) {
  auto put = [&out](QRgb c) {
    out[0] = uchar(qRed(c));
    out[1] = uchar(qGreen(c));
    out[2] = uchar(qBlue(c));
    out += 3;
  };
  switch (dib.bpp) {
    case 1:
      for (int x = x0; x < x0 + n; ++x) put(dib.palette[(row[x >> 3] >> (7 - (x & 7))) & 1]);
      break;
    case 4:
      for (int x = x0; x < x0 + n; ++x) put(dib.palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F]);
      break;
    case 8:
      for (int x = x0; x < x0 + n; ++x) put(dib.palette[row[x]]);
      break;
    case 16:
      for (int x = x0; x < x0 + n; ++x) {
        const unsigned v = unsigned(row[2 * x]) | (unsigned(row[2 * x + 1]) << 8);
        const unsigned r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
        out[0] = uchar((r << 3) | (r >> 2));
        out[1] = uchar((g << 3) | (g >> 2));
        out[2] = uchar((b << 3) | (b >> 2));
        out += 3;
      }
      break;
    case 24: {
      const uchar* s = row + qsizetype(3) * x0;
      for (int i = 0; i < n; ++i, out += 3, s += 3) {
        out[0] = s[2];
        out[1] = s[1];
        out[2] = s[0];
      }
      break;
    }
    case 32: {
      const uchar* s = row + qsizetype(4) * x0;
      for (int i = 0; i < n; ++i, out += 3, s += 4) {
        out[0] = s[2];
        out[1] = s[1];
        out[2] = s[0];
      }
      break;
    }
  }
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

bool CoversPictures(const Dib& dib, int cx, int cy, int count) {
  const int columns = Columns(dib, cx);
  return columns > 0 && qint64(columns) * (dib.height / cy) >= count;
}

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

QImage TPictureStrips::DecodePicture(int slot) const {
  QImage picture(cx, cy, QImage::Format_RGB888);
  if (picture.isNull()) return picture;
  const int columns = Columns(image, cx);
  const int x0 = (slot % columns) * cx, y0 = (slot / columns) * cy;
  for (int y = 0; y < cy; ++y) DecodeRow(image, image.Row(y0 + y), x0, cx, picture.scanLine(y));
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

bool ParseImageListStream(QByteArrayView data, const QByteArray& owner, TImageList& out, QString* error,
                          std::shared_ptr<const void> keeper) {
  Reader r(data);
  if (!r.Has(kIlHeadSize)) return Fail(error, QStringLiteral("image list header cut short"));
  if (r.U16() != kIlMagic) return Fail(error, QStringLiteral("image list stream does not start with \"IL\""));
  r.U16();  // version: only the layout below is known; the bitmap checks catch others
  const int count = r.U16();
  r.U16();  // capacity
  r.U16();  // grow
  const int cx = r.U16();
  const int cy = r.U16();
  r.U32();  // background colour
  const quint16 flags = r.U16();
  r.Take(8);  // overlays
  if (count > kMaxImageListPictures)
    return Fail(
        error,
        QStringLiteral("image list holds %1 pictures, more than %2").arg(count).arg(kMaxImageListPictures));
  if (count > 0 && (cx == 0 || cy == 0 || cx > kMaxImageListSide || cy > kMaxImageListSide))
    return Fail(error, QStringLiteral("unusable picture size %1 x %2").arg(cx).arg(cy));

  Dib image;
  if (!ReadDib(r, image, "pictures", error)) return false;
  Dib mask;
  const bool masked = flags & kIlcMask;
  if (masked && !ReadDib(r, mask, "mask", error)) return false;
  if (count == 0) return true;
  if (!CoversPictures(image, cx, cy, count))
    return Fail(error, QStringLiteral("picture strip %1 x %2 too small for %3 pictures of %4 x %5")
                           .arg(image.width)
                           .arg(image.height)
                           .arg(count)
                           .arg(cx)
                           .arg(cy));
  if (masked && !CoversPictures(mask, cx, cy, count))
    return Fail(error, QStringLiteral("mask strip %1 x %2 too small for %3 pictures of %4 x %5")
                           .arg(mask.width)
                           .arg(mask.height)
                           .arg(count)
                           .arg(cx)
                           .arg(cy));

  auto strips = std::make_shared<TPictureStrips>();
  strips->bytes = owner;
  strips->keeper = std::move(keeper);
  strips->image = image;
  strips->mask = mask;
  strips->masked = masked;
  strips->cx = cx;
  strips->cy = cy;
  out.AppendUndecoded(std::move(strips), count);
  return true;
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
