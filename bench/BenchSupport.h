#pragma once

#include <QImage>
#include <algorithm>
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
