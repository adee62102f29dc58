#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <array>
#include <memory>

#include "core/model/ImageList.h"

// The common-controls image-list stream (the data of the "Bitmap" property).
// All values little-endian.
//
//   ILHEAD (28 bytes): WORD magic "IL" (0x4C49), WORD version (0x101),
//     WORD count, WORD capacity, WORD grow, WORD cx, WORD cy,
//     DWORD background colour (0xFFFFFFFF = none), WORD flags
//     (0x0001 masked, 0x00FE colour depth), 4 x SHORT overlay indices (-1).
//   The pictures as one BMP file image (BITMAPFILEHEADER, BITMAPINFOHEADER,
//     for 1..8 bits per pixel a palette of 2^bits RGBQUADs, rows padded to 4
//     bytes, bottom-up unless the height is negative), picture i at column
//     i % columns, row i / columns, where columns = strip width / cx.
//   For a masked list, the mask strip in the same form (white/1 = transparent).
//
// Reading accepts 1, 4, 8, 16 (5-5-5), 24 and 32 bits per pixel, uncompressed,
// bottom-up and top-down, masked and unmasked. Pictures whose size differs from
// the list's are scaled to it. Limits checked before anything is allocated:
// at most kMaxImageListPictures pictures, cx and cy at most kMaxImageListSide,
// strip sides at most kMaxStripSide, and every bitmap's bits inside the data.
//
// Writing: 24-bit image strip 4 pictures wide, capacity = count rounded up to
// a multiple of 4 (at least 4), grow 4, no background colour, overlays -1;
// flags 0x0018, plus 0x0001 and a 1-bit mask strip when any picture has a
// mask. Pixels under the mask are written black, as drawing with the mask
// (AND the mask, OR the image) requires; the reader therefore gets the mask
// back exactly, while the transparent colour comes back only when it can be
// told from the pixels (see TImageList::AddWithMask).

inline constexpr int kMaxImageListPictures = 4096;
inline constexpr int kMaxImageListSide = 2048;
inline constexpr int kMaxStripSide = 1 << 18;

// Stream constants shared by the reader and the writer.
inline constexpr quint16 kIlMagic = 0x4C49;  // "IL"
inline constexpr quint16 kIlVersion = 0x101;
inline constexpr quint16 kIlcMask = 0x0001;
inline constexpr quint16 kIlcColor24 = 0x0018;
inline constexpr int kIlHeadSize = 28;
inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;

// One bitmap of a stream as read: where its bits lie, nothing decoded.
struct TStripBitmap {
  int width = 0;
  int height = 0;  // always positive
  bool topDown = false;
  int bpp = 0;
  std::array<QRgb, 256> palette = {};  // the first 2^bpp entries, for 1..8 bits per pixel
  const uchar* bits = nullptr;
  qsizetype stride = 0;
  const uchar* Row(int y) const { return bits + stride * (topDown ? y : height - 1 - y); }
};

// The pictures of one stream, undecoded: the stream's strips exactly as read.
// `bytes` keeps the data that the strips point into alive; it is never
// modified. Shared by the pictures of a list (TImageList), each decoded from
// here when it is first asked for.
struct TPictureStrips {
  QByteArray bytes;
  std::shared_ptr<const void> keeper;  // keeps `bytes` valid when they are a mapping (HeldFile.h)
  TStripBitmap image;
  TStripBitmap mask;  // only when `masked`
  bool masked = false;
  int cx = 0;  // picture size in the strips
  int cy = 0;

  // Picture `slot` at the strips' size as RGB888, or as opaque
  // ARGB32_Premultiplied when asked (any other format: RGB888); null when out
  // of memory.
  QImage DecodePicture(int slot, QImage::Format format = QImage::Format_RGB888) const;
  // Its mask as Mono (1 = transparent), or a null image for an unmasked stream.
  QImage DecodeMask(int slot) const;
};

// Appends the stream's pictures to `out` (a fresh list of the wanted size),
// undecoded: every check that can fail is made here, so decoding later
// cannot. `data` lies inside `owner`, which the list keeps a reference to
// (it must own its bytes, or outlive the list when it is
// QByteArray::fromRawData, or be kept valid by `keeper`).
bool ParseImageListStream(QByteArrayView data, const QByteArray& owner, TImageList& out, QString* error,
                          std::shared_ptr<const void> keeper = {});

// Appends the stream of `list` to `out`.
void AppendImageListStream(const TImageList& list, QByteArray& out);
