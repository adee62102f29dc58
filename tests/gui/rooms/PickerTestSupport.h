#pragma once

// Picture files for the picker's tests and benchmark: photos and drawings,
// JPEGs with a camera's EXIF thumbnail, written into a folder.

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>
#include <QtEndian>

// A photo-like picture: a sky-to-ground gradient with a sun and hills whose
// colours follow `seed`.
inline QImage TestPhoto(int w, int h, int seed) {
  QImage img(w, h, QImage::Format_RGB888);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 120, 230));
  sky.setColorAt(1, QColor::fromHsv((seed * 37 + 40) % 360, 160, 120));
  p.fillRect(img.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 220, 90));
  p.drawEllipse(QPointF(w * 0.75, h * 0.25), h * 0.1, h * 0.1);
  p.setBrush(QColor::fromHsv((seed * 53) % 360, 150, 90));
  const QPointF hills[] = {
      {0, double(h)}, {w * 0.3, h * 0.5}, {w * 0.55, h * 0.8}, {w * 0.8, h * 0.55}, {double(w), double(h)}};
  p.drawPolygon(hills, 5);
  return img;
}

// A drawing: white ground, a few flat shapes.
inline QImage TestDrawing(int w, int h, int seed) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, std::max(2, w / 60)));
  p.setBrush(QColor::fromHsv((seed * 71) % 360, 200, 230));
  p.drawRect(QRectF(w * 0.15, h * 0.3, w * 0.4, h * 0.5));
  p.setBrush(QColor::fromHsv((seed * 71 + 120) % 360, 200, 230));
  p.drawEllipse(QRectF(w * 0.5, h * 0.15, w * 0.35, w * 0.35));
  return img;
}

inline QByteArray EncodeJpeg(const QImage& img, int quality = 85) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, "JPEG", quality);
  return bytes;
}

// `jpeg` with an EXIF block (APP1, right after the start marker, as cameras
// write it) whose IFD1 carries `thumbnail` as its JPEG thumbnail.
inline QByteArray WithExifThumbnail(const QByteArray& jpeg, const QByteArray& thumbnail) {
  QByteArray tiff("II\x2A\x00", 4);
  auto u16 = [&](quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    tiff.append(b, 2);
  };
  auto u32 = [&](quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    tiff.append(b, 4);
  };
  auto entry = [&](quint16 tag, quint16 type, quint32 value) {
    u16(tag);
    u16(type);
    u32(1);
    if (type == 3) {
      u16(quint16(value));
      u16(0);
    } else {
      u32(value);
    }
  };
  u32(8);  // IFD0 at 8: no entries, IFD1 follows
  u16(0);
  u32(14);
  u16(3);  // IFD1 at 14: compression JPEG, thumbnail offset and length
  entry(0x0103, 3, 6);
  entry(0x0201, 4, 14 + 2 + 3 * 12 + 4);
  entry(0x0202, 4, quint32(thumbnail.size()));
  u32(0);
  tiff.append(thumbnail);
  const QByteArray body = QByteArray("Exif\0\0", 6) + tiff;
  QByteArray app1("\xFF\xE1", 2);
  char len[2];
  qToBigEndian(quint16(body.size() + 2), len);
  app1.append(len, 2).append(body);
  return jpeg.left(2) + app1 + jpeg.mid(2);
}

// A GIF of `img` (at most 256 colours, else the colours are cut to 3-3-2
// bits). The LZW data is stored without compression: 9-bit codes, with a
// clear code often enough that the code size never grows.
inline QByteArray EncodeGif(const QImage& source) {
  const QImage img = source.convertToFormat(QImage::Format_RGB32);
  QList<QRgb> palette;
  QByteArray indexes;
  bool cut = false;
  for (int y = 0; y < img.height() && !cut; ++y)
    for (int x = 0; x < img.width() && !cut; ++x) {
      const QRgb c = img.pixel(x, y) | 0xFF000000u;
      if (!palette.contains(c)) palette << c;
      cut = palette.size() > 256;
    }
  if (cut) {
    palette.clear();
    for (int i = 0; i < 256; ++i) palette << qRgb((i >> 5) * 255 / 7, ((i >> 2) & 7) * 255 / 7, (i & 3) * 85);
  }
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      const QRgb c = img.pixel(x, y) | 0xFF000000u;
      indexes.append(char(cut ? (qRed(c) >> 5 << 5) | (qGreen(c) >> 5 << 2) | (qBlue(c) >> 6)
                              : int(palette.indexOf(c))));
    }
  palette.resize(256);
  QByteArray out("GIF89a");
  auto u16 = [&](int v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
  u16(img.width());
  u16(img.height());
  out.append(char(0xF7)).append('\0').append('\0');  // global table of 256 colours
  for (QRgb c : palette) out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
  out.append(',');
  u16(0);
  u16(0);
  u16(img.width());
  u16(img.height());
  out.append('\0').append(char(8));  // no local table; minimum code size 8
  QByteArray data;
  quint32 bits = 0;
  int count = 0;
  auto code = [&](int c) {
    bits |= quint32(c) << count;
    for (count += 9; count >= 8; count -= 8, bits >>= 8) data.append(char(bits & 0xFF));
  };
  for (int i = 0; i < indexes.size(); ++i) {
    if (i % 250 == 0) code(256);
    code(uchar(indexes[i]));
  }
  code(257);
  if (count > 0) data.append(char(bits & 0xFF));
  for (int i = 0; i < data.size(); i += 255) {
    const QByteArray block = data.mid(i, 255);
    out.append(char(block.size())).append(block);
  }
  out.append('\0').append(';');
  return out;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
