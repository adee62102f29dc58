#include "core/settings/Location.h"

#include <QSet>
#include <algorithm>
#include <array>
#include <atomic>
#include <vector>

#include "core/shell/Win1252.h"

namespace Locations::detail {
// The generated table (LocationData.cpp); index 0..Count-1.
TLocation BuiltIn(int index);
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

std::vector<TLocation> BuildTable() {
  std::vector<TLocation> table;
  table.reserve(Locations::Count);
  for (int i = 0; i < Locations::Count; ++i) table.push_back(Locations::detail::BuiltIn(i));
  return table;
}

// Set once the table has been built (first use).
std::atomic<bool> g_built{false};

std::vector<TLocation>& Table() {
  static std::vector<TLocation> table = BuildTable();
  g_built.store(true, std::memory_order_relaxed);
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
  return Table()[InRange(index) ? index : 0];
}

void WriteBack(int index, const TLocation& location) {
  if (!InRange(index)) return;
  TLocation& r = Table()[index];
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
  // Not built yet: its first use builds it fresh (the start of the program
  // would otherwise build it twice).
  if (!g_built.load(std::memory_order_relaxed)) return;
  // In place: references from At() stay valid across a Recreate.
  const std::vector<TLocation> fresh = BuildTable();
  std::copy(fresh.begin(), fresh.end(), Table().begin());
}

QStringList CountryList() {
  // Each country once, in order of first appearance; a written-back record 0
  // may name a country out of sort order, which must not duplicate it.
  QStringList list;
  QSet<QString> seen;
  for (const TLocation& r : Table()) {
    if (seen.contains(r.Country)) continue;
    seen.insert(r.Country);
    list.append(r.Country);
  }
  return list;
}

QStringList CityList(const QString& country) {
  QStringList list;
  for (const TLocation& r : Table())
    if (r.Country == country) list.append(r.City);
  return list;
}

int FindIndex(const QString& country, const QString& city) {
  const std::vector<TLocation>& table = Table();
  for (int i = Count - 1; i >= 0; --i)
    if (table[i].Country == country && table[i].City == city) return i;
  return 0;
}

TLocation FindLocation(const QString& country, const QString& city) { return At(FindIndex(country, city)); }

}  // namespace Locations
