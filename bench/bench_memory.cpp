// Idle memory after start: the program on a full installation against the
// bare window of bench_startup, each started offscreen and measured a second
// after its first painted frame (Rss, Pss and anonymous memory of
// /proc/self/smaps_rollup). Prints the medians and the Pss ratio; the aim
// is at most 1.5. Linux only. An argument names another program to measure
// (an older build, say).

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <vector>

#include "FullInstallation.h"
#include "core/shell/WorkingFolder.h"

namespace {

// The figures (kB) the process printed, by name ("Rss", "Pss", "Anonymous");
// empty when the run failed.
std::map<QByteArray, double> Run(const QString& program) {
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(program, {});
  std::map<QByteArray, double> figures;
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
    return figures;
  for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> parts = line.simplified().split(' ');
    if (parts.size() >= 2 && parts[0].endsWith(':')) figures[parts[0].chopped(1)] = parts[1].toDouble();
  }
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  // The program takes the folder it lies in as its working folder.
  const QString program = dir.filePath(QStringLiteral("klv820"));
  if (!QFile::copy(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KLV_PROGRAM), program)) {
    std::fprintf(stderr, "cannot copy the program\n");
    return 1;
  }
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
  SetWorkingFolder(dir.path());
  if (!WriteFullInstallationFiles()) return 1;
  // The program ends without clean-up: its single-instance lock and socket
  // stay in the scratch folder, not in /tmp.
  qputenv("TMPDIR", QFile::encodeName(dir.path()));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("KLV820_EXIT_AFTER_FIRST_PAINT", "1");
  qputenv("KLV820_MEMORY_AFTER_FIRST_PAINT", "1");

  constexpr int kRuns = 5;
  const char* names[] = {"Rss", "Pss", "Anonymous"};
  std::map<QByteArray, std::vector<double>> own, bare;
  for (int i = 0; i < kRuns; ++i) {
    auto b = Run(QStringLiteral(KLV_BARE_WINDOW));
    auto p = Run(program);
    if (!b.count("Pss") || !p.count("Pss")) {
      std::fprintf(stderr, "a run failed or printed no memory figures\n");
      return 1;
    }
    for (const char* n : names) {
      own[n].push_back(p[n] / 1024);
      bare[n].push_back(b[n] / 1024);
    }
  }
  std::printf("memory a second after the first frame, offscreen (median of %d runs), MiB:\n", kRuns);
  for (const char* n : names)
    std::printf("  %-9s program %.1f, bare window %.1f\n", n, Median(own[n]), Median(bare[n]));
  std::printf("ratio program / bare window (Pss): %.2f (aim <= 1.5)\n",
              Median(own["Pss"]) / Median(bare["Pss"]));
  return 0;
}
