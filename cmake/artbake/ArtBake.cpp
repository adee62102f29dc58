// Build step: decodes start-up artwork (PNG, JPEG) into the pixel layout the
// program draws, so that it reads the pixels in place instead of decoding
// them at every start (see ReadResourcePicture in gui/widgets/Artwork.h).
//
//   klv820-artbake INPUT OUTPUT
//
// OUTPUT: four native 32-bit words (width, height, QImage::Format,
// bytes per line), then height x bytes-per-line bytes of pixels.
// Pictures with alpha are stored premultiplied (ARGB32_Premultiplied),
// others as RGB32. Exit code 1 when INPUT cannot be read or OUTPUT written.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <cstdint>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // for the image plugins
  if (argc != 3) {
    std::fprintf(stderr, "usage: klv820-artbake INPUT OUTPUT\n");
    return 1;
  }
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
