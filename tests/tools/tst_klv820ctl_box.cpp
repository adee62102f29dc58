// klv820ctl box commands against the simulated box, whose state file carries
// one box from one process to the next.
#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>

#include "CtlRunner.h"

namespace {

QJsonObject ReadJson(const QByteArray& bytes) { return QJsonDocument::fromJson(bytes).object(); }

// The written reports of a trace whose command letter (byte 1) is `letter`.
QStringList Written(const CtlResult& r, char letter) {
  const QString prefix = QStringLiteral("> 00 %1").arg(uint8_t(letter), 2, 16, QLatin1Char('0'));
  return r.traceLines().filter(QRegularExpression(QStringLiteral("^") + prefix + QStringLiteral("( |$)")));
}

}  // namespace

class TestKlv820ctlBox : public QObject {
  Q_OBJECT

 private slots:
  void noBoxWithoutSimulation();
  void newSimulatedBoxAndItsAddress();
  void badStateFile();
  void sendThenVerify();
  void verifyNamesTheDifferingBlock();
  void switchReports();
  void switchDimStoresTheLevel();
  void switchRefusesBadArguments();
  void sceneSyncsThenRuns();
  void otherFirmwareNeedsAnUpdate_data();
  void otherFirmwareNeedsAnUpdate();
};

void TestKlv820ctlBox::noBoxWithoutSimulation() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  const CtlResult status = ctl.run({"status"});
  CTL_EXPECT_FAILURE(status, 1);
  QCOMPARE(status.outText(), QStringLiteral("present: no\n"));
  for (const QStringList& args : {QStringList{"send"}, QStringList{"verify"}, QStringList{"scene", "0"}})
    CTL_EXPECT_FAILURE(ctl.run(args), 1);
}

void TestKlv820ctlBox::newSimulatedBoxAndItsAddress() {
  CtlRunner ctl;
  const QString state = ctl.scratch("box.json");
  const QString sim = "--simulate=" + state;
  const CtlResult first = ctl.run({sim, "status"});
  QCOMPARE(first.code, 0);
  const QStringList lines = first.outLines();
  QCOMPARE(lines.mid(0, 5), QStringList({"present: yes", "product id: 2050", "version: 1.1",
                                         "product string: KLV-820", "expected firmware: yes"}));
  // A new box has an invalid address; the arrival sequence gives it one.
  QCOMPARE(lines.value(5), QStringLiteral("address: ffffff"));
  QCOMPARE(lines.value(6), QStringLiteral("address check byte: invalid"));
  QVERIFY2(lines.value(7).startsWith(QLatin1String("new address: ")), first.out.constData());
  const QString address = lines.value(7).mid(13);
  QVERIFY(QFile::exists(state));
  const QJsonObject saved = ReadJson(ctl.read(state));
  QCOMPARE(saved["address"].toString(), address);
  QCOMPARE(saved["version"].toString(), QStringLiteral("1.1"));

  // The next process sees the same box with that address.
  const CtlResult second = ctl.run({sim, "status"});
  QCOMPARE(second.code, 0);
  QCOMPARE(second.outLines().mid(5), QStringList({"address: " + address, "address check byte: valid"}));

  // Without a state file every run is a new box; nothing is written.
  const CtlResult fresh = ctl.run({"--simulate", "status"});
  QCOMPARE(fresh.code, 0);
  QVERIFY(fresh.outLines().contains(QLatin1String("address check byte: invalid")));
  CTL_EXPECT_FAILURE(ctl.run({"--simulate", "status", "x"}), 2);
}

void TestKlv820ctlBox::badStateFile() {
  CtlRunner ctl;
  const QString state = ctl.scratch("box.json");
  for (const QByteArray& bad : {QByteArray("{"), QByteArray("[]"), QByteArray("{\"sceneTable\": \"00ff\"}"),
                                QByteArray("{\"version\": \"one\"}")}) {
    ctl.write(state, bad);
    const CtlResult r = ctl.run({"--simulate=" + state, "status"});
    CTL_EXPECT_FAILURE(r, 2);
    QVERIFY(r.out.isEmpty());
    QCOMPARE(ctl.read(state), bad);  // left as it was
  }
  CTL_EXPECT_FAILURE(ctl.run({"--simulate=", "status"}), 2);
}

