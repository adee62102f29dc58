#include "core/device/BoxClock.h"

#include <cstring>

#include "core/device/MyDevFunctions.h"
#include "core/device/Protocol.h"

uint8_t BoxDayOfWeek(const QDate& date) {
  // Qt counts Monday 1 .. Sunday 7.
  return uint8_t(date.dayOfWeek() % 7 + 1);
}

void BuildClockReport(const QDate& date, const QTime& time, uint8_t* report) {
  std::memset(report, 0, ReportSize);
  report[Protocol::CommandByte] = Protocol::SetClock;
  uint8_t* c = report + Protocol::ClockYearByte;
  c[0] = uint8_t((date.year() - 2000) & 0xFF);
  c[1] = uint8_t(date.month());
  c[2] = uint8_t(date.day());
  c[3] = uint8_t(time.hour());
  c[4] = uint8_t(time.minute());
  c[5] = uint8_t(time.second());
  c[6] = BoxDayOfWeek(date);
}

BoxClockReading DecodeClockAnswer(const uint8_t* report) {
  BoxClockReading r;
  const uint8_t* a = report + Protocol::AnswerByte;
  std::memcpy(r.Raw, a, sizeof r.Raw);
  const int year = 2000 + a[0], month = a[1], day = a[2];
  const int hour = a[3], minute = a[4], second = a[5];
  r.DateValid = QDate::isValid(year, month, day);
  if (r.DateValid) r.Date = QDate(year, month, day);
  r.TimeValid = QTime::isValid(hour, minute, second);
  if (r.TimeValid) r.Time = QTime(hour, minute, second);
  r.SunriseHour = report[Protocol::AnswerSunriseByte];
  r.SunriseMinute = report[Protocol::AnswerSunriseByte + 1];
  r.SunsetHour = report[Protocol::AnswerSunsetByte];
  r.SunsetMinute = report[Protocol::AnswerSunsetByte + 1];
  r.Sunrise = QString::asprintf("%2.2d:%2.2d", r.SunriseHour, r.SunriseMinute);
  r.Sunset = QString::asprintf("%2.2d:%2.2d", r.SunsetHour, r.SunsetMinute);
  r.SummerTime = report[Protocol::AnswerSummerByte] != 0;
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
  OutReport[Protocol::CommandByte] = Protocol::ReadClock;
  if (!WriteReport(OutReport)) return std::nullopt;
  if (!ReadReport(InReport)) return std::nullopt;
  return DecodeClockAnswer(InReport);
}
