#include "core/timers/LocationChoice.h"

#include "core/timers/sunrise.h"

namespace LocationChoice {

int OwnLocationIndex(const QString& country) { return CityIndex(country, 0); }

int CityIndex(const QString& country, int position) {
  if (position < 0) return -1;
  int seen = 0;
  for (int i = 0; i < Locations::Count; ++i) {
    if (Locations::At(i).Country != country) continue;
    if (seen++ == position) return i;
  }
  return -1;
}

QString MatchCountry(const QString& country) {
  for (const QString& c : Locations::CountryList())
    if (QString::compare(c, country, Qt::CaseInsensitive) == 0) return c;
  return QString();
}

int CityPosition(const QString& country, const QString& city) {
  const QStringList cities = Locations::CityList(country);
  for (int i = 1; i < cities.size(); ++i)
    if (QString::compare(cities[i], city, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

TStart WriteBackStored(const TLocation& stored) {
  TStart start;
  start.Country = MatchCountry(stored.Country);
  if (start.Country.isEmpty()) start.Country = Locations::CountryList().value(0);
  const int position = CityPosition(start.Country, stored.City);
  start.CityPosition = position > 0 ? position : 0;
  const int index = CityIndex(start.Country, start.CityPosition);
  if (index < 0) return start;
  // The record keeps its names; a city takes the stored time zone, the
  // user's own coordinates always the country's.
  const TLocation& slot = Locations::At(index);
  TLocation record = stored;
  record.Country = slot.Country;
  record.City = slot.City;
  if (start.CityPosition == 0) {
    record.TzHours = slot.TzHours;
    record.TzSign = slot.TzSign;
  }
  Locations::WriteBack(index, record);
  return start;
}

TLocation Collect(const QString& country, int position, const QString& myLocationText,
                  const TCoordinates& coords) {
  const int index = CityIndex(country, position);
  TLocation l = Locations::At(index < 0 ? 0 : index);
  if (position == 0 || index < 0) {
    l.Country = country;
    l.City = myLocationText;
    l.LatDeg = uint8_t(coords.LatDeg);
    l.LatMin = uint8_t(coords.LatMin);
    l.NS = uint8_t(coords.NS);
    l.LonDeg = uint8_t(coords.LonDeg);
    l.LonMin = uint8_t(coords.LonMin);
    l.EW = uint8_t(coords.EW);
  }
  // The stored form: names cut to 20 characters as the record holds them.
  return TLocation::FromRecord(l.ToRecord());
}

std::optional<int> ParseField(Field field, const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  for (QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  bool ok = false;
  const int v = t.toInt(&ok);
  if (!ok) return std::nullopt;
  int high = 59;
  if (field == Field::LatDeg) high = 90;
  if (field == Field::LonDeg) high = 180;
  if (v > high) return std::nullopt;
  return v;
}

bool LatitudeInRange(int deg, int min) {
  return deg >= 0 && min >= 0 && min <= 59 && (deg < 90 || (deg == 90 && min == 0));
}

bool LongitudeInRange(int deg, int min) {
  return deg >= 0 && min >= 0 && min <= 59 && (deg < 180 || (deg == 180 && min == 0));
}

ZoneState ZoneStateAt(const QDateTime& when, const QTimeZone& zone) {
  return zone.isValid() && zone.isDaylightTime(when) ? ZoneState::Daylight : ZoneState::Standard;
}

TSunShown SunTimesShown(const TLocation& location, const QDate& date, ZoneState state) {
  const auto shown = [&](int selector) {
    const int minutes = tsunrise::SunTime(selector, date.year(), location.Latitude(), location.Longitude(),
                                          location.TimeZone(), date.month(), date.day());
    int hour = minutes / 60;
    if (state == ZoneState::Daylight) hour = (hour + 1) % 24;
    return QString::asprintf("%2.2d:%2.2d", hour, minutes % 60);
  };
  return {shown(tsunrise::Sunrise), shown(tsunrise::Sunset), state};
}

QString FormatLatitude(const TLocation& l) {
  return QStringLiteral("%1°%2' %3")
      .arg(l.LatDeg)
      .arg(l.LatMin, 2, 10, QLatin1Char('0'))
      .arg(l.NS == 1 ? 'S' : 'N');
}

QString FormatLongitude(const TLocation& l) {
  return QStringLiteral("%1°%2' %3")
      .arg(l.LonDeg)
      .arg(l.LonMin, 2, 10, QLatin1Char('0'))
      .arg(l.EW == 1 ? 'W' : 'E');
}

QString FormatTimeZone(const TLocation& l) {
  const int tz = static_cast<int>(l.TimeZone());
  return tz > 0 ? QStringLiteral("+%1").arg(tz) : QString::number(tz);
}

}  // namespace LocationChoice
