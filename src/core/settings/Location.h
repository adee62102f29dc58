#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

// One place: the 50-byte location record used by the built-in table, the
// installation and "environment.dat".
//
//   offset size field
//   0      21   country, short string of at most 20 characters (Windows-1252)
//   21     21   city, short string of at most 20 characters
//   42     1    latitude degrees       43 1 latitude minutes   44 1 0 north, 1 south
//   45     1    longitude degrees      46 1 longitude minutes  47 1 0 east, 1 west
//   48     1    time-zone hours (unsigned)
//   49     1    time-zone sign, 1 = negative (west of UTC)
struct TLocation {
  static constexpr int RecordSize = 50;

  QString Country;
  QString City;
  uint8_t LatDeg = 0;
  uint8_t LatMin = 0;
  uint8_t NS = 0;
  uint8_t LonDeg = 0;
  uint8_t LonMin = 0;
  uint8_t EW = 0;
  uint8_t TzHours = 0;
  uint8_t TzSign = 0;

  // Signed values used for computation: degrees + minutes / 60, negated for
  // south and west; hours negated when the sign byte is 1.
  double Latitude() const;
  double Longitude() const;
  double TimeZone() const;

  // Exactly RecordSize bytes; names are cut to 20 characters, unused
  // characters written as zero.
  QByteArray ToRecord() const;
  // Reads the first RecordSize bytes of `record`; missing bytes read as 0.
  static TLocation FromRecord(QByteArrayView record);

  bool operator==(const TLocation&) const = default;
};

// The built-in table of 1035 places, sorted by country; each country starts
// with its own-location slot "eigen locatie". It lives in memory for the run
// and one record of it can be overwritten (the own-location write-back).
namespace Locations {

constexpr int Count = 1035;
inline const QString OwnLocationCity = QStringLiteral("eigen locatie");

const TLocation& At(int index);
// Overwrites country, city (each cut to 20 characters) and the eight
// coordinate bytes of record `index`.
void WriteBack(int index, const TLocation& location);
// Restores the table as built in (tests, Recreate).
void Reset();

// The distinct countries in table order.
QStringList CountryList();
// The cities of `country` (exact, case-sensitive) in table order.
QStringList CityList(const QString& country);
// Index of the last record whose country and city equal the arguments
// exactly; 0 when none does.
int FindIndex(const QString& country, const QString& city);
TLocation FindLocation(const QString& country, const QString& city);

}  // namespace Locations
