#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>

// The box's own clock: setting it (Protocol::SetClock) and reading it back
// (Protocol::ReadClock); the report layouts are in Protocol.h. The day of
// week in the answer (byte 7) is not used.

// What one ReadClock answer says.
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

// Fills report[0..64] with the SetClock report for `date` and `time`.
void BuildClockReport(const QDate& date, const QTime& time, uint8_t* report);

// Decodes a ReadClock answer held in report[0..64].
BoxClockReading DecodeClockAnswer(const uint8_t* report);

// Sends SetClock for `date` and `time` through OutReport. Does nothing and
// returns false when no box is connected or the date or time is not valid.
bool SetBoxClock(const QDate& date, const QTime& time);

// Sends ReadClock through OutReport and decodes the answer read into InReport.
// Empty when no box is connected or no answer came in time.
std::optional<BoxClockReading> RequestBoxClock();
