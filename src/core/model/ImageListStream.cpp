#include "core/model/ImageListStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

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

int Columns(const Dib& dib, int cx) { return dib.width / cx; }

bool CoversPictures(const Dib& dib, int cx, int cy, int count) {
  const int columns = Columns(dib, cx);
  return columns > 0 && qint64(columns) * (dib.height / cy) >= count;
}

}  // namespace

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
