#include <QTest>
#include <map>

#include "TestSupport.h"
#include "core/settings/Location.h"
#include "core/shell/Win1252.h"

namespace {

struct Expected {
  int index;
  const char* country;
  const char* city;
  int latDeg, latMin, ns, lonDeg, lonMin, ew, tz;
};

TLocation Place(const QString& country, const QString& city, int latDeg, int latMin, int ns, int lonDeg,
                int lonMin, int ew, int tzHours, int tzSign) {
  TLocation l;
  l.Country = country;
  l.City = city;
  l.LatDeg = uint8_t(latDeg);
  l.LatMin = uint8_t(latMin);
  l.NS = uint8_t(ns);
  l.LonDeg = uint8_t(lonDeg);
  l.LonMin = uint8_t(lonMin);
  l.EW = uint8_t(ew);
  l.TzHours = uint8_t(tzHours);
  l.TzSign = uint8_t(tzSign);
  return l;
}

}  // namespace

class TestLocations : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void cleanup() { Locations::Reset(); }

  void countriesInByteOrderWithTheirCounts() {
    const std::vector<std::pair<QString, int>> expected = {
        {"België", 31},    {"Deutschland", 179}, {"England", 225},     {"España", 77},     {"France", 92},
        {"Italiana", 127}, {"Luxembourg", 10},   {"Magyarország", 47}, {"Nederland", 117}, {"Norge", 10},
        {"Polska", 48},    {"Portugal", 21},     {"Suomesta", 11},     {"Sverige", 26},    {"Türkiye", 14}};
    QStringList names;
    for (const auto& [name, count] : expected) names << name;
    QCOMPARE(Locations::CountryList(), names);

    std::map<QString, int> counts;
    QByteArray previous;
    for (int i = 0; i < Locations::Count; ++i) {
      const TLocation& l = Locations::At(i);
      ++counts[l.Country];
      const QByteArray bytes = ToWin1252(l.Country);
      QVERIFY2(previous <= bytes, qPrintable(QString("country order broken at %1").arg(i)));
      if (previous != bytes) QCOMPARE(l.City, Locations::OwnLocationCity);
      previous = bytes;
    }
    for (const auto& [name, count] : expected) QCOMPARE(counts[name], count);

    // CityList follows the table and begins with the own-location slot.
    const QStringList dutch = Locations::CityList("Nederland");
    QCOMPARE(dutch.size(), 117);
    QCOMPARE(dutch.first(), QStringLiteral("eigen locatie"));
    QCOMPARE(dutch.at(6), QStringLiteral("Amsterdam"));
    QVERIFY(Locations::CityList("Atlantis").isEmpty());
    QVERIFY(Locations::CityList("nederland").isEmpty());
  }

  void tellingRowsAndTimeZones() {
    const Expected rows[] = {
        {0, "België", "eigen locatie", 51, 15, 0, 4, 25, 0, 1},
        {210, "England", "eigen locatie", 51, 32, 0, 0, 5, 1, 0},
        {334, "England", "London", 51, 32, 0, 0, 5, 1, 0},
        {473, "España", "Madrid", 40, 26, 0, 3, 42, 1, 1},
        {788, "Nederland", "eigen locatie", 52, 22, 0, 4, 54, 0, 1},
        {794, "Nederland", "Amsterdam", 52, 22, 0, 4, 54, 0, 1},
        {984, "Suomesta", "eigen locatie", 60, 10, 0, 23, 58, 0, 2},
        {1024, "Türkiye", "Ankara", 39, 55, 0, 32, 35, 0, 2},
    };
    for (const Expected& e : rows) {
      const TLocation& l = Locations::At(e.index);
      QCOMPARE(l, Place(QString::fromUtf8(e.country), QString::fromUtf8(e.city), e.latDeg, e.latMin, e.ns,
                        e.lonDeg, e.lonMin, e.ew, e.tz, 0));
    }
    QCOMPARE(Locations::At(334).Longitude(), -(5 / 60.0));
    QCOMPARE(Locations::At(473).Latitude(), 40 + 26 / 60.0);

    const std::map<QString, double> zones = {
        {"England", 0}, {"Portugal", 0}, {"Suomesta", 2}, {"Türkiye", 2}};
    for (int i = 0; i < Locations::Count; ++i) {
      const TLocation& l = Locations::At(i);
      const auto it = zones.find(l.Country);
      QCOMPARE(l.TimeZone(), it == zones.end() ? 1.0 : it->second);
      QVERIFY(l.LatMin < 60 && l.LonMin < 60 && l.NS == 0 && l.EW <= 1);
    }
  }

  void defaultPlacesAreRows() {
    const char* places[][2] = {{"Nederland", "Amsterdam"},   {"England", "London"},
                               {"Deutschland", "Berlin"},    {"France", "Paris"},
                               {"España", "Madrid"},         {"Portugal", "Lisboa"},
                               {"Italiana", "Rome"},         {"Suomesta", "Helsinki"},
                               {"Magyarország", "Budapest"}, {"Türkiye", "Ankara"}};
    for (const auto& p : places) {
      const int index = Locations::FindIndex(QString::fromUtf8(p[0]), QString::fromUtf8(p[1]));
      QVERIFY2(index > 0, p[1]);
      QCOMPARE(Locations::FindLocation(QString::fromUtf8(p[0]), QString::fromUtf8(p[1])).City,
               QString::fromUtf8(p[1]));
    }
  }

  void namesFitTheRecord() {
    int longest = 0;
    for (int i = 0; i < Locations::Count; ++i) {
      const TLocation& l = Locations::At(i);
      QVERIFY2(!l.City.isEmpty() && l.City.size() <= 20, qPrintable(l.City));
      QVERIFY2(IsWin1252(l.City) && IsWin1252(l.Country), qPrintable(l.City));
      longest = std::max<int>(longest, l.City.size());
      // A city that appears twice in a country could never be chosen.
      if (l.City != Locations::OwnLocationCity) QCOMPARE(Locations::FindIndex(l.Country, l.City), i);
    }
    QCOMPARE(longest, 20);
  }

  void findIndexMissAndLastMatch() {
    QCOMPARE(Locations::FindIndex("België", "eigen locatie"), 0);
    QCOMPARE(Locations::FindIndex("England", "my location"), 0);
    QCOMPARE(Locations::FindIndex("england", "London"), 0);
    QCOMPARE(Locations::FindLocation("Atlantis", "Nowhere"), Locations::At(0));

    // A second London later in the table wins.
    TLocation copy = Locations::At(334);
    copy.LatMin = 7;
    Locations::WriteBack(400, copy);
    QCOMPARE(Locations::FindIndex("England", "London"), 400);
    QCOMPARE(Locations::FindLocation("England", "London").LatMin, uint8_t(7));

    // A reference taken before a reset (a new installation object) still
    // reads the table, now as built in.
    const TLocation& held = Locations::At(400);
    Locations::Reset();
    QCOMPARE(&held, &Locations::At(400));
    QVERIFY(held.City != QStringLiteral("London"));
    QCOMPARE(Locations::FindIndex("England", "London"), 334);
    QCOMPARE(Locations::At(400).Country, QStringLiteral("England"));
    QVERIFY(Locations::At(400).City != QStringLiteral("London"));
  }

  void writeBackOfOwnLocation() {
    // The user's own place lands in record 0 and keeps the country list whole.
    const TLocation own = Place("Nederland", "my location", 53, 13, 0, 6, 34, 0, 9, 1);
    Locations::WriteBack(Locations::FindIndex(own.Country, own.City), own);
    const TLocation& r = Locations::At(0);
    QCOMPARE(r.City, QStringLiteral("my location"));
    QCOMPARE(r.Country, QStringLiteral("Nederland"));
    QCOMPARE(r.LatDeg, uint8_t(53));
    QCOMPARE(r.TzHours, uint8_t(9));
    QCOMPARE(r.TzSign, uint8_t(1));
    QCOMPARE(Locations::FindIndex("Nederland", "my location"), 0);
    const QStringList countries = Locations::CountryList();
    QCOMPARE(countries.size(), 15);
    QCOMPARE(countries.count("Nederland"), 1);
    QCOMPARE(Locations::CityList("België").size(), 30);

    // Names are cut to 20 characters; 20 survive unchanged.
    const QString twenty = QStringLiteral("Abcdefghij Klmnopqrs");
    QCOMPARE(twenty.size(), 20);
    Locations::WriteBack(5, Place("Sverige", twenty, 1, 2, 0, 3, 4, 1, 1, 0));
    QCOMPARE(Locations::At(5).City, twenty);
    Locations::WriteBack(6, Place("Magyarország and more", twenty + "Tuvwx", 1, 2, 0, 3, 4, 1, 1, 0));
    QCOMPARE(Locations::At(6).City, twenty);
    QCOMPARE(Locations::At(6).Country, QStringLiteral("Magyarország and mor"));

    Locations::WriteBack(-1, own);
    Locations::WriteBack(Locations::Count, own);
    QCOMPARE(Locations::At(Locations::Count - 1).Country, QStringLiteral("Türkiye"));
  }

  void recordLayout() {
    const TLocation madrid = Locations::At(473);
    const QByteArray record = madrid.ToRecord();
    QCOMPARE(record.size(), 50);
    QByteArray expected(50, '\0');
    expected[0] = 6;
    expected.replace(1, 6, QByteArray("Espa\xf1\x61"));
    expected[21] = 6;
    expected.replace(22, 6, QByteArray("Madrid"));
    const char coords[] = {40, 26, 0, 3, 42, 1, 1, 0};
    expected.replace(42, 8, QByteArray(coords, 8));
    QCOMPARE(record, expected);
    QCOMPARE(TLocation::FromRecord(record), madrid);

    // Every table record survives a round trip.
    for (int i = 0; i < Locations::Count; ++i)
      QCOMPARE(TLocation::FromRecord(Locations::At(i).ToRecord()), Locations::At(i));

    // A record cut short reads its missing bytes as zero.
    const TLocation shortRead = TLocation::FromRecord(QByteArrayView(record.constData(), 44));
    QCOMPARE(shortRead.City, QStringLiteral("Madrid"));
    QCOMPARE(shortRead.LatMin, uint8_t(26));
    QCOMPARE(shortRead.NS, uint8_t(0));
    QCOMPARE(shortRead.LonDeg, uint8_t(0));
    QCOMPARE(shortRead.TzHours, uint8_t(0));
    const TLocation cutName = TLocation::FromRecord(QByteArrayView(record.constData(), 4));
    QCOMPARE(cutName.Country, QStringLiteral("Esp"));
    QVERIFY(cutName.City.isEmpty());
    QCOMPARE(TLocation::FromRecord(QByteArrayView()), TLocation());

    // Overlong length bytes are clamped to 20 characters.
    QByteArray bad = expected;
    bad[21] = char(200);
    QCOMPARE(TLocation::FromRecord(bad).City.size(), 20);
    QCOMPARE(TLocation::FromRecord(bad).City.left(6), QStringLiteral("Madrid"));

    // Southern and western hemispheres and a negative zone.
    const TLocation south = Place("X", "Y", 33, 30, 1, 70, 45, 1, 4, 1);
    QCOMPARE(south.Latitude(), -33.5);
    QCOMPARE(south.Longitude(), -70.75);
    QCOMPARE(south.TimeZone(), -4.0);
  }
};

QTEST_GUILESS_MAIN(TestLocations)
#include "tst_locations.moc"
