// klv820ctl plan end to end: the action lines, conflicts, sun times from the
// table `send` gives, bad arguments and the picture file.
#include <QDate>
#include <QFile>
#include <QJsonArray>

#include "CtlRunner.h"

namespace {

QJsonObject Random(QJsonObject entry) {
  entry["random"] = 1;
  return entry;
}

// One installation: two devices, scene 0 switching the first on, and a
// programme given by the test.
void Install(const CtlRunner& ctl, const QJsonArray& programme) {
  QJsonObject json = WithDevices(ctl.dump());
  json["programme"] = programme;
  QCOMPARE(ctl.import(json).code, 0);
}

}  // namespace

class TestKlv820ctlPlan : public QObject {
  Q_OBJECT

 private slots:
  void linesAndConflicts();
  void sunEntryFollowsTheSentTable();
  void refusesBadArguments();
  void picture();
  void picturePartLoadsOnDemand();
};

void TestKlv820ctlPlan::linesAndConflicts() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  Install(ctl, QJsonArray{Entry(0, 0, 13, 128 + 2, 7, 30, 0, 17),   // Mondays 07:30 on
                          Entry(17 + 0, 0, 13, 255, 18, 0, 0, 0),   // scene 0 every day
                          Entry(0, 0, 13, 255, 18, 0, 0, 0),        // off against the scene's on
                          Random(Entry(0, 1, 6, 2, 21, 30, 0, 5)),  // 2 June, between 21:30 and 22:30
                          Entry(0, 1, 13, 31, 9, 0, 0, 0)});        // the 31st: not in June
  const CtlResult r = ctl.run({"plan", "--from", "2026-06-01", "--days", "2"});
  QCOMPARE(r.code, 0);
  QVERIFY(r.err.isEmpty());
  const QString lamp = QStringLiteral("0.0\tKüche/Lampe über dem Tisch");
  QCOMPARE(r.outLines(), (QStringList{
                             "2026-06-01\t07:30\t" + lamp + "\ton\tentry 0",
                             "2026-06-01\t18:00\t" + lamp + "\ton\tentry 1 scene 0",
                             "2026-06-01\t18:00\t" + lamp + "\toff\tentry 2",
                             "conflict",
                             "2026-06-02\t18:00\t" + lamp + "\ton\tentry 1 scene 0",
                             "2026-06-02\t18:00\t" + lamp + "\toff\tentry 2",
                             "conflict",
                             "2026-06-02\t21:30-22:30\t0.1\tKüche/Café\tdim 5\tentry 3",
                         }));

  // Without --from and --days: seven days from today.
  const CtlResult week = ctl.run({"plan"});
  QCOMPARE(week.code, 0);
  QStringList dates;
  for (const QString& l : week.outLines())
    if (l != QLatin1String("conflict") && !dates.contains(l.section('\t', 0, 0)))
      dates << l.section('\t', 0, 0);
  QCOMPARE(dates.size(), 7);
  QCOMPARE(dates.first(), QDate::currentDate().toString(Qt::ISODate));
}

// Sunset on 1 December is the table's own entry for that date (no summer time).
void TestKlv820ctlPlan::sunEntryFollowsTheSentTable() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  Install(ctl, QJsonArray{Entry(0, 0, 13, 255, 24, 0, 180 + 10, 17)});  // 10 minutes after sunset
  const int year = QDate::currentDate().year();
  const CtlResult table = ctl.run({"sun-table"});
  QCOMPARE(table.code, 0);
  const QByteArray bytes = QByteArray::fromHex(table.out.trimmed());
  QCOMPARE(bytes.size(), 144);
  const int at = 72 + 3 * 22;  // sunset, 1 December
  const int minute = (uint8_t(bytes[at]) & 0x7F) * 60 + uint8_t(bytes[at + 1]) + 10;
  const CtlResult r = ctl.run({"plan", "--from", QStringLiteral("%1-12-01").arg(year), "--days", "1"});
  QCOMPARE(r.code, 0);
  QCOMPARE(r.outLines().size(), 1);
  QCOMPARE(r.outLines().first().section('\t', 1, 1), QStringLiteral("%1:%2")
                                                         .arg(minute / 60, 2, 10, QLatin1Char('0'))
                                                         .arg(minute % 60, 2, 10, QLatin1Char('0')));
}