void TestKlv820ctlBox::sendThenVerify() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QJsonObject json = WithDevices(ctl.dump());
  json["programme"] = QJsonArray{Entry(0, 0, 13, 130, 7, 30, 0, 17), Entry(0, 1, 6, 10, 24, 0, 195, 8)};
  QCOMPARE(ctl.import(json).code, 0);
  const QString state = ctl.scratch("box.json");
  const QString sim = "--simulate=" + state;

  // A new box holds nothing of the installation.
  const CtlResult before = ctl.run({sim, "verify"});
  CTL_EXPECT_FAILURE(before, 1);

  const CtlResult send = ctl.run({sim, "--trace", "send"});
  QCOMPARE(send.code, 0);
  QVERIFY(send.errMessages().isEmpty());
  // Scene table, sun table, programme: in that order.
  const QStringList trace = send.traceLines();
  const int c = int(trace.indexOf(QRegularExpression("^> 00 43 .*")));
  const int e = int(trace.indexOf(QRegularExpression("^> 00 45 .*")));
  const int p = int(trace.indexOf(QRegularExpression("^> 00 50 .*")));
  QVERIFY2(c >= 0 && c < e && e < p, qPrintable(trace.join('\n')));

  // The box's memory is what the table commands print.
  const QJsonObject box = ReadJson(ctl.read(state));
  QCOMPARE(box["sceneTable"].toString() + "\n", ctl.run({"scene-table"}).outText());
  QCOMPARE(box["sunTable"].toString() + "\n", ctl.run({"sun-table"}).outText());
  const QString image = ctl.run({"programme-image"}).outText().trimmed();
  QCOMPARE(image.size(), 2 * 11);
  QVERIFY(box["programme"].toString().startsWith(image));

  const CtlResult after = ctl.run({sim, "verify"});
  QCOMPARE(after.code, 0);
  QCOMPARE(after.outText(), QStringLiteral("equal\n"));
  QVERIFY(after.err.isEmpty());
}

void TestKlv820ctlBox::verifyNamesTheDifferingBlock() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.import(WithDevices(ctl.dump())).code, 0);
  const QString sim = "--simulate=" + ctl.scratch("box.json");
  QCOMPARE(ctl.run({sim, "send"}).code, 0);
  QCOMPARE(ctl.run({sim, "verify"}).code, 0);

  QJsonObject json = ctl.dump();
  json["programme"] = QJsonArray{Entry(0, 0, 13, 130, 7, 30, 0, 17)};
  QCOMPARE(ctl.import(json).code, 0);
  CtlResult r = ctl.run({sim, "verify"});
  CTL_EXPECT_FAILURE(r, 1);
  QCOMPARE(r.outText(), QStringLiteral("differs: programme\n"));
  QVERIFY(r.errMessages().first().contains(QLatin1String("programme")));

  // Another location changes only the sun table.
  QCOMPARE(ctl.run({sim, "send"}).code, 0);
  QJsonObject loc = json["location"].toObject();
  loc["latDeg"] = 62;
  json["location"] = loc;
  QCOMPARE(ctl.import(json).code, 0);
  r = ctl.run({sim, "verify"});
  CTL_EXPECT_FAILURE(r, 1);
  QCOMPARE(r.outText(), QStringLiteral("differs: sun table\n"));

  // Changing the scene's value changes the scene table, too.
  QJsonArray scenes = json["scenes"].toArray();
  QJsonObject s0 = scenes[0].toObject();
  QJsonArray items = s0["items"].toArray();
  items[0] = QJsonObject{{"ruimte", 0}, {"apparaat", 0}, {"waarde", 0}};
  s0["items"] = items;
  scenes[0] = s0;
  json["scenes"] = scenes;
  QCOMPARE(ctl.import(json).code, 0);
  r = ctl.run({sim, "verify"});
  CTL_EXPECT_FAILURE(r, 1);
  QCOMPARE(r.outText(), QStringLiteral("differs: scene table\ndiffers: sun table\n"));
}

