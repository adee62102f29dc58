// klv820ctl hex, flash and clock, end to end against the simulated box.
#include <QDateTime>
#include <QRegularExpression>

#include "CtlRunner.h"
#include "HexRecordSupport.h"

namespace {

// A record line as a hex file holds it.
QByteArray Record(int type, int address, const QByteArray& data) {
  return HexRecord(type, address, data) + "\r\n";
}

QString EmbeddedHex() { return QStringLiteral(KLV_TEST_DATA "/../../resources/firmware/HEXFILE.hex"); }

QStringList Written(const CtlResult& r, char letter) {
  const QString prefix = QStringLiteral("> 00 %1 ").arg(uint8_t(letter), 2, 16, QLatin1Char('0'));
  QStringList out;
  for (const QString& l : r.traceLines())
    if (l.startsWith(prefix)) out << l;
  return out;
}

}  // namespace

class TestKlv820ctlFirmware : public QObject {
  Q_OBJECT

 private slots:
  void hexWritesTheApplicationArea();
  void hexReportsImageErrors_data();
  void hexReportsImageErrors();
  void hexRefusesBadUsage();
  void flashALoaderBox();
  void flashRefusesACorruptImage();
  void flashWithoutUpdateNeeded();
  void clock();
};

void TestKlv820ctlFirmware::hexWritesTheApplicationArea() {
  CtlRunner ctl;
  const QByteArray hex =
      Record(4, 0, QByteArray::fromHex("0000")) + Record(0, 0x0000, QByteArray::fromHex("0102030405060708")) +
      Record(0, 0x6FF0, QByteArray::fromHex("a1a2")) + "not a record, skipped\r\n" + Record(1, 0, {});
  ctl.write(ctl.scratch("fw.hex"), hex);
  const QString bin = ctl.scratch("fw.bin");
  const CtlResult r = ctl.run({"hex", ctl.scratch("fw.hex"), "--out", bin});
  QCOMPARE(r.code, 0);
  QVERIFY(r.err.isEmpty());
  const QByteArray b = ctl.read(bin);
  QCOMPARE(b.size(), 28672);
  // Each 16-bit word is stored with its bytes exchanged.
  QCOMPARE(b.left(8), QByteArray::fromHex("0201040306050807"));
  QCOMPARE(b.mid(0x6FF0, 2), QByteArray::fromHex("a2a1"));
  QCOMPARE(b.count(char(0xFF)), 28672 - 10);

  // The embedded image parses cleanly too.
  const CtlResult embedded = ctl.run({"hex", EmbeddedHex(), "--out=" + bin});
  QCOMPARE(embedded.code, 0);
  QCOMPARE(ctl.read(bin).size(), 28672);
}

void TestKlv820ctlFirmware::hexReportsImageErrors_data() {
  QTest::addColumn<QByteArray>("hex");
  QTest::addColumn<QString>("message");
  QByteArray bad = Record(0, 0, QByteArray::fromHex("01020304"));
  bad[bad.size() - 3] = bad[bad.size() - 3] == '0' ? '1' : '0';  // spoil the checksum
  QTest::newRow("checksum") << Record(0, 0x80, QByteArray::fromHex("0102")) + bad + Record(1, 0, {})
                            << "File corrupt: Checksum error";
  QTest::newRow("past the application area")
      << Record(0, 0x6FFC, QByteArray::fromHex("0102030405060708")) + Record(1, 0, {})
      << "Address excedes flash size";
}

void TestKlv820ctlFirmware::hexReportsImageErrors() {
  QFETCH(QByteArray, hex);
  QFETCH(QString, message);
  CtlRunner ctl;
  ctl.write(ctl.scratch("fw.hex"), hex);
  const QString bin = ctl.scratch("fw.bin");
  const CtlResult r = ctl.run({"hex", ctl.scratch("fw.hex"), "--out", bin});
  CTL_EXPECT_FAILURE(r, 1);
  QVERIFY2(r.errLines().first().contains(message), r.err.constData());
  QCOMPARE(ctl.read(bin).size(), 28672);
}

