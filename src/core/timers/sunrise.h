#pragma once

#include <QDate>
#include <QTime>
#include <cstdint>

struct TLocation;

// Latitude and longitude in degrees (north and east positive), time zone in
// hours east of UTC (standard time, no daylight-saving hour).
struct TSunPlace {
  double Latitude = 0;
  double Longitude = 0;
  double TimeZone = 0;
};

// Sunrise and sunset times and the box's sun table.
//
// Sun table, 144 bytes:
//   0..71    sunrise: 24 entries of 3 bytes, 1st and 16th of January..December
//   72..143  sunset: the same 24 entries
// Entry: byte 0 = hour 0..23, plus 0x80 when the time on this date is later
// than on the next table date; byte 1 = minute 0..59; byte 2 = daily step,
// low 8 bits of (s div 60) * 64 + (s mod 60), s = seconds of change per day.
// All times are local standard time.
//
// Computation only; the table's exchange with the box is the protocol's
// (TCommunicatie in core/device/Communicatie.h).
class tsunrise {
 public:
  static constexpr int TableSize = 144;
  static constexpr int HalfSize = 72;
  static constexpr int Sunrise = 1;
  static constexpr int Sunset = -1;

  uint8_t SunTable[TableSize] = {};

  // Sun time for a date and place as minutes after local midnight, 0..1439.
  // selector: +1 sunrise, -1 sunset. Polar night gives local solar noon
  // for both selectors, polar day local solar midnight.
  static int SunTime(int selector, int year, double latitude, double longitude, double timeZone, int month,
                     int day);
  // The same as a time of day with zero seconds.
  static QTime SunTimeOfDay(int selector, int year, double latitude, double longitude, double timeZone,
                            int month, int day);

  // Round to nearest, a tie to the even neighbour.
  static double RoundHalfEven(double x);
  // Whole seconds between two times of day given as minutes after midnight,
  // computed on day fractions so that e.g. 13 minutes give 779, not 780.
  static int Seconds(int minutesA, int minutesB);

  // The sun time the box derives from `table` (144 bytes) for `date`, in
  // standard time, minutes after midnight 0..1439: the entry of the last
  // table date on or before it (the 1st or the 16th) moved by its daily step
  // for each day since (earlier when the entry's high bit is set), in whole
  // minutes of the accumulated seconds. The year of `date` is not looked at.
  static int TableSunTime(const uint8_t* table, int selector, const QDate& date);
  // Whether the box's clock keeps summer time at local `time` on `date`: from
  // the last Sunday of March 02:00 to the last Sunday of October 03:00.
  static bool BoxSummerTime(const QDate& date, const QTime& time);

  // The signed coordinates of a stored location.
  static TSunPlace Place(const TLocation& location);

  // Fill the sunrise half (bytes 0..71) or the sunset half (72..143) for the
  // PC's current year, or for `year`.
  void BuildSunriseTable(double latitude, double longitude, double timeZone);
  void BuildSunsetTable(double latitude, double longitude, double timeZone);
  void BuildSunriseTable(double latitude, double longitude, double timeZone, int year);
  void BuildSunsetTable(double latitude, double longitude, double timeZone, int year);
  // Both halves for one place and year.
  void BuildTable(const TSunPlace& place, int year);

 private:
  void BuildHalf(int selector, int offset, double latitude, double longitude, double timeZone, int year);
};
