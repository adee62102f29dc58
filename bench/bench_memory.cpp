// Idle memory after start: the program on a full installation against the
// bare window of bench_startup, each started offscreen and measured a second
// after its first painted frame (Rss, Pss and anonymous memory of
// /proc/self/smaps_rollup). Prints the medians and the ratios; the aim is at
// most 1.5. This part writes the installation and then becomes
// memory_runner, which measures without mapping Qt itself. Linux only. An
// argument names another program to measure (an older build, say).

#include <unistd.h>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

#include "FullInstallation.h"
#include "core/shell/WorkingFolder.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  // The runner removes the folder when it is done.
  dir.setAutoRemove(false);
  // The program takes the folder it lies in as its working folder.
  const QString program = dir.filePath(QStringLiteral("klv820"));
  if (!QFile::copy(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KLV_PROGRAM), program)) {
    std::fprintf(stderr, "cannot copy the program\n");
    dir.remove();
    return 1;
  }
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
  SetWorkingFolder(dir.path());
  if (!WriteFullInstallationFiles()) {
    dir.remove();
    return 1;
  }
  // The program ends without clean-up: its single-instance lock and socket
  // stay in the scratch folder, not in /tmp.
  qputenv("TMPDIR", QFile::encodeName(dir.path()));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("KLV820_EXIT_AFTER_FIRST_PAINT", "1");
  qputenv("KLV820_MEMORY_AFTER_FIRST_PAINT", "1");

  const QByteArray scratch = QFile::encodeName(dir.path());
  const QByteArray programPath = QFile::encodeName(program);
  std::fflush(stdout);
  execl(KLV_MEMORY_RUNNER, KLV_MEMORY_RUNNER, "5", scratch.constData(), KLV_BARE_WINDOW,
        programPath.constData(), static_cast<char*>(nullptr));
  std::fprintf(stderr, "cannot start %s\n", KLV_MEMORY_RUNNER);
  dir.remove();
  return 1;
}
