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

namespace {

// Milliseconds from start to exit, output discarded; negative when the run failed.
double Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.setStandardOutputFile(QProcess::nullDevice());
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QElapsedTimer t;
  t.start();
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return -1;
  return t.nsecsElapsed() / 1e6;
}

}  // namespace

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
  Run(ctl, dumpArgs);  // file caches warm for both
  Run(QStringLiteral("cat"), files);
  std::vector<double> ratios, dump, cat;
  for (int i = 0; i < kPairs; ++i) {
    const double c = Run(QStringLiteral("cat"), files);
    const double d = Run(ctl, dumpArgs);
    if (c <= 0 || d <= 0) {
      std::fprintf(stderr, "a run failed\n");
      return 1;
    }
    cat.push_back(c);
    dump.push_back(d);
    ratios.push_back(d / c);
  }
  std::printf("full installation, %d files, %.1f MB (median of %d pairs): dump %.1f ms, cat %.1f ms\n",
              int(files.size()), bytes / 1e6, kPairs, Median(dump), Median(cat));
  std::printf("ratio dump / cat: %.2f (aim <= 2)\n", Median(ratios));
  return 0;
}