void TestKlv820ctlFirmware::hexRefusesBadUsage() {
  CtlRunner ctl;
  ctl.write(ctl.scratch("fw.hex"), Record(1, 0, {}));
  const QString in = ctl.scratch("fw.hex");
  for (const QStringList& args :
       {QStringList{"hex", in}, QStringList{"hex", "--out", ctl.scratch("x.bin")}, QStringList{"hex"},
        QStringList{"hex", ctl.scratch("absent.hex"), "--out", ctl.scratch("x.bin")},
        QStringList{"hex", in, in, "--out", ctl.scratch("x.bin")}}) {
    CTL_EXPECT_FAILURE(ctl.run(args), 2);
  }
  QVERIFY(!QFile::exists(ctl.scratch("x.bin")));
}

void TestKlv820ctlFirmware::flashALoaderBox() {
  CtlRunner ctl;
  const QString state = ctl.scratch("box.json");
  ctl.write(state, R"({"productId": 2049, "version": "1.0"})");
  const QString sim = "--simulate=" + state;

  const CtlResult r = ctl.run({sim, "flash"});
  QCOMPARE(r.code, 0);
  QVERIFY2(r.err.isEmpty(), r.err.constData());
  QVERIFY(!r.out.contains('\r'));  // no progress bar when not on a terminal
  QVERIFY(r.outLines().last().contains(QLatin1String("has been updated")));

  const QJsonObject box = QJsonDocument::fromJson(ctl.read(state)).object();
  QCOMPARE(box["productId"].toInt(), 2050);
  QCOMPARE(box["version"].toString(), QStringLiteral("1.1"));
  // The box's flash holds what hex makes of the embedded image.
  QCOMPARE(ctl.run({"hex", EmbeddedHex(), "--out", ctl.scratch("fw.bin")}).code, 0);
  QCOMPARE(QByteArray::fromHex(box["flash"].toString().toLatin1()), ctl.read(ctl.scratch("fw.bin")));

  const CtlResult status = ctl.run({sim, "status"});
  QVERIFY(status.outLines().contains(QLatin1String("expected firmware: yes")));
  QCOMPARE(ctl.run({sim, "send"}).code, 0);
}

void TestKlv820ctlFirmware::flashRefusesACorruptImage() {
  CtlRunner ctl;
  const QString state = ctl.scratch("box.json");
  ctl.write(state, R"({"productId": 2049})");
  QByteArray bad = Record(0, 0, QByteArray::fromHex("01020304"));
  bad[bad.size() - 3] = bad[bad.size() - 3] == '0' ? '1' : '0';
  ctl.write(ctl.scratch("bad.hex"), bad + Record(1, 0, {}));

  const CtlResult r = ctl.run({"--simulate=" + state, "--trace", "flash", ctl.scratch("bad.hex")});
  CTL_EXPECT_FAILURE(r, 1);
  QVERIFY(r.traceLines().isEmpty());  // the box was not touched
  QCOMPARE(QJsonDocument::fromJson(ctl.read(state)).object()["productId"].toInt(), 2049);

  CTL_EXPECT_FAILURE(ctl.run({"--simulate=" + state, "flash", ctl.scratch("absent.hex")}), 2);
  CTL_EXPECT_FAILURE(ctl.run({"--simulate=" + state, "flash", "a", "b"}), 2);
}

void TestKlv820ctlFirmware::flashWithoutUpdateNeeded() {
  CtlRunner ctl;
  const CtlResult current = ctl.run({"--simulate", "--trace", "flash"});
  QCOMPARE(current.code, 0);
  QVERIFY(Written(current, 'B').isEmpty() && Written(current, 'F').isEmpty());
  CTL_EXPECT_FAILURE(ctl.run({"flash"}), 1);  // no box here
}