void TestKlv820ctlBox::switchReports() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.import(WithDevices(ctl.dump())).code, 0);
  const QString sim = "--simulate=" + ctl.scratch("box.json");

  struct Case {
    QStringList args;
    QString report;  // bytes 0..4 of the 'Z' report
  };
  const QList<Case> cases = {
      {{"0", "0", "on"}, "00 5a 21 23 05"},   // no code wheel: 17 x 2 + 1
      {{"0", "0", "off"}, "00 5a 21 01 05"},  // 0 x 2 + 1
      {{"0", "1", "on"}, "00 5a 42 22 05"},   // code wheel: 17 x 2
      {{"0", "1", "off"}, "00 5a 42 00 05"},
      {{"0", "1", "dim"}, "00 5a 42 0b 05"},  // stored level 5: 5 x 2 + 1
  };
  for (const Case& c : cases) {
    const CtlResult r = ctl.run(QStringList{sim, "--trace", "switch"} + c.args);
    QCOMPARE(r.code, 0);
    QVERIFY(r.errMessages().isEmpty());
    const QStringList z = Written(r, 'Z');
    QCOMPARE(z.size(), 1);
    const QStringList bytes = z.first().mid(2).split(' ');
    QCOMPARE(bytes.size(), 65);
    QCOMPARE(bytes.mid(0, 5).join(' '), c.report);
    for (const QString& b : bytes)
      QVERIFY2(QRegularExpression("^[0-9a-f]{2}$").match(b).hasMatch(), qPrintable(b));
  }
  // Every trace line is a 65-byte report or a timeout.
  const CtlResult r = ctl.run({sim, "--trace", "switch", "0", "0", "on"});
  for (const QString& line : r.traceLines())
    QVERIFY2(line == QLatin1String("< timeout") ||
                 QRegularExpression("^[<>]( [0-9a-f]{2}){65}$").match(line).hasMatch(),
             qPrintable(line));
}

void TestKlv820ctlBox::switchDimStoresTheLevel() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.import(WithDevices(ctl.dump())).code, 0);
  const QString sim = "--simulate=" + ctl.scratch("box.json");
  // A damaged picture list is kept as a copy before the save replaces it.
  const QByteArray damaged("\xFF\x0A\x00garbage", 10);
  QVERIFY(ctl.write(ctl.file("AppImageList.dat"), damaged));
  const CtlResult r = ctl.run({sim, "--trace", "switch", "0", "1", "dim", "12"});
  QCOMPARE(r.code, 0);
  QCOMPARE(Written(r, 'Z').value(0).left(16), QStringLiteral("> 00 5a 42 19 05"));  // 12 x 2 + 1
  const QStringList kept = QDir(ctl.folder()).entryList({"AppImageList.dat.damaged-*"}, QDir::Files);
  QCOMPARE(kept.size(), 1);
  QCOMPARE(ctl.read(ctl.file(kept[0])), damaged);
  QVERIFY2(r.err.contains("klv820ctl: warning: AppImageList.dat:") && r.err.contains(kept[0].toUtf8()),
           r.err.constData());
  const QJsonObject d = ctl.dump()["rooms"].toArray()[0].toObject()["devices"].toArray()[1].toObject();
  QCOMPARE(d["dimNiveau"].toInt(), 12);
  // The stored level is used by a later plain dim.
  const CtlResult again = ctl.run({sim, "--trace", "switch", "0", "1", "dim"});
  QCOMPARE(Written(again, 'Z').value(0).left(16), QStringLiteral("> 00 5a 42 19 05"));
}

void TestKlv820ctlBox::switchRefusesBadArguments() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QJsonObject json = WithDevices(ctl.dump());
  QJsonArray rooms = json["rooms"].toArray();
  QJsonObject room = rooms[0].toObject();
  QJsonArray devices = room["devices"].toArray();
  QJsonObject d2 = devices[2].toObject();
  d2["name"] = QStringLiteral("Radio");
  d2["imageIndex"] = 4;
  devices[2] = d2;  // code -1
  room["devices"] = devices;
  rooms[0] = room;
  json["rooms"] = rooms;
  QCOMPARE(ctl.import(json).code, 0);
  const QByteArray file = ctl.read(ctl.file("kvl820.dat"));
  const QString state = ctl.scratch("box.json");
  const QString sim = "--simulate=" + state;

  const QList<QStringList> bad = {
      {"0", "0"},
      {"0", "0", "toggle"},
      {"16", "0", "on"},
      {"0", "16", "on"},
      {"x", "0", "on"},
      {"0", "1", "dim", "0"},
      {"0", "1", "dim", "17"},
      {"0", "1", "on", "3"},
      {"0", "0", "dim"},  // not a dimmer
      {"0", "2", "on"},   // no code
      {"0", "3", "on"},   // empty slot
      {"1", "0", "on"},   // empty room
      {"0", "1", "dim", "4", "x"},
  };
  for (const QStringList& args : bad) {
    const CtlResult r = ctl.run(QStringList{sim, "--trace", "switch"} + args);
    CTL_EXPECT_FAILURE(r, 2);
    QVERIFY2(Written(r, 'Z').isEmpty(), qPrintable(args.join(' ')));
  }
  QCOMPARE(ctl.read(ctl.file("kvl820.dat")), file);
  // Without a box, nothing is sent and the level is not stored.
  CTL_EXPECT_FAILURE(ctl.run({"switch", "0", "1", "dim", "3"}), 1);
  QCOMPARE(ctl.read(ctl.file("kvl820.dat")), file);
}

