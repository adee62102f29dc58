#include "core/settings/Location.h"

#include <QAnyStringView>
#include <QSet>
#include <QUtf8StringView>
#include <algorithm>
#include <array>
#include <vector>

#include "core/shell/Win1252.h"

namespace Locations::detail {
// The generated table (LocationData.cpp); index 0..Count-1.
TLocation BuiltIn(int index);
// The names of record `index` as built in (UTF-8), without building it; all
// records of one country return the same pointer.
const char* BuiltInCountry(int index);
const char* BuiltInCity(int index);
}  // namespace Locations::detail

namespace {

constexpr int kNameWidth = 20;
constexpr int kCountryOffset = 0;
constexpr int kCityOffset = 21;
constexpr int kCoordOffset = 42;

double Signed(double magnitude, uint8_t signByte) { return signByte == 1 ? -magnitude : magnitude; }

// The name as a record stores it: Windows-1252, at most 20 characters.
QString AsStored(const QString& name) {
  std::array<char, kNameWidth + 1> field{};
  WriteShortString(field.data(), kNameWidth, name);
  return ReadShortString(QByteArrayView(field.data(), field.size()), kNameWidth);
}

// The table as the program sees it. A record is built from the built-in data
// on its first use and then stays in place (At() hands out references);
// lookups by name read the built-in names of records not built yet, so that
// a run that only looks one place up builds one record, not 1035.
struct Table {
  std::vector<TLocation> records = std::vector<TLocation>(Locations::Count);
  std::vector<bool> built = std::vector<bool>(Locations::Count);
  std::vector<bool> writtenBack = std::vector<bool>(Locations::Count);

  TLocation& Record(int index) {
    if (!built[size_t(index)]) {
      records[size_t(index)] = Locations::detail::BuiltIn(index);
      built[size_t(index)] = true;
    }
    return records[size_t(index)];
  }
};

Table& TheTable() {
  static Table table;
  return table;
}

bool InRange(int index) { return index >= 0 && index < Locations::Count; }

// The part of a name field that `record` holds; a name cut short by the end
// of the data keeps the characters present rather than gaining zero characters.
QByteArrayView NameField(QByteArrayView record, int offset) {
  if (record.size() <= offset) return {};
  return record.sliced(offset, std::min<qsizetype>(kNameWidth + 1, record.size() - offset));
}

}  // namespace

double TLocation::Latitude() const { return Signed(LatDeg + LatMin / 60.0, NS); }

double TLocation::Longitude() const { return Signed(LonDeg + LonMin / 60.0, EW); }

double TLocation::TimeZone() const { return Signed(TzHours, TzSign); }

QByteArray TLocation::ToRecord() const {
  QByteArray record(RecordSize, '\0');
  char* data = record.data();
  WriteShortString(data + kCountryOffset, kNameWidth, Country);
  WriteShortString(data + kCityOffset, kNameWidth, City);
  const std::array<uint8_t, 8> coords = {LatDeg, LatMin, NS, LonDeg, LonMin, EW, TzHours, TzSign};
  std::copy(coords.begin(), coords.end(), data + kCoordOffset);
  return record;
}

TLocation TLocation::FromRecord(QByteArrayView record) {
  TLocation l;
  l.Country = ReadShortString(NameField(record, kCountryOffset), kNameWidth);
  l.City = ReadShortString(NameField(record, kCityOffset), kNameWidth);
  // Zero-filled copy so that a short record never reads past its data.
  std::array<char, RecordSize> bytes{};
  std::copy_n(record.data(), std::min<qsizetype>(record.size(), RecordSize), bytes.begin());
  const auto byte = [&](int i) { return static_cast<uint8_t>(bytes[kCoordOffset + i]); };
  l.LatDeg = byte(0);
  l.LatMin = byte(1);
  l.NS = byte(2);
  l.LonDeg = byte(3);
  l.LonMin = byte(4);
  l.EW = byte(5);
  l.TzHours = byte(6);
  l.TzSign = byte(7);
  return l;
}

namespace Locations {

const TLocation& At(int index) {
  // An index from outside the table falls back to the own-location record,
  // as a failed lookup does.
  return TheTable().Record(InRange(index) ? index : 0);
}

void WriteBack(int index, const TLocation& location) {
  if (!InRange(index)) return;
  Table& table = TheTable();
  TLocation& r = table.Record(index);
  table.writtenBack[size_t(index)] = true;
  r.Country = AsStored(location.Country);
  r.City = AsStored(location.City);
  r.LatDeg = location.LatDeg;
  r.LatMin = location.LatMin;
  r.NS = location.NS;
  r.LonDeg = location.LonDeg;
  r.LonMin = location.LonMin;
  r.EW = location.EW;
  r.TzHours = location.TzHours;
  r.TzSign = location.TzSign;
}

void Reset() {
  // In place: references from At() stay valid across a Recreate. Only
  // written-back records differ from the built-in data.
  Table& table = TheTable();
  for (int i = 0; i < Count; ++i) {
    if (!table.writtenBack[size_t(i)]) continue;
    table.records[size_t(i)] = detail::BuiltIn(i);
    table.writtenBack[size_t(i)] = false;
  }
}

QStringList CountryList() {
  // Each country once, in order of first appearance; a written-back record 0
  // may name a country out of sort order, which must not duplicate it.
  QStringList list;
  QSet<QString> seen;
  for (int i = 0; i < Count; ++i) {
    const TLocation& r = At(i);
    if (seen.contains(r.Country)) continue;
    seen.insert(r.Country);
    list.append(r.Country);
  }
  return list;
}

QStringList CityList(const QString& country) {
  QStringList list;
  for (int i = 0; i < Count; ++i)
    if (const TLocation& r = At(i); r.Country == country) list.append(r.City);
  return list;
}

int FindIndex(const QString& country, const QString& city) {
  Table& table = TheTable();
  // Records of one country share their built-in country name: it is
  // compared once per country, not once per record.
  const char* lastCountry = nullptr;
  bool countryMatches = false;
  for (int i = Count - 1; i >= 0; --i) {
    if (table.built[size_t(i)]) {
      const TLocation& r = table.records[size_t(i)];
      if (r.Country == country && r.City == city) return i;
      continue;
    }
    const char* builtInCountry = detail::BuiltInCountry(i);
    if (builtInCountry != lastCountry) {
      lastCountry = builtInCountry;
      countryMatches = QAnyStringView::equal(country, QUtf8StringView(builtInCountry));
    }
    if (countryMatches && QAnyStringView::equal(city, QUtf8StringView(detail::BuiltInCity(i)))) return i;
  }
  return 0;
}

TLocation FindLocation(const QString& country, const QString& city) { return At(FindIndex(country, city)); }

}  // namespace Locations
