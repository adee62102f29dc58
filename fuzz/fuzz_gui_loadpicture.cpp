// Feeds arbitrary bytes to LoadPicture as a BMP, a JPEG and a GIF file. Any
// crash, hang or sanitizer report is a fault; errors must come back in
// TLoadedPicture::Error, and a success must be a 130 x 80 picture.
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

#include "gui/shell/Utilities.h"

namespace {
QTemporaryDir* Dir() {
  static QTemporaryDir* dir = [] {
    static int argc = 1;
    static char arg0[] = "fuzz";
    static char* argv[] = {arg0, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
    return new QTemporaryDir;
  }();
  return dir;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const char* const kNames[] = {"f.bmp", "f.jpg", "f.gif"};
  // The first byte picks the kind, so one corpus covers all three decoders.
  const QString path = Dir()->filePath(QLatin1String(kNames[data[0] % 3]));
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return 0;
    f.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
  }
  const TLoadedPicture r = TUtilities::LoadPicture(path);
  if (r.ok() && r.Picture.size() != QSize(130, 80)) std::abort();
  if (!r.ok() && !r.Picture.isNull()) std::abort();
  QFile::remove(path);
  return 0;
}