void TestKlv820ctlBox::sceneSyncsThenRuns() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.import(WithDevices(ctl.dump())).code, 0);
  const QString state = ctl.scratch("box.json");
  const QString sim = "--simulate=" + state;

  const CtlResult first = ctl.run({sim, "--trace", "scene", "0"});
  QCOMPARE(first.code, 0);
  const QStringList trace = first.traceLines();
  QCOMPARE(Written(first, 'C').size(), 9);  // 8 x 60 + 32 bytes
  const QStringList s = Written(first, 'S');
  QCOMPARE(s.size(), 1);
  QVERIFY(s.first().startsWith(QLatin1String("> 00 53 00 ")));
  QVERIFY(trace.indexOf(s.first()) > trace.indexOf(Written(first, 'C').last()));
  QCOMPARE(ReadJson(ctl.read(state))["sceneTable"].toString() + "\n", ctl.run({"scene-table"}).outText());

  // The box already holds the table: only read back, then run.
  const CtlResult second = ctl.run({sim, "--trace", "scene", "15"});
  QCOMPARE(second.code, 0);
  QVERIFY(Written(second, 'C').isEmpty());
  QCOMPARE(Written(second, 'S').value(0).left(10), QStringLiteral("> 00 53 0f"));

  for (const QStringList& args :
       {QStringList{"scene"}, QStringList{"scene", "16"}, QStringList{"scene", "-1"},
        QStringList{"scene", "a"}, QStringList{"scene", "1", "2"}})
    CTL_EXPECT_FAILURE(ctl.run(QStringList{sim} + args), 2);
}

void TestKlv820ctlBox::otherFirmwareNeedsAnUpdate_data() {
  QTest::addColumn<int>("productId");
  QTest::addColumn<QString>("version");
  QTest::newRow("application 1.0") << 2050 << "1.0";
  QTest::newRow("loader") << 2049 << "1.1";
}

void TestKlv820ctlBox::otherFirmwareNeedsAnUpdate() {
  QFETCH(int, productId);
  QFETCH(QString, version);
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.import(WithDevices(ctl.dump())).code, 0);
  const QString state = ctl.scratch("box.json");
  ctl.write(state, QJsonDocument(QJsonObject{{"productId", productId}, {"version", version}}).toJson());
  const QString sim = "--simulate=" + state;

  const CtlResult status = ctl.run({sim, "status"});
  QCOMPARE(status.code, 0);
  QVERIFY(status.outLines().contains(QStringLiteral("product id: %1").arg(productId)));
  QVERIFY(status.outLines().contains("version: " + version));
  QVERIFY(status.outLines().contains(QLatin1String("expected firmware: no")));

  const QList<QStringList> commands = {
      {"send"}, {"verify"}, {"scene", "0"}, {"switch", "0", "0", "on"}, {"clock"}};
  for (const QStringList& args : commands) {
    const CtlResult r = ctl.run(QStringList{sim, "--trace"} + args);
    CTL_EXPECT_FAILURE(r, 1);
    QVERIFY2(r.errMessages().first().contains(QLatin1String("firmware update is needed")), r.err.constData());
    QVERIFY(Written(r, 'Z').isEmpty() && Written(r, 'S').isEmpty() && Written(r, 'P').isEmpty());
  }
}

QTEST_GUILESS_MAIN(TestKlv820ctlBox)
#include "tst_klv820ctl_box.moc"
