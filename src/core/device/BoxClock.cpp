#include "core/device/BoxClock.h"

#include <cstring>

#include "core/device/MyDevFunctions.h"

uint8_t BoxDayOfWeek(const QDate& date) {
  // Qt counts Monday 1 .. Sunday 7.
  return uint8_t(date.dayOfWeek() % 7 + 1);
}

void BuildClockReport(const QDate& date, const QTime& time, uint8_t* report) {
  std::memset(report, 0, ReportSize);
  report[1] = 'T';
  report[2] = uint8_t((date.year() - 2000) & 0xFF);
  report[3] = uint8_t(date.month());
  report[4] = uint8_t(date.day());
  report[5] = uint8_t(time.hour());
  report[6] = uint8_t(time.minute());
  report[7] = uint8_t(time.second());
  report[8] = BoxDayOfWeek(date);
}

BoxClockReading DecodeClockAnswer(const uint8_t* report) {
  BoxClockReading r;
  std::memcpy(r.Raw, report + 1, sizeof r.Raw);
  const int year = 2000 + report[1], month = report[2], day = report[3];
  const int hour = report[4], minute = report[5], second = report[6];
  r.DateValid = QDate::isValid(year, month, day);
  if (r.DateValid) r.Date = QDate(year, month, day);
  r.TimeValid = QTime::isValid(hour, minute, second);
  if (r.TimeValid) r.Time = QTime(hour, minute, second);
  r.SunriseHour = report[8];
  r.SunriseMinute = report[9];
  r.SunsetHour = report[10];
  r.SunsetMinute = report[11];
  r.Sunrise = QString::asprintf("%2.2d:%2.2d", r.SunriseHour, r.SunriseMinute);
  r.Sunset = QString::asprintf("%2.2d:%2.2d", r.SunsetHour, r.SunsetMinute);
  r.SummerTime = report[12] != 0;
  return r;
}

bool SetBoxClock(const QDate& date, const QTime& time) {
  if (!BoxConnected || !date.isValid() || !time.isValid()) return false;
  BuildClockReport(date, time, OutReport);
  return WriteReport(OutReport);
}

std::optional<BoxClockReading> RequestBoxClock() {
  if (!BoxConnected) return std::nullopt;
  std::memset(OutReport, 0, ReportSize);
  OutReport[1] = 't';
  if (!WriteReport(OutReport)) return std::nullopt;
  if (!ReadReport(InReport)) return std::nullopt;
  return DecodeClockAnswer(InReport);
}
