#include "core/shell/WorkingFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

QString& Override() {
  static QString folder;
  return folder;
}

bool IsWritableFolder(const QString& dir) {
  if (dir.isEmpty() || !QFileInfo(dir).isDir()) return false;
  QTemporaryFile probe(dir + QStringLiteral("/.klv820-write-test-XXXXXX"));
  return probe.open();
}

}  // namespace

QString WorkingFolder() {
  if (!Override().isEmpty()) return Override();
  static const QString resolved = [] {
    const QString programDir = QCoreApplication::applicationDirPath();
    if (IsWritableFolder(programDir)) return programDir;
    QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share/Dravik/KLV-820");
    QDir().mkpath(data);
    return data;
  }();
  return resolved;
}

void SetWorkingFolder(const QString& folder) { Override() = QDir(folder).absolutePath(); }

QString WorkingFile(const QString& name) { return WorkingFolder() + QLatin1Char('/') + name; }
