#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>
#include <optional>

#include "core/settings/Location.h"

// Choosing the installation's place and showing today's sun times for it, as
// the settings screen and klv820ctl do.
//
// A country's cities are addressed by their position in its city list
// (Locations::CityList): position 0 is the country's own-location slot, shown
// as "my location", which carries the user's own coordinates and the
// country's time zone.
namespace LocationChoice {

// Index of the country's own-location record (its first record); -1 when the
// table has no such country. Exact comparison.
int OwnLocationIndex(const QString& country);
// Index of the record at `position` in the country's city list; -1 when
// there is none.
int CityIndex(const QString& country, int position);
// The table's spelling of a country, compared ignoring case; empty when none.
QString MatchCountry(const QString& country);
// Position of a city (not the own-location slot) in the country's list,
// compared ignoring case; -1 when none.
int CityPosition(const QString& country, const QString& city);

// Where the settings screen starts for a stored location: the country, and
// the city's position (0 = "my location" when the stored city is not one of
// the country's cities). The stored place is written back into the table:
// a city's own record, or the country's own-location slot (coordinates only;
// the slot keeps its names and time zone). A country the table lacks gives
// the first country with "my location".
struct TStart {
  QString Country;
  int CityPosition = 0;
};
TStart WriteBackStored(const TLocation& stored);

// The place at `position` of the country's list, named as the screen shows
// it: position 0 gets `myLocationText` as its city and the given coordinates,
// any other position is the table's record. Names are cut to 20 characters.
struct TCoordinates {
  int LatDeg = 0, LatMin = 0, NS = 0, LonDeg = 0, LonMin = 0, EW = 0;
};
TLocation Collect(const QString& country, int position, const QString& myLocationText,
                  const TCoordinates& coords);

// Range rules of typed coordinates: latitude 0..90 and longitude 0..180
// whole degrees, minutes 0..59, nothing beyond 90 00' or 180 00'.
enum class Field { LatDeg, LatMin, LonDeg, LonMin };
// Parses one edit's text (digits only, blanks around allowed); nullopt when it
// is not a whole number in the field's own range.
std::optional<int> ParseField(Field field, const QString& text);
// True when degrees and minutes together stay within the limit.
bool LatitudeInRange(int deg, int min);
bool LongitudeInRange(int deg, int min);

enum class ZoneState { Standard, Daylight };
// Daylight saving in `zone` at `when`; zones without it count as standard.
ZoneState ZoneStateAt(const QDateTime& when, const QTimeZone& zone);

// Today's sun times as the screen shows them: "HH:MM", the hour one more in
// daylight saving time (wrapping past midnight).
struct TSunShown {
  QString Rise;
  QString Set;
  ZoneState State = ZoneState::Standard;
};
TSunShown SunTimesShown(const TLocation& location, const QDate& date, ZoneState state);

// "52°22' N" / "4°54' E"; time zone as "+1", "0", "-3".
QString FormatLatitude(const TLocation& l);
QString FormatLongitude(const TLocation& l);
QString FormatTimeZone(const TLocation& l);

}  // namespace LocationChoice
