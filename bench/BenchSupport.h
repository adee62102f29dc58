#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

// A 130 x 80 RGB888 picture with a pattern of its own for each seed.
inline QImage Picture(int seed) {
  QImage img(130, 80, QImage::Format_RGB888);
  for (int y = 0; y < img.height(); ++y) {
    uchar* line = img.scanLine(y);
    for (int x = 0; x < img.width() * 3; ++x) line[x] = uchar((x * 7 + y * 13 + seed * 31) & 0xFF);
  }
  return img;
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Milliseconds a whole process takes from start to exit, its standard output
// discarded; negative when it failed or exited non-zero.
inline double TimeProcess(const QString& program, const QStringList& args = {}) {
  QProcess p;
  p.setStandardOutputFile(QProcess::nullDevice());
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  QElapsedTimer t;
  t.start();
  p.start(program, args);
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return -1;
  return t.nsecsElapsed() / 1e6;
}

// Medians of `pairs` alternating runs of a baseline and the measured program
// (milliseconds), and of their per-pair ratios.
struct PairedMedians {
  double own = 0, base = 0, ratio = 0;
};

// One warm-up run of each (file caches), then `pairs` pairs, baseline first;
// nothing when a run failed.
inline std::optional<PairedMedians> TimePairs(int pairs, const std::function<double()>& base,
                                              const std::function<double()>& own) {
  own();
  base();
  std::vector<double> ratios, owns, bases;
  for (int i = 0; i < pairs; ++i) {
    const double b = base();
    const double o = own();
    if (b <= 0 || o <= 0) return std::nullopt;
    bases.push_back(b);
    owns.push_back(o);
    ratios.push_back(o / b);
  }
  return PairedMedians{Median(owns), Median(bases), Median(ratios)};
}
