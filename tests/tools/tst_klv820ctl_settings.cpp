#include <QDate>
#include <QTest>

#include "CtlRunner.h"

// klv820ctl sets and location.
class TestCtlSettings : public QObject {
  Q_OBJECT

 private slots:
  void setsSaveListLoad() {
    CtlRunner ctl;
    QCOMPARE(ctl.run({"init"}).code, 0);
    QCOMPARE(ctl.run({"sets", "save", "Holiday home"}).code, 0);
    QCOMPARE(ctl.run({"sets", "save", "Ferienhaus Müller"}).code, 0);
    QVERIFY(ctl.write(ctl.file("config/stray.txt"), "x"));  // a plain file is no set
    QCOMPARE(ctl.run({"sets"}).outLines(), (QStringList{"Ferienhaus Müller", "Holiday home"}));

    QJsonObject json = ctl.dump();
    json["oldModel"] = 1;
    QCOMPARE(ctl.import(json).code, 0);
    QCOMPARE(ctl.run({"sets", "load", "Holiday home"}).code, 0);
    QCOMPARE(ctl.dump()["oldModel"].toInt(), 0);

    for (const char* bad : {"", ".", "..", "a/b", "a:b", "CON", "com1.txt", "tail.", "Łódź"})
      CTL_EXPECT_FAILURE(ctl.run({"sets", "save", bad}), 2);
    CTL_EXPECT_FAILURE(ctl.run({"sets", "load", "nowhere"}), 2);

    // A set lacking a file is refused, naming it, and changes nothing.
    QVERIFY(QFile::remove(ctl.file("config/Holiday home/kvl820.dat")));
    json["oldModel"] = 1;
    QCOMPARE(ctl.import(json).code, 0);
    const CtlResult r = ctl.run({"sets", "load", "Holiday home"});
    CTL_EXPECT_FAILURE(r, 1);
    QVERIFY(r.err.contains("kvl820.dat"));
    QCOMPARE(ctl.dump()["oldModel"].toInt(), 1);
  }

  void location() {
    CtlRunner ctl;
    QCOMPARE(ctl.run({"init"}).code, 0);
    QCOMPARE(ctl.run({"location", "set", "nederland", "AMSTERDAM"}).code, 0);
    const QStringList shown = ctl.run({"location"}).outLines();
    QCOMPARE(shown.mid(0, 5), (QStringList{"country: Nederland", "city: Amsterdam", "latitude: 52°22' N",
                                           "longitude: 4°54' E", "time zone: +1"}));
    // Today's times as suntime gives them, an hour later in summer time.
    const QDate today = QDate::currentDate();
    const int extra = shown.value(7) == QLatin1String("daylight saving time") ? 1 : 0;
    QVERIFY(extra == 1 || shown.value(7) == QLatin1String("standard time"));
    const QStringList day = {QString::number(today.year()), QString::number(today.month()),
                             QString::number(today.day())};
    for (const char* which : {"rise", "set"}) {
      const QString hm = ctl.run(QStringList{"suntime", which} + day + QStringList{"52.366667", "4.9", "1"})
                             .outText()
                             .trimmed();
      const QString expected = QStringLiteral("%1:%2")
                                   .arg((hm.left(2).toInt() + extra) % 24, 2, 10, QLatin1Char('0'))
                                   .arg(hm.mid(3));
      QCOMPARE(shown.value(QLatin1String(which) == QLatin1String("rise") ? 5 : 6),
               QStringLiteral("sun%1: %2").arg(QLatin1String(which), expected));
    }

    QCOMPARE(ctl.run({"location", "set", "England", "--coords", "48:05N", "2:30W"}).code, 0);
    const QJsonObject loc = ctl.dump()["location"].toObject();
    QCOMPARE(loc["country"].toString(), QStringLiteral("England"));
    QCOMPARE(loc["city"].toString(), QStringLiteral("my location"));
    QCOMPARE(loc["latDeg"].toInt(), 48);
    QCOMPARE(loc["lonMin"].toInt(), 30);
    QCOMPARE(loc["ew"].toInt(), 1);
    QCOMPARE(loc["tzHours"].toInt(), 0);

    for (const QStringList& bad :
         {QStringList{"set", "Atlantis", "X"}, QStringList{"set", "England", "Atlantis"},
          QStringList{"set", "England", "--coords", "90:01N", "0:00E"},
          QStringList{"set", "England", "--coords", "45:60N", "0:00E"},
          QStringList{"set", "England", "--coords", "45:00E", "0:00E"},
          QStringList{"set", "England", "--coords", "45:00N", "181:00E"}})
      CTL_EXPECT_FAILURE(ctl.run(QStringList{"location"} + bad), 2);
    QCOMPARE(ctl.dump()["location"].toObject(), loc);
  }
};

QTEST_GUILESS_MAIN(TestCtlSettings)
#include "tst_klv820ctl_settings.moc"
