// LoadPicture of a 4000 x 3000 camera-size JPEG against a full-size decode of
// the same file. Prints milliseconds per load and the ratio.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTemporaryDir>
#include <cstdio>

#include "gui/shell/Utilities.h"

namespace {

// Detail decides how much of a JPEG decode is entropy decoding, which scaled
// decoding cannot skip; so two kinds of photo are measured.
QImage Photo(bool detailed) {
  QImage photo(4000, 3000, QImage::Format_RGB888);
  QPainter p(&photo);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 4000, 3000);
  g.setColorAt(0, QColor(30, 90, 160));
  g.setColorAt(1, QColor(230, 180, 60));
  p.fillRect(photo.rect(), g);
  if (detailed) {
    for (int i = 0; i < 4000; i += 7) {
      p.setPen(QColor((i * 37) % 256, (i * 11) % 256, (i * 5) % 256));
      p.drawLine(i, 0, 4000 - i, 3000);
    }
  } else {
    // Sky, hills and a few soft shapes: the bulk of a holiday photo.
    for (int i = 0; i < 40; ++i) {
      QRadialGradient rg(QPointF((i * 397) % 4000, (i * 631) % 3000), 150 + (i * 53) % 400);
      rg.setColorAt(0, QColor((i * 70) % 256, (i * 30) % 256, (i * 90) % 256, 180));
      rg.setColorAt(1, QColor(0, 0, 0, 0));
      p.fillRect(photo.rect(), rg);
    }
  }
  p.end();
  return photo;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  const int rounds = 5;
  int status = 0;
  for (bool detailed : {false, true}) {
    const QString path = dir.filePath(QStringLiteral("photo.jpg"));
    if (!Photo(detailed).save(path, "JPEG", 90)) return 1;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
      QImageReader r(path);
      const QImage full = r.read();
      if (full.size() != QSize(4000, 3000)) return 2;
    }
    const double fullMs = double(t.nsecsElapsed()) / 1e6 / rounds;
    t.restart();
    for (int i = 0; i < rounds; ++i) {
      const auto r = TUtilities::LoadPicture(path);
      if (!r.ok() || r.Picture.size() != QSize(130, 80)) status = 3;
    }
    const double loadMs = double(t.nsecsElapsed()) / 1e6 / rounds;
    std::printf("%s photo 4000x3000, %lld KB\n", detailed ? "detailed" : "smooth",
                QFileInfo(path).size() / 1024);
    std::printf("  full-size decode: %8.1f ms\n", fullMs);
    std::printf("  LoadPicture:      %8.1f ms\n", loadMs);
    std::printf("  speed-up: %.1fx (aim: at least 5x)\n", fullMs / loadMs);
  }
  return status;
}
