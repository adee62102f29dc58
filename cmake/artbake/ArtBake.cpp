// Build step: decodes start-up artwork (PNG, JPEG) into the pixel layout the
// program draws, so that it reads the pixels in place instead of decoding
// them at every start (see ReadResourcePicture in gui/widgets/Artwork.h).
//
//   klv820-artbake [--banded] INPUT OUTPUT
//
// OUTPUT: four native 32-bit words (width, height, QImage::Format,
// bytes per line), then height x bytes-per-line bytes of pixels.
// Pictures with alpha are stored premultiplied (ARGB32_Premultiplied),
// others as RGB32. Exit code 1 when INPUT cannot be read or OUTPUT written.
//
// --banded, for an opaque picture whose middle rows are each one colour
// between a left and a right border (the window background): the layout of
// TBandedPicture (gui/widgets/Backdrop.h), about a sixth of the pixels.
// Exit code 1 as well when the picture has no such middle.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Rows [top, bottom) are each one colour in columns [left, right).
struct Middle {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// The tallest run of rows whose pixels from the left eighth to the right
// eighth are one colour, with the columns every one of those rows keeps.
bool FindMiddle(const QImage& p, Middle* m) {
  const int w = p.width(), h = p.height(), from = w / 8, to = w - w / 8;
  std::vector<int> left(size_t(h), -1), right(size_t(h), -1);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(p.constScanLine(y));
    const QRgb c = row[w / 2];
    int l = w / 2, r = w / 2 + 1;
    while (l > 0 && row[l - 1] == c) --l;
    while (r < w && row[r] == c) ++r;
    if (l <= from && r >= to) left[size_t(y)] = l, right[size_t(y)] = r;
  }
  int bestTop = 0, bestRows = 0;
  for (int y = 0; y < h;) {
    if (left[size_t(y)] < 0) {
      ++y;
      continue;
    }
    int end = y;
    while (end < h && left[size_t(end)] >= 0) ++end;
    if (end - y > bestRows) bestTop = y, bestRows = end - y;
    y = end;
  }
  if (bestRows < h / 2) return false;
  *m = {0, w, bestTop, bestTop + bestRows};
  for (int y = m->top; y < m->bottom; ++y) {
    m->left = std::max(m->left, left[size_t(y)]);
    m->right = std::min(m->right, right[size_t(y)]);
  }
  return true;
}

void Append(std::vector<uint32_t>& out, const QImage& p, const QRect& r) {
  for (int y = r.top(); y <= r.bottom(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(p.constScanLine(y));
    out.insert(out.end(), row + r.left(), row + r.left() + r.width());
  }
}

// The words of the banded layout: "BAND", width, height, left, right, top,
// bottom, then the pixels of the top band, the bottom band, the left and
// the right border of the middle rows (row by row), and one colour per
// middle row.
bool Banded(const QImage& p, std::vector<uint32_t>* out) {
  Middle m;
  if (p.hasAlphaChannel() || !FindMiddle(p, &m)) return false;
  const int w = p.width(), h = p.height();
  *out = {0x444e4142u,       uint32_t(w),     uint32_t(h),       uint32_t(m.left),
          uint32_t(m.right), uint32_t(m.top), uint32_t(m.bottom)};
  Append(*out, p, QRect(0, 0, w, m.top));
  Append(*out, p, QRect(0, m.bottom, w, h - m.bottom));
  Append(*out, p, QRect(0, m.top, m.left, m.bottom - m.top));
  Append(*out, p, QRect(m.right, m.top, w - m.right, m.bottom - m.top));
  for (int y = m.top; y < m.bottom; ++y) out->push_back(p.pixel(m.left, y));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // for the image plugins
  const bool banded = argc == 4 && std::strcmp(argv[1], "--banded") == 0;
  if (argc != 3 && !banded) {
    std::fprintf(stderr, "usage: klv820-artbake [--banded] INPUT OUTPUT\n");
    return 1;
  }
  if (banded) ++argv;
  const QString input = QString::fromLocal8Bit(argv[1]);
  // Decoded as the program decodes it: by the format its suffix names.
  QImageReader reader(input, QFileInfo(input).suffix().toLatin1());
  reader.setAutoDetectImageFormat(false);
  QImage picture = reader.read();
  if (picture.isNull()) {
    std::fprintf(stderr, "klv820-artbake: cannot read %s\n", argv[1]);
    return 1;
  }
  picture.convertTo(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (banded) {
    std::vector<uint32_t> words;
    if (!Banded(picture, &words)) {
      std::fprintf(stderr, "klv820-artbake: %s has no one-colour middle\n", argv[1]);
      return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[2]));
    const auto bytes = qint64(words.size() * sizeof(uint32_t));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        out.write(reinterpret_cast<const char*>(words.data()), bytes) != bytes) {
      std::fprintf(stderr, "klv820-artbake: cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  const uint32_t header[4] = {uint32_t(picture.width()), uint32_t(picture.height()),
                              uint32_t(picture.format()), uint32_t(picture.bytesPerLine())};
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      out.write(reinterpret_cast<const char*>(header), sizeof header) != qint64(sizeof header) ||
      out.write(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()) !=
          picture.sizeInBytes()) {
    std::fprintf(stderr, "klv820-artbake: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
