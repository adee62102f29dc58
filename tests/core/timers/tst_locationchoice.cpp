#include <QTest>

#include "TestSupport.h"
#include "core/timers/LocationChoice.h"
#include "core/timers/sunrise.h"

using namespace LocationChoice;

class TestLocationChoice : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void cleanup() { Locations::Reset(); }

  void coordinateRules() {
    QCOMPARE(ParseField(Field::LatDeg, QStringLiteral(" 52 ")), 52);
    QCOMPARE(ParseField(Field::LonDeg, QStringLiteral("180")), 180);
    for (const char* bad : {"", "-1", "+5", "5a", "1.5", "91"})
      QVERIFY2(!ParseField(Field::LatDeg, QLatin1String(bad)), bad);
    QVERIFY(!ParseField(Field::LonDeg, QStringLiteral("181")));
    QVERIFY(!ParseField(Field::LatMin, QStringLiteral("60")));
    QVERIFY(LatitudeInRange(90, 0) && !LatitudeInRange(90, 1) && LatitudeInRange(89, 59));
    QVERIFY(LongitudeInRange(180, 0) && !LongitudeInRange(180, 1));
  }

  // A stored city goes back into its own record; a stored "my location" (or a
  // city the table no longer has) into the country's own-location slot, which
  // keeps its names and the country's time zone.
  void writeBackAndCollect() {
    TLocation stored = Locations::FindLocation(QStringLiteral("Nederland"), QStringLiteral("Amsterdam"));
    TStart s = WriteBackStored(stored);
    QCOMPARE(s.Country, QStringLiteral("Nederland"));
    QCOMPARE(Locations::CityList(s.Country).at(s.CityPosition), QStringLiteral("Amsterdam"));
    QCOMPARE(Collect(s.Country, s.CityPosition, QStringLiteral("my location"), {}), stored);

    stored.City = QStringLiteral("Atlantis");  // no longer in the table
    stored.LatDeg = 10;
    stored.TzHours = 5;
    s = WriteBackStored(stored);
    QCOMPARE(s.CityPosition, 0);
    const TLocation& slot = Locations::At(OwnLocationIndex(QStringLiteral("Nederland")));
    QCOMPARE(slot.City, Locations::OwnLocationCity);
    QCOMPARE(int(slot.LatDeg), 10);
    QCOMPARE(int(slot.TzHours), 1);

    // "my location" in England has England's zone, whatever record 0 holds.
    const TLocation own =
        Collect(QStringLiteral("England"), 0, QStringLiteral("my location"), {48, 5, 0, 2, 30, 1});
    QCOMPARE(own.City, QStringLiteral("my location"));
    QCOMPARE(own.Country, QStringLiteral("England"));
    QCOMPARE(FormatLatitude(own), QStringLiteral("48°05' N"));
    QCOMPARE(FormatLongitude(own), QStringLiteral("2°30' W"));
    QCOMPARE(FormatTimeZone(own), QStringLiteral("0"));

    // A country the table lacks starts at the first country's own location.
    stored.Country = QStringLiteral("Atlantis");
    QCOMPARE(WriteBackStored(stored).Country, Locations::CountryList().first());
    QCOMPARE(MatchCountry(QStringLiteral("nederland")), QStringLiteral("Nederland"));
  }

  void sunTimesShown() {
    const TLocation ams = Locations::FindLocation(QStringLiteral("Nederland"), QStringLiteral("Amsterdam"));
    const QDate date(2026, 6, 1);
    const TSunShown winter = SunTimesShown(ams, date, ZoneState::Standard);
    QCOMPARE(winter.Rise, QStringLiteral("04:25"));
    QCOMPARE(winter.Set, QStringLiteral("20:53"));
    const TSunShown summer = SunTimesShown(ams, date, ZoneState::Daylight);
    QCOMPARE(summer.Rise, QStringLiteral("05:25"));
    QCOMPARE(summer.Set, QStringLiteral("21:53"));

    const QTimeZone zone("Europe/Amsterdam");
    QCOMPARE(ZoneStateAt(QDateTime(date, QTime(12, 0), zone), zone), ZoneState::Daylight);
    QCOMPARE(ZoneStateAt(QDateTime(QDate(2026, 1, 5), QTime(12, 0), zone), zone), ZoneState::Standard);
    QCOMPARE(ZoneStateAt(QDateTime(date, QTime(12, 0), QTimeZone::utc()), QTimeZone::utc()),
             ZoneState::Standard);
  }
};

QTEST_GUILESS_MAIN(TestLocationChoice)
#include "tst_locationchoice.moc"
