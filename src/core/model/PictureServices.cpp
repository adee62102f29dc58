#include "core/model/PictureServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace {

const TPictureServices* g_services = nullptr;

}  // namespace

void RegisterPictureServices(const TPictureServices* services) { g_services = services; }

const TPictureServices* PictureServices(QString* error, const QString& folder) {
  if (g_services) return g_services;
  const QString dir = folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
  // Never unloaded: the registered table lives in the module.
  QLibrary module(QDir(dir).filePath(QStringLiteral("klv820pictures")));
  if (!module.load()) {
    if (error) *error = QStringLiteral("the picture module cannot be loaded: %1").arg(module.errorString());
    return nullptr;
  }
  if (!g_services && error) *error = QStringLiteral("%1 is not the picture module").arg(module.fileName());
  return g_services;
}

const TPictureServices& RequiredPictureServices() {
  QString error;
  const TPictureServices* services = PictureServices(&error);
  if (!services) qFatal("%s", qPrintable(error));
  return *services;
}