void TestKlv820ctlFirmware::clock() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  const QString sim = "--simulate=" + ctl.scratch("box.json");
  QCOMPARE(ctl.run({sim, "send"}).code, 0);

  const QDateTime before = QDateTime::currentDateTime();
  const CtlResult r = ctl.run({sim, "--trace", "clock"});
  QCOMPARE(r.code, 0);
  const QStringList lines = r.outLines();
  QCOMPARE(lines.size(), 5);
  // The box's clock was set on arrival to the PC's local time.
  QVERIFY(lines[0].startsWith(QLatin1String("date: ")) && lines[1].startsWith(QLatin1String("time: ")));
  const QDateTime shown(QDate::fromString(lines[0].mid(6), Qt::ISODate),
                        QTime::fromString(lines[1].mid(6), QStringLiteral("HH:mm:ss")));
  QVERIFY2(shown.isValid(), qPrintable(lines.join('\n')));
  QVERIFY2(qAbs(before.secsTo(shown)) <= 5, qPrintable(lines.join('\n')));
  static const QRegularExpression hhmm(QStringLiteral("^\\d\\d:\\d\\d$"));
  QVERIFY(lines[2].startsWith(QLatin1String("sunrise: ")) && hhmm.match(lines[2].mid(9)).hasMatch());
  QVERIFY(lines[3].startsWith(QLatin1String("sunset: ")) && hhmm.match(lines[3].mid(8)).hasMatch());
  QVERIFY(lines[2].mid(9) < lines[3].mid(8));
  // European rule on the box's local clock: last Sunday of March 02:00 to
  // last Sunday of October 03:00.
  auto lastSunday = [](int year, int month) {
    QDate d(year, month, QDate(year, month, 1).daysInMonth());
    return d.addDays(-(d.dayOfWeek() % 7));
  };
  const int year = shown.date().year();
  const bool summer = shown >= QDateTime(lastSunday(year, 3), QTime(2, 0)) &&
                      shown < QDateTime(lastSunday(year, 10), QTime(3, 0));
  QCOMPARE(lines[4], summer ? QStringLiteral("season: summer time") : QStringLiteral("season: winter time"));
  // The box's sun times come from the sun table sent for London; they follow
  // the day's times within the table's interpolation.
  const QDate today = shown.date();
  for (int k = 0; k < 2; ++k) {
    const CtlResult sun = ctl.run({"suntime", k ? "set" : "rise", QString::number(today.year()),
                                   QString::number(today.month()), QString::number(today.day()),
                                   QString::number(51 + 32 / 60.0), QString::number(-5 / 60.0), "0"});
    QCOMPARE(sun.code, 0);
    const QTime expected = QTime::fromString(sun.outText().trimmed(), "HH:mm").addSecs(summer ? 3600 : 0);
    const QTime got = QTime::fromString(lines[2 + k].section(' ', 1), "HH:mm");
    QVERIFY2(qAbs(expected.secsTo(got)) <= 10 * 60, qPrintable(lines[2 + k]));
  }
  QCOMPARE(Written(r, 'T').size(), 1);  // the arrival's
  QCOMPARE(Written(r, 't').size(), 1);

  const CtlResult set = ctl.run({sim, "--trace", "clock", "--set-now"});
  QCOMPARE(set.code, 0);
  QCOMPARE(Written(set, 'T').size(), 2);
  QVERIFY(Written(set, 't').size() == 1 && set.outLines().size() == 5);

  for (const QStringList& args :
       {QStringList{"clock", "--set"}, QStringList{"clock", "--set-now", "--set-now"},
        QStringList{"clock", "now"}})
    CTL_EXPECT_FAILURE(ctl.run(QStringList{sim} + args), 2);
  CTL_EXPECT_FAILURE(ctl.run({"clock"}), 1);
}

QTEST_GUILESS_MAIN(TestKlv820ctlFirmware)
#include "tst_klv820ctl_firmware.moc"
