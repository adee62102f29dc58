#include "core/device/ReportTrace.h"

#include "core/device/MyDevFunctions.h"

QString ReportTraceLine(bool written, const uint8_t* report) {
  if (!report) return QStringLiteral("< timeout");
  static const char digits[] = "0123456789abcdef";
  QString s;
  s.reserve(2 + 3 * ReportSize);
  s += written ? QStringLiteral("> ") : QStringLiteral("< ");
  for (int i = 0; i < ReportSize; ++i) {
    if (i) s += QLatin1Char(' ');
    s += QLatin1Char(digits[report[i] >> 4]);
    s += QLatin1Char(digits[report[i] & 0xF]);
  }
  return s;
}
