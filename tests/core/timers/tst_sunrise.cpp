#include <QDate>
#include <QTest>
#include <cstring>

#include "TestSupport.h"
#include "core/timers/sunrise.h"

namespace {

QString Hm(int minutes) {
  return QStringLiteral("%1:%2")
      .arg(minutes / 60, 2, 10, QLatin1Char('0'))
      .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

int EntryMinutes(const uint8_t* entry) { return (entry[0] & 0x7F) * 60 + entry[1]; }

// Day of the month of table entry `i` (0..23 within a half).
int EntryDay(int i) { return i % 2 == 0 ? 1 : 16; }
int EntryMonth(int i) { return i / 2 + 1; }

}  // namespace

class TestSunrise : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() { FailOnUnexpectedWarnings(); }

  void sunTimes_data() {
    QTest::addColumn<int>("selector");
    QTest::addColumn<int>("year");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("zone");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Amsterdam rise") << 1 << 2026 << 52.37 << 4.9 << 1.0 << 6 << 1 << "04:24";
    QTest::newRow("Amsterdam set") << -1 << 2026 << 52.37 << 4.9 << 1.0 << 6 << 1 << "20:53";
    QTest::newRow("London rise, west") << 1 << 2026 << 51.5 << -0.12 << 0.0 << 6 << 16 << "03:43";
    // Polar night: both selectors give local solar noon.
    QTest::newRow("70N polar night rise") << 1 << 2026 << 70.0 << 20.0 << 1.0 << 1 << 1 << "11:44";
    QTest::newRow("70N polar night set") << -1 << 2026 << 70.0 << 20.0 << 1.0 << 1 << 1 << "11:44";
    // Polar day: both give local solar midnight.
    QTest::newRow("70N polar day rise") << 1 << 2026 << 70.0 << 20.0 << 1.0 << 6 << 1 << "23:38";
    QTest::newRow("70N polar day set") << -1 << 2026 << 70.0 << 20.0 << 1.0 << 6 << 1 << "23:38";
    QTest::newRow("Cape Town rise") << 1 << 2026 << -33.9 << 18.4 << 2.0 << 6 << 16 << "07:50";
    QTest::newRow("Cape Town set") << -1 << 2026 << -33.9 << 18.4 << 2.0 << 6 << 16 << "17:44";
  }
  void sunTimes() {
    QFETCH(int, selector);
    QFETCH(int, year);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, zone);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, expected);
    const int m = tsunrise::SunTime(selector, year, lat, lon, zone, month, day);
    QCOMPARE(Hm(m), expected);
    QCOMPARE(tsunrise::SunTimeOfDay(selector, year, lat, lon, zone, month, day),
             QTime::fromString(expected, QStringLiteral("HH:mm")));
  }

  // The result always lands in 0..1439, also when the zone pushes it over
  // midnight in either direction.
  void midnightWrap() {
    const int base = tsunrise::SunTime(1, 2026, 52.37, 4.9, 0, 6, 1);
    const int early = tsunrise::SunTime(1, 2026, 52.37, 4.9, -12, 6, 1);
    const int late = tsunrise::SunTime(-1, 2026, 52.37, 4.9, 12, 6, 1);
    QCOMPARE(early, (base - 720 + 1440) % 1440);
    QVERIFY(early >= 0 && early < 1440);
    QVERIFY(late >= 0 && late < 1440);
    QCOMPARE(late, (tsunrise::SunTime(-1, 2026, 52.37, 4.9, 0, 6, 1) + 720) % 1440);
  }

  void roundHalfEven() {
    QCOMPARE(tsunrise::RoundHalfEven(0.5), 0.0);
    QCOMPARE(tsunrise::RoundHalfEven(1.5), 2.0);
    QCOMPARE(tsunrise::RoundHalfEven(2.5), 2.0);
    QCOMPARE(tsunrise::RoundHalfEven(97.5), 98.0);
    QCOMPARE(tsunrise::RoundHalfEven(96.5), 96.0);
    QCOMPARE(tsunrise::RoundHalfEven(-1.5), -2.0);
    QCOMPARE(tsunrise::RoundHalfEven(-2.5), -2.0);
    QCOMPARE(tsunrise::RoundHalfEven(97.4375), 97.0);
    QCOMPARE(tsunrise::RoundHalfEven(2.5000001), 3.0);
    QCOMPARE(tsunrise::RoundHalfEven(2.4999999), 2.0);
    // A zone of half a minute puts a whole-minute time exactly on a tie.
    QCOMPARE(tsunrise::RoundHalfEven((3.0 + 0.5 / 60) * 60), 180.0);
    QCOMPARE(tsunrise::RoundHalfEven((3.0 + 1.5 / 60) * 60), 182.0);
  }

  void seconds() {
    QCOMPARE(tsunrise::Seconds(6 * 60 + 41, 7 * 60 + 7), 1559);  // 26 minutes
    QCOMPARE(tsunrise::Seconds(7 * 60 + 7, 6 * 60 + 41), 1559);  // order does not matter
    QCOMPARE(tsunrise::Seconds(8 * 60 + 50, 8 * 60 + 42), 480);
    QCOMPARE(tsunrise::Seconds(8 * 60 + 42, 8 * 60 + 22), 1200);
    QCOMPARE(tsunrise::Seconds(600, 600), 0);
    // Exact for the difference, whatever the double error.
    for (int a = 0; a < 1440; a += 37)
      for (int b = 0; b < 1440; b += 53) {
        const int s = tsunrise::Seconds(a, b);
        const int exact = 60 * std::abs(a - b);
        QVERIFY2(s == exact || s == exact - 1,
                 qPrintable(QStringLiteral("%1 %2 -> %3").arg(a).arg(b).arg(s)));
      }
  }

  void amsterdamTable() {
    tsunrise sun;
    sun.BuildSunriseTable(52.37, 4.9, 1, 2026);
    const uint8_t start[] = {0x88, 0x32, 0x1E, 0x88, 0x2A, 0x4B};
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sun.SunTable), 6),
             QByteArray(reinterpret_cast<const char*>(start), 6));
    // 1 October: 06:41, later each day, 1559 s over 16 days -> 97 s = 1 min 37 s.
    QCOMPARE(sun.SunTable[54], uint8_t(0x06));
    QCOMPARE(sun.SunTable[55], uint8_t(0x29));
    QCOMPARE(sun.SunTable[56], uint8_t(0x65));
    // The sunrise build leaves the sunset half alone.
    for (int i = tsunrise::HalfSize; i < tsunrise::TableSize; ++i) QCOMPARE(sun.SunTable[i], uint8_t(0));
  }

  // Every entry's time is the sun time of its date; the direction bit and the
  // step describe the move to the next table date, December's towards
  // 1 January of the next year.
  void tableEntries_data() {
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("zone");
    QTest::addColumn<int>("year");
    QTest::newRow("Amsterdam 2026") << 52.37 << 4.9 << 1.0 << 2026;
    QTest::newRow("Madrid 2028 leap") << 40.4 << -3.7 << 1.0 << 2028;
    QTest::newRow("Cape Town 2027") << -33.9 << 18.4 << 2.0 << 2027;
    QTest::newRow("Tromso 2026") << 69.65 << 18.96 << 1.0 << 2026;
  }
  void tableEntries() {
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, zone);
    QFETCH(int, year);
    tsunrise sun;
    sun.BuildSunriseTable(lat, lon, zone, year);
    sun.BuildSunsetTable(lat, lon, zone, year);
    for (int half = 0; half < 2; ++half) {
      const int selector = half == 0 ? 1 : -1;
      for (int i = 0; i < 24; ++i) {
        const uint8_t* e = sun.SunTable + half * tsunrise::HalfSize + 3 * i;
        const QDate date(year, EntryMonth(i), EntryDay(i));
        const QDate next = i == 23 ? QDate(year + 1, 1, 1) : QDate(year, EntryMonth(i + 1), EntryDay(i + 1));
        const int t = tsunrise::SunTime(selector, year, lat, lon, zone, date.month(), date.day());
        const int tn = tsunrise::SunTime(selector, next.year(), lat, lon, zone, next.month(), next.day());
        const QString where = QStringLiteral("half %1 entry %2").arg(half).arg(i);
        QVERIFY2(EntryMinutes(e) == t, qPrintable(where));
        QVERIFY2(((e[0] & 0x80) != 0) == (t > tn), qPrintable(where));
        const int divisor = i % 2 == 0 ? 16 : date.daysInMonth() - 14;
        const int s = int(tsunrise::RoundHalfEven(tsunrise::Seconds(t, tn) / double(divisor)));
        QVERIFY2(e[2] == uint8_t(((s / 60) * 64 + s % 60) & 0xFF), qPrintable(where));
      }
    }
  }

  // In polar night both halves hold solar noon: identical entries.
  void polarTable() {
    tsunrise sun;
    sun.BuildSunriseTable(78.2, 15.6, 1, 2026);
    sun.BuildSunsetTable(78.2, 15.6, 1, 2026);
    // 16 December and 1 January lie deep in the polar night at 78 N.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sun.SunTable + 69), 3),
             QByteArray(reinterpret_cast<const char*>(sun.SunTable + 72 + 69), 3));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sun.SunTable + 0), 2),
             QByteArray(reinterpret_cast<const char*>(sun.SunTable + 72), 2));
    // Midsummer: polar day, solar midnight in both halves.
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(sun.SunTable + 33), 3),
             QByteArray(reinterpret_cast<const char*>(sun.SunTable + 72 + 33), 3));
  }
};

QTEST_GUILESS_MAIN(TestSunrise)
#include "tst_sunrise.moc"
