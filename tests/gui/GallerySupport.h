#pragma once

// Where the tests that render screens and components for a visual check put
// their PNG files.

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// $KLV_GALLERY_DIR, else a new temporary folder "<prefix>-XXXXXX" that is kept
// after the run. The folder is made and printed as "<what> in <folder>".
inline QString GalleryFolder(const char* prefix, const char* what) {
  QString dir = qEnvironmentVariable("KLV_GALLERY_DIR");
  if (dir.isEmpty()) {
    QTemporaryDir tmp(QDir::tempPath() + QLatin1Char('/') + QLatin1String(prefix) +
                      QStringLiteral("-XXXXXX"));
    tmp.setAutoRemove(false);
    dir = tmp.path();
  }
  QDir().mkpath(dir);
  qInfo("%s in %s", what, qPrintable(dir));
  return dir;
}

// Fails the test when `img` is not `expected` in size or cannot be written.
inline void SaveGalleryPicture(const QImage& img, const QString& folder, const QString& name,
                               QSize expected) {
  QCOMPARE(img.size(), expected);
  QVERIFY(img.save(folder + QLatin1Char('/') + name));
}
