#pragma once

#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QString>
#include <cstdint>
#include <cstring>

// Resource paths of the dialog and window artwork (PNG, exact sizes). Load
// them with ArtworkImage and stretch them over the dialog.
namespace Artwork {
inline constexpr const char* MessageBackground = ":/art/dialog_message.png";  // 480 x 360, message dialog
inline constexpr const char* UpdateBackground = ":/art/dialog_update.png";    // 480 x 360, firmware update
inline constexpr const char* TimeBackground = ":/art/dialog_time.png";        // 497 x 272, time choice
inline constexpr const char* DayDateBackground = ":/art/dialog_daydate.png";  // 497 x 272, day/date choice
inline constexpr const char* ActionBackground = ":/art/dialog_action.png";    // 352 x 272, action choice
inline constexpr const char* MonthBackground = ":/art/dialog_month.png";      // 497 x 409, month choice
inline constexpr const char* MainBackground = ":/shell/background.jpg";       // 800 x 600
inline constexpr const char* Logo = ":/shell/logo.png";                       // 130 x 39
}  // namespace Artwork

// The pixels of a picture baked at build time (cmake/artbake: the start-up
// artwork), read in place: ":/shell/logo.png" is baked as
// ":/baked/shell/logo.png.raw", ARGB32_Premultiplied when it has alpha, else
// RGB32, without the colour space the file may name (drawing ignores it).
// A null image for a picture not baked.
// Where the build puts the baked form of resource `path` (":/shell/logo.png")
// with `suffix` (".raw"): ":/baked/shell/logo.png.raw"; empty for a path
// outside the resources.
inline QString BakedResourcePath(const QString& path, QLatin1StringView suffix) {
  if (!path.startsWith(QLatin1String(":/"))) return QString();
  return QStringLiteral(":/baked/") + path.mid(2) + suffix;
}

inline QImage BakedResourcePicture(const QString& path) {
  const QString bakedPath = BakedResourcePath(path, QLatin1StringView(".raw"));
  if (bakedPath.isEmpty()) return QImage();
  const QResource baked(bakedPath);
  if (!baked.isValid() || baked.compressionAlgorithm() != QResource::NoCompression) return QImage();
  uint32_t head[4];  // width, height, format, bytes per line
  const uchar* data = baked.data();
  if (!data || baked.size() < qint64(sizeof head)) return QImage();
  std::memcpy(head, data, sizeof head);
  const auto format = QImage::Format(head[2]);
  if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) || head[0] == 0 ||
      head[1] == 0 || head[0] > 8192 || head[1] > 8192 || head[3] < 4 * head[0] ||
      baked.size() - qint64(sizeof head) < qint64(head[3]) * head[1])
    return QImage();
  const uchar* pixels = data + sizeof head;
  // Read-only: a change to the picture copies it first.
  const QImage picture(pixels, int(head[0]), int(head[1]), qsizetype(head[3]), format);
  // Used in place only with its lines 32-bit aligned.
  return reinterpret_cast<quintptr>(pixels) % 4 == 0 ? picture : picture.copy();
}

// A picture of the program's own resources, read as the format its suffix
// names. A plain QImage(path) first asks every installed image plugin
// whether it reads the file, which loads them all with their libraries
// (tens of milliseconds and megabytes at start-up); this loads only the one
// the format needs (none for PNG). A null image when it cannot be read.
inline QImage ReadResourcePicture(const QString& path) {
  if (QImage baked = BakedResourcePicture(path); !baked.isNull()) return baked;
  QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
  reader.setAutoDetectImageFormat(false);
  return reader.read();
}

// The picture at one of the paths above, read once per run and shared by
// every dialog that shows it (QImage copies share their pixels). GUI thread
// only. A null image when the resource is missing.
inline QImage ArtworkImage(const char* path) {
  static QHash<QString, QImage> loaded;
  const QString key = QString::fromLatin1(path);
  auto it = loaded.constFind(key);
  if (it == loaded.cend()) {
    QImage picture = ReadResourcePicture(key);
    // In the form TImage draws, so that the controls share these pixels.
    if (picture.hasAlphaChannel()) picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    it = loaded.insert(key, picture);
  }
  return *it;
}
