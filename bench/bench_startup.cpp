// Start-up of the program against a bare window (bare_window: 800 x 600,
// frameless, one label): each started as a whole process up to its first
// painted frame, the two alternating: offscreen, and under xcb as well when
// DISPLAY is set (xvfb-run). The program starts on a full installation in a
// scratch folder and without a box. Prints the median of the per-pair
// ratios; the aim is at most 1.5.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchSupport.h"
#include "FullInstallation.h"
#include "core/shell/WorkingFolder.h"

namespace {

// The program ends without clean-up after its first frame, leaving its
// single-instance lock file (and socket) in the temp folder; removed so that
// each timed start is one after a clean end, not a takeover from a crashed
// holder. Names as TSingleInstance makes them for a short program path.
void RemoveInstanceLeftovers(const QString& program) {
  QString name = program;
  name.remove(QLatin1Char('/'));
  name.remove(QLatin1Char(' '));
  const QString base = QDir::tempPath() + QLatin1Char('/') + name;
  QFile::remove(base + QStringLiteral(".lock"));
  QFile::remove(base);
}

// Times the program against the bare window on the Qt platform `platform`
// and prints the two times and their ratio; 1 when a run failed.
int RatioOn(const QString& program, const char* platform) {
  qputenv("QT_QPA_PLATFORM", platform);
  constexpr int kPairs = 11;
  const auto m = TimePairs(
      kPairs, [] { return TimeProcess(QStringLiteral(KLV_BARE_WINDOW)); },
      [&] {
        RemoveInstanceLeftovers(program);
        return TimeProcess(program);
      });
  if (!m) {
    std::fprintf(stderr, "a run failed\n");
    return 1;
  }
  std::printf("start to first frame, %s (median of %d pairs): program %.1f ms, bare window %.1f ms\n",
              platform, kPairs, m->own, m->base);
  std::printf("ratio program / bare window, %s: %.2f (aim <= 1.5)\n", platform, m->ratio);
  std::fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  // `bench_startup FOLDER` only writes the installation there with the
  // program beside it, for profiling one start by hand.
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.path();
  // The program takes the folder it lies in as its working folder.
  const QString program = folder + QStringLiteral("/klv820");
  if (!QFile::copy(QStringLiteral(KLV_PROGRAM), program)) {
    std::fprintf(stderr, "cannot copy the program\n");
    return 1;
  }
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + QStringLiteral("/config")));
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
  SetWorkingFolder(folder);
  if (!WriteFullInstallationFiles()) return 1;
  if (argc > 1) return 0;
  // Should a run fail before its leftovers are removed, they stay in the
  // scratch folder, not in /tmp.
  qputenv("TMPDIR", QFile::encodeName(folder));
  qputenv("KLV820_EXIT_AFTER_FIRST_PAINT", "1");
  int failed = RatioOn(program, "offscreen");
  // Under a display server as well (xvfb-run) when there is one.
  if (qEnvironmentVariableIsSet("DISPLAY")) failed |= RatioOn(program, "xcb");
  RemoveInstanceLeftovers(program);
  return failed;
}
