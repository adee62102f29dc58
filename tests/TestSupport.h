#pragma once

#include <QDir>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "core/model/LoadSave.h"
#include "core/shell/WorkingFolder.h"

// A scratch working folder and settings store for one test: the working files
// and the "Language" setting go to a temporary folder, and the installation
// object is dropped so that the next Instance() loads from there. QSettings
// reads XDG_CONFIG_HOME only once per process, so its path is set as well;
// otherwise every later workspace would write into the first one's folder
// after that was removed.
class TempWorkspace {
 public:
  TempWorkspace() {
    const QString config = dir_.path() + QStringLiteral("/config");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config));
    // QSettings reads that variable once per process; a later workspace of
    // the same process must tell it again, or its settings would go to the
    // first workspace's removed folder.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config);
    QDir().mkpath(dir_.path() + QStringLiteral("/work"));
    SetWorkingFolder(dir_.path() + QStringLiteral("/work"));
    TLoadSave::Release();
  }
  ~TempWorkspace() { TLoadSave::Release(); }
  QString path() const { return dir_.path() + QStringLiteral("/work"); }
  QString file(const QString& name) const { return path() + QLatin1Char('/') + name; }

 private:
  QTemporaryDir dir_;
};

// Every test calls this in init() (and initTestCase() when that does work):
// any Qt warning the test did not announce with QTest::ignoreMessage fails
// the test function. Qt forgets the pattern after each test function, hence
// init(). Two platform notes are expected and allowed: the offscreen
// platform cannot shape windows or raise them, and a root session without a
// runtime folder gets a default one.
inline void FailOnUnexpectedWarnings() {
  QTest::failOnWarning(QRegularExpression(
      QStringLiteral("^(?!This plugin does not support)(?!QStandardPaths: XDG_RUNTIME_DIR not set)"
                     "(?!QStandardPaths: wrong permissions on runtime directory).*")));
}
