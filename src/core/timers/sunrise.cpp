#include "core/timers/sunrise.h"

#include <QDate>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/settings/Location.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double TwoPi = 2 * Pi;
constexpr double DegToRad = 0.0174532925199432958;
constexpr double RadToDeg = 57.2957795130823209;
constexpr double SunAltitude = -0.0145385926691127654;  // -0.833 degrees: refraction and the sun's radius
constexpr double DayOrigin = 730531.5;                  // 1 January 2000, 12:00 UT
constexpr double DaysPerCentury = 36525;
constexpr double Limit = 0.001;
constexpr int MaxIterations = 35;

double Norm(double x) {
  double r = x - TwoPi * std::trunc(x / TwoPi);
  if (r < 0) r += TwoPi;
  return r;
}

// Day fraction of a time of day. Steps are measured on these, not on whole
// minutes, which is why 13 minutes give 779 s rather than 780.
double DayFraction(int minutes) {
  const int hour = minutes / 60;
  const int minute = minutes % 60;
  return static_cast<double>(hour * 3600000 + minute * 60000) / 86400000.0;
}

// Entry for one table date: time `t`, time on the next table date `next`,
// `days` whole days between the two dates.
void WriteEntry(uint8_t* entry, int t, int next, int days) {
  const int s = static_cast<int>(tsunrise::RoundHalfEven(tsunrise::Seconds(t, next) / double(days + 1)));
  entry[0] = static_cast<uint8_t>(t / 60 + (t > next ? 0x80 : 0));
  entry[1] = static_cast<uint8_t>(t % 60);
  entry[2] = static_cast<uint8_t>(((s / 60) * 64 + s % 60) & 0xFF);
}

}  // namespace

