#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>

// The box's own clock: setting it ('T') and reading it back ('t').
//
// 'T' output report (65 bytes, nothing answered):
//   0 = 0, 1 = 'T' (0x54), 2 = year - 2000 (low 8 bits), 3 = month 1..12,
//   4 = day 1..31, 5 = hour 0..23, 6 = minute, 7 = second,
//   8 = day of week 1 = Sunday .. 7 = Saturday; bytes 9..64 are 0.
// 't' output report: 0 = 0, 1 = 't' (0x74), the rest 0. The box answers one
// input report: 1 = year - 2000, 2 = month, 3 = day, 4 = hour, 5 = minute,
// 6 = second, 7 unused, 8/9 = sunrise hour/minute, 10/11 = sunset
// hour/minute (local time, as the box keeps it), 12 = summer time when
// non-zero, winter time when 0.

// What one 't' answer says.
struct BoxClockReading {
  bool DateValid = false;  // 2000 + byte 1, byte 2, byte 3 form a real date
  bool TimeValid = false;  // bytes 4, 5, 6 form a real time of day
  QDate Date;              // null unless DateValid
  QTime Time;              // null unless TimeValid
  // The raw clock bytes 1..6, for showing a clock that was never set.
  uint8_t Raw[6] = {};
  int SunriseHour = 0, SunriseMinute = 0;
  int SunsetHour = 0, SunsetMinute = 0;
  QString Sunrise;  // "HH:MM", each part at least two digits
  QString Sunset;
  bool SummerTime = false;
};

// Day of week as the box counts it: 1 = Sunday .. 7 = Saturday.
uint8_t BoxDayOfWeek(const QDate& date);

// Fills report[0..64] with the 'T' report for `date` and `time`.
void BuildClockReport(const QDate& date, const QTime& time, uint8_t* report);

// Decodes a 't' answer held in report[0..64].
BoxClockReading DecodeClockAnswer(const uint8_t* report);

// Sends 'T' for `date` and `time` through OutReport. Does nothing and
// returns false when no box is connected or the date or time is not valid.
bool SetBoxClock(const QDate& date, const QTime& time);

// Sends 't' through OutReport and decodes the answer read into InReport.
// Empty when no box is connected or no answer came in time.
std::optional<BoxClockReading> RequestBoxClock();