void TestKlv820ctlPlan::refusesBadArguments() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  for (const QStringList& args : {QStringList{"plan", "--days", "0"}, QStringList{"plan", "--days", "367"},
                                  QStringList{"plan", "--days"}, QStringList{"plan", "--from", "2026-02-30"},
                                  QStringList{"plan", "--from", "1.6.2026"}, QStringList{"plan", "--week"}}) {
    const CtlResult r = ctl.run(args);
    CTL_EXPECT_FAILURE(r, 2);
    QVERIFY(r.out.isEmpty());
  }
  CTL_EXPECT_FAILURE(ctl.run({"plan", "--png", ctl.scratch("absent/plan.png")}), 1);
  QCOMPARE(ctl.run({"plan", "--days", "366"}).code, 0);
}

// Seven days fit the content panel; more days widen the picture.
void TestKlv820ctlPlan::picture() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  Install(ctl, QJsonArray{Entry(0, 0, 13, 255, 7, 30, 0, 17)});
  const auto size = [&](const QString& days) {
    const QString file = ctl.scratch(QStringLiteral("plan%1.png").arg(days));
    const CtlResult r = ctl.run({"plan", "--days", days, "--png", file});
    if (r.code != 0 || !r.err.isEmpty()) qWarning("plan --png: %s", r.err.constData());
    const QByteArray png = ctl.read(file);
    if (!png.startsWith("\x89PNG\r\n\x1a\n") || png.size() < 24) return QSize();
    const auto be32 = [&](int at) {
      return (uint8_t(png[at]) << 24) | (uint8_t(png[at + 1]) << 16) | (uint8_t(png[at + 2]) << 8) |
             uint8_t(png[at + 3]);
    };
    return QSize(be32(16), be32(20));  // the IHDR chunk
  };
  QCOMPARE(size(QStringLiteral("7")), QSize(590, 496));
  QCOMPARE(size(QStringLiteral("14")), QSize(26 + 80 * 14, 496));
}

// The tool starts without QtGui; the commands that encode or draw pictures
// load the picture module, and a save through it keeps every picture.
void TestKlv820ctlPlan::picturePartLoadsOnDemand() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QFile::remove(ctl.file("CustomAppImageList.dat"));
  QVERIFY(QFile::copy(QStringLiteral(KLV_TEST_DATA "/imagelist/three_masked.dat"),
                      ctl.file("CustomAppImageList.dat")));
#ifdef Q_OS_LINUX
  // The dynamic loader names every library it loads.
  qputenv("LD_DEBUG", "files");
  const CtlResult dump = ctl.run({"dump"});
  const CtlResult save = ctl.run({"sets", "save", "one"});
  const CtlResult png = ctl.run({"plan", "--png", ctl.scratch("plan.png")});
  qunsetenv("LD_DEBUG");
  QCOMPARE(dump.code, 0);
  QVERIFY2(!dump.err.contains("libQt6Gui"), "dump loaded QtGui");
  QVERIFY2(!dump.err.contains("klv820pictures"), "dump loaded the picture module");
  QCOMPARE(save.code, 0);
  QVERIFY(save.err.contains("klv820pictures"));
  QCOMPARE(png.code, 0);
  QVERIFY(png.err.contains("klv820pictures"));
#else
  QCOMPARE(ctl.run({"sets", "save", "one"}).code, 0);
#endif
  QCOMPARE(ctl.dump()["imageLists"].toObject()["CustomAppImageList"].toInt(), 3);
  QVERIFY(ctl.read(ctl.file("CustomAppImageList.dat")).size() > 3 * 130 * 80 * 3);

  // Without the module beside it the tool says so on one line.
  QVERIFY(QDir().mkpath(ctl.scratch("lone")));
  const QString lone = ctl.scratch("lone/klv820ctl");
  QVERIFY(QFile::copy(QStringLiteral(KLV820CTL_PATH), lone));
  QProcess p;
  p.start(lone, {"--folder", ctl.folder(), "plan", "--png", ctl.scratch("lone.png")});
  QVERIFY(p.waitForFinished(30000));
  QCOMPARE(p.exitCode(), 1);
  const QByteArray err = p.readAllStandardError();
  QVERIFY2(err.startsWith("klv820ctl: the picture module cannot be loaded") && err.count('\n') == 1,
           err.constData());
  QVERIFY(!QFile::exists(ctl.scratch("lone.png")));
}

QTEST_GUILESS_MAIN(TestKlv820ctlPlan)
#include "tst_klv820ctl_plan.moc"