double tsunrise::RoundHalfEven(double x) {
  const double f = std::floor(x);
  const double diff = x - f;
  if (diff < 0.5) return f;
  if (diff > 0.5) return f + 1;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

int tsunrise::Seconds(int minutesA, int minutesB) {
  const double product = std::fabs(DayFraction(minutesB) - DayFraction(minutesA)) * 86400;
  return static_cast<int>(std::trunc(product));
}

int tsunrise::SunTime(int selector, int year, double latitude, double longitude, double timeZone, int month,
                      int day) {
  const int n = 367 * year - (7 * (year + (month + 9) / 12)) / 4 + (275 * month) / 9 + day;
  const double d = n - DayOrigin;

  const double sinAlt = std::sin(SunAltitude);
  const double sinPhi = std::sin(latitude * DegToRad);
  const double cosPhi = std::cos(latitude * DegToRad);
  const double lambdaGeo = longitude * DegToRad;

  // Starts at midnight UT; the start and the stopping rule decide the minute
  // in borderline cases, so both stay as the box's tables were made.
  double ut = 0;
  for (int i = 0; i < MaxIterations; ++i) {
    const double ut0 = ut;
    const double t = (d + ut0 / TwoPi) / DaysPerCentury;
    const double L = Norm(4.8949504201433 + 628.331969753199 * t);
    const double G = Norm(6.2400408 + 628.3019501 * t);
    const double ec = 0.033423 * std::sin(G) + 0.00034907 * std::sin(2 * G);
    const double lambda = L + ec;
    const double E = -ec + 0.0430398 * std::sin(2 * lambda) - 0.00092502 * std::sin(4 * lambda);
    const double epsilon = 0.409093 - 0.0002269 * t;
    const double delta = std::asin(std::sin(epsilon) * std::sin(lambda));
    const double gha = ut0 - Pi + E;
    const double c = (sinAlt - std::sin(delta) * sinPhi) / (std::cos(delta) * cosPhi);
    double correction;
    if (c > 1)
      correction = 0;  // sun stays below the horizon
    else if (c < -1)
      correction = Pi;  // sun stays above it
    else
      correction = std::acos(c);
    ut = Norm(ut0 - (gha + lambdaGeo + selector * correction));
    if (std::fabs(ut0 - ut) <= Limit) break;
  }

  const double hours = ut * RadToDeg / 15;
  int m = static_cast<int>(RoundHalfEven((hours + timeZone) * 60));
  if (m < 0) m += 1440;
  if (m >= 1440) m -= 1440;
  return m;
}

QTime tsunrise::SunTimeOfDay(int selector, int year, double latitude, double longitude, double timeZone,
                             int month, int day) {
  const int m = SunTime(selector, year, latitude, longitude, timeZone, month, day);
  return QTime(m / 60, m % 60);
}

int tsunrise::TableSunTime(const uint8_t* table, int selector, const QDate& date) {
  if (!date.isValid()) return 0;
  const bool second = date.day() >= 16;
  const uint8_t* entry =
      table + (selector == Sunset ? HalfSize : 0) + 3 * (2 * (date.month() - 1) + (second ? 1 : 0));
  const int stepSeconds = (entry[2] >> 6) * 60 + (entry[2] & 0x3F);
  const int daysSince = date.day() - (second ? 16 : 1);
  const int moved = stepSeconds * daysSince / 60;
  const int base = (entry[0] & 0x7F) * 60 + entry[1];
  const int minutes = (entry[0] & 0x80) ? base - moved : base + moved;
  return ((minutes % 1440) + 1440) % 1440;
}

bool tsunrise::BoxSummerTime(const QDate& date, const QTime& time) {
  const auto lastSunday = [](int year, int month) {
    const QDate last(year, month, QDate(year, month, 1).daysInMonth());
    return last.addDays(-(last.dayOfWeek() % 7));
  };
  const QDate start = lastSunday(date.year(), 3);
  const QDate end = lastSunday(date.year(), 10);
  const bool afterStart = date > start || (date == start && time >= QTime(2, 0));
  const bool beforeEnd = date < end || (date == end && time < QTime(3, 0));
  return afterStart && beforeEnd;
}

TSunPlace tsunrise::Place(const TLocation& location) {
  return TSunPlace{location.Latitude(), location.Longitude(), location.TimeZone()};
}

void tsunrise::BuildHalf(int selector, int offset, double latitude, double longitude, double timeZone,
                         int year) {
  for (int month = 1; month <= 12; ++month) {
    const int nextYear = month == 12 ? year + 1 : year;
    const int nextMonth = month == 12 ? 1 : month + 1;
    const int t1 = SunTime(selector, year, latitude, longitude, timeZone, month, 1);
    const int t16 = SunTime(selector, year, latitude, longitude, timeZone, month, 16);
    const int tNext = SunTime(selector, nextYear, latitude, longitude, timeZone, nextMonth, 1);
    const QDate d1(year, month, 1);
    const QDate d16(year, month, 16);
    const QDate dNext(nextYear, nextMonth, 1);
    uint8_t* entry = SunTable + offset + 6 * (month - 1);
    WriteEntry(entry, t1, t16, static_cast<int>(d1.daysTo(d16)));
    WriteEntry(entry + 3, t16, tNext, static_cast<int>(d16.daysTo(dNext)));
  }
}

void tsunrise::BuildSunriseTable(double latitude, double longitude, double timeZone, int year) {
  BuildHalf(Sunrise, 0, latitude, longitude, timeZone, year);
}

void tsunrise::BuildSunsetTable(double latitude, double longitude, double timeZone, int year) {
  BuildHalf(Sunset, HalfSize, latitude, longitude, timeZone, year);
}

void tsunrise::BuildSunriseTable(double latitude, double longitude, double timeZone) {
  BuildSunriseTable(latitude, longitude, timeZone, QDate::currentDate().year());
}

void tsunrise::BuildSunsetTable(double latitude, double longitude, double timeZone) {
  BuildSunsetTable(latitude, longitude, timeZone, QDate::currentDate().year());
}

void tsunrise::BuildTable(const TSunPlace& place, int year) {
  BuildSunriseTable(place.Latitude, place.Longitude, place.TimeZone, year);
  BuildSunsetTable(place.Latitude, place.Longitude, place.TimeZone, year);
}
