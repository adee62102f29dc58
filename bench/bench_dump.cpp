// `klv820ctl dump` of a full installation against `cat` of its six working
// files, each started as a whole process, the two alternating. Prints the
// median of the per-pair ratios; the aim is at most 2. An argument names
// another klv820ctl to measure (an older build, say).

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "FullInstallation.h"
#include "core/shell/WorkingFolder.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
  SetWorkingFolder(dir.path());
  if (!WriteFullInstallationFiles()) return 1;
  QStringList files;
  qint64 bytes = 0;
  for (const QFileInfo& f : QDir(dir.path()).entryInfoList({QStringLiteral("*.dat")}, QDir::Files)) {
    files << f.absoluteFilePath();
    bytes += f.size();
  }
  const QString ctl = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KLV_CTL);
  const QStringList dumpArgs = {QStringLiteral("--folder"), dir.path(), QStringLiteral("dump")};

  constexpr int kPairs = 15;
  const auto m = TimePairs(
      kPairs, [&] { return TimeProcess(QStringLiteral("cat"), files); },
      [&] { return TimeProcess(ctl, dumpArgs); });
  if (!m) {
    std::fprintf(stderr, "a run failed\n");
    return 1;
  }
  std::printf("full installation, %d files, %.1f MB (median of %d pairs): dump %.1f ms, cat %.1f ms\n",
              int(files.size()), bytes / 1e6, kPairs, m->own, m->base);
  std::printf("ratio dump / cat: %.2f (aim <= 2)\n", m->ratio);
  return 0;
}
