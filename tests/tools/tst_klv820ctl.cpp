// klv820ctl end to end: global options, the table commands and the
// installation commands, each run as its own process in a scratch folder.
#include <QJsonArray>
#include <QRegularExpression>

#include "CtlRunner.h"

namespace {

const QStringList kWorkingFiles = {"kvl820.dat",       "environment.dat",           "RuimteImageList.dat",
                                   "AppImageList.dat", "CustomRuimteImageList.dat", "CustomAppImageList.dat"};

bool IsLowerHex(const QString& s) {
  static const QRegularExpression re(QStringLiteral("^([0-9a-f]{2})*$"));
  return re.match(s).hasMatch();
}

}  // namespace

class TestKlv820ctl : public QObject {
  Q_OBJECT

 private slots:
  void globalOptions();
  void texts();
  void locations();
  void suntime_data();
  void suntime();
  void suntimeRefusesBadArguments();
  void sunTable();
  void initWritesTheWorkingFiles();
  void dumpShape();
  void importThenDumpIsIdentical();
  void importSetsTheLanguage();
  void importLeavesImageListsAlone();
  void importRefusesBadInput_data();
  void importRefusesBadInput();
  void importRefusesUnreadableFiles();
  void programmeImage();
  void programmeListing();
  void sceneTable();
};

void TestKlv820ctl::globalOptions() {
  CtlRunner ctl;
  const CtlResult noDir = ctl.runRaw({"--folder"});
  CTL_EXPECT_FAILURE(noDir, 2);

  const CtlResult missing = ctl.runRaw({"--folder", ctl.scratch("absent"), "texts"});
  CTL_EXPECT_FAILURE(missing, 2);
  QVERIFY(missing.out.isEmpty());

  // Unknown option, unknown command and no command: one usage line.
  for (const QStringList& args :
       {QStringList{"--bogus", "texts"}, QStringList{"frobnicate"}, QStringList{}}) {
    const CtlResult r = ctl.run(args);
    CTL_EXPECT_FAILURE(r, 2);
    QVERIFY2(r.errLines().first().contains(QLatin1String("usage: klv820ctl")), r.err.constData());
    QVERIFY(r.out.isEmpty());
  }

  const CtlResult help = ctl.runRaw({"--help"});
  QCOMPARE(help.code, 0);
  const QString text = help.outText();
  QVERIFY2(text.startsWith(QLatin1String("usage: klv820ctl")), help.out.constData());
  for (const char* c : {"init", "dump", "import FILE", "texts", "locations", "programme-image", "scene-table",
                        "sun-table", "suntime rise|set", "status", "switch ROOM DEVICE", "scene N", "send",
                        "verify", "clock [--set-now]", "flash [FILE]", "hex FILE --out BIN"})
    QVERIFY2(text.contains(QLatin1String(c)), c);
  QVERIFY(help.err.isEmpty());

  // Options may come in any order before the command.
  const CtlResult ordered = ctl.runRaw({"--trace", "--folder", ctl.folder(), "texts"});
  QCOMPARE(ordered.code, 0);
}

void TestKlv820ctl::texts() {
  CtlRunner ctl;
  const CtlResult en = ctl.run({"texts"});  // no installation, no setting: English
  QCOMPARE(en.code, 0);
  QVERIFY(en.err.isEmpty());
  QCOMPARE(en.out.count('\n'), 135);
  QVERIFY(!en.out.contains('\r'));
  const QStringList lines = en.outLines();
  QCOMPARE(lines.size(), 135);
  QVERIFY(lines.contains(QLatin1String("The KLV-820 is not connected")));
  QVERIFY(lines.contains(QLatin1String("Select a city\\ror 'my location'")));

  const CtlResult de = ctl.run({"texts", "--language", "2"});
  QCOMPARE(de.code, 0);
  const QStringList deLines = de.outLines();
  QCOMPARE(deLines.size(), 135);
  // Same table order, other language, UTF-8 output.
  const int at = int(lines.indexOf(QLatin1String("Select a city\\ror 'my location'")));
  QCOMPARE(deLines[at], QStringLiteral("Wählen Sie einen Ort\\roder 'mein Standort'"));
  QCOMPARE(ctl.run({"texts", "--language=2"}).out, de.out);
  QSet<QByteArray> outputs;
  for (int language = 0; language < 10; ++language) {
    const CtlResult r = ctl.run({"texts", "--language", QString::number(language)});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.outLines().size(), 135);
    QVERIFY(!r.out.contains('\r'));
    outputs.insert(r.out);
  }
  QCOMPARE(outputs.size(), 10);

  for (const QStringList& bad :
       {QStringList{"texts", "--language", "10"}, QStringList{"texts", "--language", "-1"},
        QStringList{"texts", "--language", "x"}, QStringList{"texts", "--language"},
        QStringList{"texts", "extra"}}) {
    const CtlResult r = ctl.run(bad);
    CTL_EXPECT_FAILURE(r, 2);
    QVERIFY(r.out.isEmpty());
  }
}

void TestKlv820ctl::locations() {
  CtlRunner ctl;
  const CtlResult r = ctl.run({"locations"});
  QCOMPARE(r.code, 0);
  const QStringList lines = r.outLines();
  QCOMPARE(lines.size(), 1035);
  QStringList countries;
  bool sawNonAscii = false;
  for (int i = 0; i < lines.size(); ++i) {
    const QStringList f = lines[i].split(QLatin1Char('\t'));
    QCOMPARE(f.size(), 11);
    QCOMPARE(f[0].toInt(), i);
    QVERIFY(!f[1].isEmpty() && !f[2].isEmpty());
    for (int k = 3; k < 11; ++k) {
      bool ok = false;
      f[k].toInt(&ok);
      QVERIFY2(ok, qPrintable(lines[i]));
    }
    QVERIFY(f[5] == "0" || f[5] == "1");
    QVERIFY(f[8] == "0" || f[8] == "1");
    if (!countries.contains(f[1])) countries << f[1];
    for (QChar c : f[2]) sawNonAscii = sawNonAscii || c.unicode() > 0x7f;
  }
  QCOMPARE(countries.size(), 15);
  QVERIFY2(sawNonAscii, "city names with accents should come out as UTF-8");
  QVERIFY(lines
              .filter(QRegularExpression(
                  QStringLiteral("^\\d+\\tEngland\\tLondon\\t51\\t32\\t0\\t0\\t5\\t1\\t0\\t0$")))
              .size() == 1);
  CTL_EXPECT_FAILURE(ctl.run({"locations", "x"}), 2);
}

void TestKlv820ctl::suntime_data() {
  QTest::addColumn<QStringList>("args");
  QTest::addColumn<QString>("expected");
  QTest::addColumn<int>("tolerance");  // minutes; almanac values for the others
  QTest::newRow("Amsterdam rise") << QStringList{"rise", "2026", "6", "1", "52.37", "4.9", "1"} << "04:24"
                                  << 0;
  QTest::newRow("Amsterdam set") << QStringList{"set", "2026", "6", "1", "52.37", "4.9", "1"} << "20:50" << 3;
  QTest::newRow("London winter rise")
      << QStringList{"rise", "2026", "12", "21", "51.5", "-0.12", "0"} << "08:04" << 3;
  QTest::newRow("Madrid set, decimal zone")
      << QStringList{"set", "2026", "3", "20", "40.42", "-3.7", "1.0"} << "19:25" << 3;
}

void TestKlv820ctl::suntime() {
  QFETCH(QStringList, args);
  QFETCH(QString, expected);
  QFETCH(int, tolerance);
  CtlRunner ctl;
  const CtlResult r = ctl.run(QStringList{"suntime"} + args);
  QCOMPARE(r.code, 0);
  const QString text = r.outText();
  QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d\\n$")).match(text).hasMatch(),
           r.out.constData());
  const QTime got = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm"));
  const QTime want = QTime::fromString(expected, QStringLiteral("HH:mm"));
  QVERIFY2(qAbs(got.secsTo(want)) <= tolerance * 60, qPrintable(text));
}

void TestKlv820ctl::suntimeRefusesBadArguments() {
  CtlRunner ctl;
  const QStringList good = {"rise", "2026", "6", "1", "52.37", "4.9", "1"};
  QList<QStringList> bad = {
      {"rise", "2026", "6", "1", "52.37", "4.9"},       // too few
      good + QStringList{"9"},                          // too many
      {"noon", "2026", "6", "1", "52.37", "4.9", "1"},  // neither rise nor set
      {"rise", "2026", "13", "1", "52.37", "4.9", "1"},
      {"rise", "2026", "2", "30", "52.37", "4.9", "1"},  // no such day
      {"rise", "x", "6", "1", "52.37", "4.9", "1"},
      {"rise", "2026", "6", "1", "91", "4.9", "1"},
      {"rise", "2026", "6", "1", "52.37", "east", "1"},
      {"rise", "2026", "6", "1", "52.37", "4.9", "nan"},
  };
  for (const QStringList& args : bad) {
    const CtlResult r = ctl.run(QStringList{"suntime"} + args);
    CTL_EXPECT_FAILURE(r, 2);
    QVERIFY2(r.out.isEmpty(), qPrintable(args.join(' ')));
  }
}

void TestKlv820ctl::sunTable() {
  CtlRunner ctl;
  const CtlResult y2026 = ctl.run({"sun-table", "--year", "2026"});
  QCOMPARE(y2026.code, 0);
  const QString hex = y2026.outText().trimmed();
  QCOMPARE(hex.size(), 288);
  QVERIFY(IsLowerHex(hex));
  QVERIFY(hex != QString(288, QLatin1Char('0')));

  const CtlResult y2027 = ctl.run({"sun-table", "--year", "2027"});
  QCOMPARE(y2027.code, 0);
  QVERIFY(y2027.out != y2026.out);
  const QString thisYear = QString::number(QDate::currentDate().year());
  QCOMPARE(ctl.run({"sun-table"}).out, ctl.run({"sun-table", "--year", thisYear}).out);

  // The table follows the installation's location.
  QVERIFY(ctl.run({"init"}).code == 0);
  QJsonObject json = ctl.dump();
  QJsonObject loc = json["location"].toObject();
  loc["latDeg"] = 60;
  loc["city"] = QStringLiteral("Somewhere north");
  json["location"] = loc;
  QCOMPARE(ctl.import(json).code, 0);
  QVERIFY(ctl.run({"sun-table", "--year", "2026"}).out != y2026.out);

  for (const QStringList& bad : {QStringList{"sun-table", "--year"}, QStringList{"sun-table", "--year", "x"},
                                 QStringList{"sun-table", "2026"}})
    CTL_EXPECT_FAILURE(ctl.run(bad), 2);
}

void TestKlv820ctl::initWritesTheWorkingFiles() {
  CtlRunner ctl;
  const CtlResult r = ctl.run({"init"});
  QCOMPARE(r.code, 0);
  for (const QString& f : kWorkingFiles) QVERIFY2(QFile::exists(ctl.file(f)), qPrintable(f));
  QCOMPARE(QFileInfo(ctl.file("kvl820.dat")).size(), 30854);
  QCOMPARE(QFileInfo(ctl.file("environment.dat")).size(), 54);

  // init replaces an existing installation by a new one.
  QJsonObject json = WithDevices(ctl.dump());
  QCOMPARE(ctl.import(json).code, 0);
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.dump()["rooms"].toArray()[0].toObject()["name"].toString(), QString());
  CTL_EXPECT_FAILURE(ctl.run({"init", "now"}), 2);
}

void TestKlv820ctl::dumpShape() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  const CtlResult r = ctl.run({"dump"});
  QCOMPARE(r.code, 0);
  QJsonParseError pe;
  const QJsonObject json = QJsonDocument::fromJson(r.out, &pe).object();
  QCOMPARE(pe.error, QJsonParseError::NoError);

  for (const char* key :
       {"language", "oldModel", "showHints", "location", "rooms", "scenes", "programme", "imageLists"})
    QVERIFY2(json.contains(QLatin1String(key)), key);
  QCOMPARE(json["language"].toInt(), 1);
  const QJsonObject loc = json["location"].toObject();
  QCOMPARE(QStringList(loc.keys()).size(), 10);
  for (const char* key :
       {"country", "city", "latDeg", "latMin", "ns", "lonDeg", "lonMin", "ew", "tzHours", "tzSign"})
    QVERIFY2(loc.contains(QLatin1String(key)), key);

  const QJsonArray rooms = json["rooms"].toArray();
  QCOMPARE(rooms.size(), 16);
  for (const QJsonValue& room : rooms) {
    const QJsonArray devices = room["devices"].toArray();
    QCOMPARE(devices.size(), 16);
    QCOMPARE(room["imageIndex"].toInt(), -1);
    const QJsonObject d = devices[0].toObject();
    for (const char* key : {"name", "imageIndex", "codeSchijf", "dimbaar", "code", "dimNiveau"})
      QVERIFY2(d.contains(QLatin1String(key)), key);
    QCOMPARE(d["code"].toInt(), -1);
  }
  const QJsonArray scenes = json["scenes"].toArray();
  QCOMPARE(scenes.size(), 16);
  for (const QJsonValue& s : scenes) {
    QCOMPARE(s["items"].toArray().size(), 16);
    QCOMPARE(s["items"].toArray()[0].toObject()["apparaat"].toInt(), -1);
  }
  QCOMPARE(json["programme"].toArray().size(), 0);
  const QJsonObject lists = json["imageLists"].toObject();
  for (const char* key : {"RuimteImageList", "AppImageList", "CustomRuimteImageList", "CustomAppImageList"})
    QVERIFY2(lists.value(QLatin1String(key)).isDouble(), key);
  // Keys come in the documented order, not sorted.
  const QString text = r.outText();
  auto before = [&](const char* a, const char* b) {
    return text.indexOf(QStringLiteral("\"%1\":").arg(QLatin1String(a))) <
           text.indexOf(QStringLiteral("\"%1\":").arg(QLatin1String(b)));
  };
  QVERIFY(before("language", "oldModel") && before("oldModel", "showHints") &&
          before("showHints", "location"));
  QVERIFY(before("country", "city") && before("tzSign", "rooms") && before("rooms", "scenes"));
  QVERIFY(before("scenes", "programme") && before("programme", "imageLists"));
  QVERIFY(before("name", "imageIndex") && before("imageIndex", "devices") && before("codeSchijf", "dimbaar"));
  QVERIFY(before("ruimte", "apparaat") && before("apparaat", "waarde"));
  CTL_EXPECT_FAILURE(ctl.run({"dump", "x"}), 2);
}

void TestKlv820ctl::importThenDumpIsIdentical() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QJsonObject json = WithDevices(ctl.dump());
  json["showHints"] = 0;
  json["oldModel"] = 1;
  QJsonArray programme;
  programme << Entry(0, 0, 13, 130, 7, 30, 0, 17) << Entry(0, 1, 6, 10, 24, 0, 45, 8)
            << Entry(17 + 0, 0, 13, 255, 22, 15, 0, 0);
  QJsonObject precise = programme[0].toObject();
  precise["aangemaakt"] = 46001.123456789012;
  programme << precise;
  json["programme"] = programme;
  const CtlResult imported = ctl.import(json);
  QCOMPARE(imported.code, 0);
  QVERIFY(imported.err.isEmpty());

  const CtlResult first = ctl.run({"dump"});
  QCOMPARE(first.code, 0);
  const QJsonObject back = QJsonDocument::fromJson(first.out).object();
  QCOMPARE(back["rooms"].toArray()[0].toObject()["name"].toString(), QStringLiteral("Küche"));
  QCOMPARE(back["rooms"].toArray()[0].toObject()["devices"].toArray()[1].toObject()["name"].toString(),
           QStringLiteral("Café"));
  QCOMPARE(back["programme"].toArray().size(), 4);
  // Stored order, and the creation time to the last bit.
  QCOMPARE(back["programme"].toArray()[1].toObject()["zonTijd"].toInt(), 45);
  QCOMPARE(back["programme"].toArray()[3].toObject()["aangemaakt"].toDouble(), 46001.123456789012);
  QCOMPARE(back["showHints"].toInt(), 0);

  // Dump, import that dump, dump again: byte for byte the same.
  ctl.write(ctl.scratch("first.json"), first.out);
  QCOMPARE(ctl.run({"import", ctl.scratch("first.json")}).code, 0);
  const CtlResult second = ctl.run({"dump"});
  QCOMPARE(second.out, first.out);
}

void TestKlv820ctl::importSetsTheLanguage() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QJsonObject json = ctl.dump();
  json["language"] = 2;
  QCOMPARE(ctl.import(json).code, 0);
  QCOMPARE(ctl.dump()["language"].toInt(), 2);
  // texts without --language follow the installation's language.
  QCOMPARE(ctl.run({"texts"}).out, ctl.run({"texts", "--language", "2"}).out);
}

void TestKlv820ctl::importLeavesImageListsAlone() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QFile::remove(ctl.file("CustomAppImageList.dat"));
  QVERIFY(
      QFile::copy(QStringLiteral(KLV_TEST_DATA "/imagelist/bpp1.dat"), ctl.file("CustomAppImageList.dat")));
  const QByteArray pictures = ctl.read(ctl.file("CustomAppImageList.dat"));
  QJsonObject json = WithDevices(ctl.dump());
  QCOMPARE(json["imageLists"].toObject()["CustomAppImageList"].toInt(), 1);
  // imageLists and sortKey are ignored, whatever they hold.
  json["imageLists"] = QStringLiteral("junk");
  QJsonObject entry = Entry(0, 0, 13, 130, 7, 30, 0, 17);
  entry["sortKey"] = 12;
  json["programme"] = QJsonArray{entry};
  QCOMPARE(ctl.import(json).code, 0);
  QCOMPARE(ctl.read(ctl.file("CustomAppImageList.dat")), pictures);
  const QJsonObject back = ctl.dump();
  QCOMPARE(back["imageLists"].toObject()["CustomAppImageList"].toInt(), 1);
  QVERIFY(back["programme"].toArray()[0].toObject()["sortKey"].isString());
}

void TestKlv820ctl::importRefusesBadInput_data() {
  QTest::addColumn<QString>("mutation");
  QTest::newRow("15 rooms") << "rooms15";
  QTest::newRow("17 devices") << "devices17";
  QTest::newRow("15 scenes") << "scenes15";
  QTest::newRow("17 items") << "items17";
  QTest::newRow("301 entries") << "programme301";
  QTest::newRow("name too long") << "longName";
  QTest::newRow("name not Windows-1252") << "cjkName";
  QTest::newRow("city too long") << "longCity";
  QTest::newRow("string for a number") << "stringNumber";
  QTest::newRow("fraction for an integer") << "fraction";
  QTest::newRow("language 10") << "language10";
  QTest::newRow("rooms missing") << "noRooms";
  // Out-of-range values, each in its own place: device, scene item, entry, location.
  QTest::newRow("device code -5") << "device:code=-5";
  QTest::newRow("device code 256") << "device:code=256";
  QTest::newRow("dim level 0") << "device:dimNiveau=0";
  QTest::newRow("picture 256") << "device:imageIndex=256";
  QTest::newRow("scene value 18") << "item:waarde=18";
  QTest::newRow("scene item room 16") << "item:ruimte=16";
  QTest::newRow("entry room 16") << "entry:ruimte=16";
  QTest::newRow("entry room 99") << "entry:ruimte=99";
  QTest::newRow("entry minute 60") << "entry:minuut=60";
  QTest::newRow("entry action 18") << "entry:aktie=18";
  QTest::newRow("latitude 91") << "location:latDeg=91";
  QTest::newRow("not an object") << "array";
  QTest::newRow("not JSON") << "garbage";
}

void TestKlv820ctl::importRefusesBadInput() {
  QFETCH(QString, mutation);
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.import(WithDevices(ctl.dump())).code, 0);
  QMap<QString, QByteArray> before;
  for (const QString& f : kWorkingFiles) before[f] = ctl.read(ctl.file(f));
  const QByteArray dumpBefore = ctl.run({"dump"}).out;

  QJsonObject json = ctl.dump();
  QByteArray bytes;
  auto editRoom0 = [&](auto fn) {
    QJsonArray rooms = json["rooms"].toArray();
    QJsonObject room = rooms[0].toObject();
    fn(room);
    rooms[0] = room;
    json["rooms"] = rooms;
  };
  if (mutation == "rooms15") {
    QJsonArray rooms = json["rooms"].toArray();
    rooms.removeLast();
    json["rooms"] = rooms;
  } else if (mutation == "devices17") {
    editRoom0([](QJsonObject& room) {
      QJsonArray d = room["devices"].toArray();
      d.append(d[2]);
      room["devices"] = d;
    });
  } else if (mutation == "scenes15" || mutation == "items17") {
    QJsonArray scenes = json["scenes"].toArray();
    if (mutation == "scenes15") {
      scenes.removeLast();
    } else {
      QJsonObject s = scenes[3].toObject();
      QJsonArray items = s["items"].toArray();
      items.append(items[0]);
      s["items"] = items;
      scenes[3] = s;
    }
    json["scenes"] = scenes;
  } else if (mutation == "programme301") {
    QJsonArray p;
    for (int i = 0; i < 301; ++i) p << Entry(0, 0, 13, 130, i % 24, i % 60, 0, 17);
    json["programme"] = p;
  } else if (mutation == "longName") {
    editRoom0([](QJsonObject& room) { room["name"] = QString(31, QLatin1Char('x')); });
  } else if (mutation == "cjkName") {
    editRoom0([](QJsonObject& room) { room["name"] = QStringLiteral("客厅"); });
  } else if (mutation == "longCity") {
    QJsonObject loc = json["location"].toObject();
    loc["city"] = QString(21, QLatin1Char('c'));
    json["location"] = loc;
  } else if (mutation == "stringNumber") {
    editRoom0([](QJsonObject& room) { room["imageIndex"] = QStringLiteral("3"); });
  } else if (mutation == "fraction") {
    json["oldModel"] = 0.5;
  } else if (mutation == "language10") {
    json["language"] = 10;
  } else if (mutation == "noRooms") {
    json.remove("rooms");
  } else if (mutation == "array") {
    bytes = "[1, 2, 3]";
  } else if (mutation == "garbage") {
    bytes = "{ \"language\": 1,";
  } else if (mutation.contains(QLatin1Char('='))) {
    const QString place = mutation.section(QLatin1Char(':'), 0, 0);
    const QString key = mutation.section(QLatin1Char(':'), 1).section(QLatin1Char('='), 0, 0);
    const int value = mutation.section(QLatin1Char('='), 1).toInt();
    if (place == "device") {
      editRoom0([&](QJsonObject& room) {
        QJsonArray d = room["devices"].toArray();
        QJsonObject dev = d[0].toObject();
        dev[key] = value;
        d[0] = dev;
        room["devices"] = d;
      });
    } else if (place == "item") {
      QJsonArray scenes = json["scenes"].toArray();
      QJsonObject sc = scenes[0].toObject();
      QJsonArray items = sc["items"].toArray();
      QJsonObject item = items[0].toObject();
      item[key] = value;
      items[0] = item;
      sc["items"] = items;
      scenes[0] = sc;
      json["scenes"] = scenes;
    } else if (place == "entry") {
      QJsonObject e = Entry(0, 0, 13, 130, 7, 30, 0, 17);
      e[key] = value;
      json["programme"] = QJsonArray{e};
    } else {
      QJsonObject loc = json["location"].toObject();
      loc[key] = value;
      json["location"] = loc;
    }
  }
  if (bytes.isEmpty()) bytes = QJsonDocument(json).toJson();
  ctl.write(ctl.scratch("bad.json"), bytes);

  const CtlResult r = ctl.run({"import", ctl.scratch("bad.json")});
  CTL_EXPECT_FAILURE(r, 2);
  for (const QString& f : kWorkingFiles) QVERIFY2(ctl.read(ctl.file(f)) == before[f], qPrintable(f));
  QCOMPARE(ctl.run({"dump"}).out, dumpBefore);
}

void TestKlv820ctl::importRefusesUnreadableFiles() {
  CtlRunner ctl;
  CTL_EXPECT_FAILURE(ctl.run({"import", ctl.scratch("absent.json")}), 2);
  CTL_EXPECT_FAILURE(ctl.run({"import"}), 2);
  QVERIFY(!QFile::exists(ctl.file("kvl820.dat")));

  // A name Windows-1252 can hold (the euro sign is one byte there) passes.
  QCOMPARE(ctl.run({"init"}).code, 0);
  QJsonObject json = ctl.dump();
  QJsonArray scenes = json["scenes"].toArray();
  QJsonObject s = scenes[0].toObject();
  s["name"] = QStringLiteral("Ökonomie €");
  scenes[0] = s;
  json["scenes"] = scenes;
  QCOMPARE(ctl.import(json).code, 0);
  QCOMPARE(ctl.dump()["scenes"].toArray()[0].toObject()["name"].toString(), QStringLiteral("Ökonomie €"));
}

void TestKlv820ctl::programmeImage() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.run({"programme-image"}).outText(), QStringLiteral("f0\n"));

  QJsonObject json = WithDevices(ctl.dump());
  QJsonArray programme;
  // Mondays at 07:30, on, device without code wheel (code 0x21).
  programme << Entry(0, 0, 13, 130, 7, 30, 0, 17);
  // 10 June, 15 minutes before sunrise, off, device with code wheel (0x42).
  programme << Entry(0, 1, 6, 10, 24, 0, 45, 0);
  // Scene 3 on the 5th of every month at 22:15.
  programme << Entry(17 + 3, 0, 13, 5, 22, 15, 0, 0);
  json["programme"] = programme;
  QCOMPARE(ctl.import(json).code, 0);
  const QByteArray file = ctl.read(ctl.file("kvl820.dat"));

  const CtlResult r = ctl.run({"programme-image"});
  QCOMPARE(r.code, 0);
  QCOMPARE(r.outText(), QStringLiteral("7807048d21"
                                       "3dc2140042"
                                       "3e160a0003"
                                       "f0\n"));
  // The sun fields are derived in memory only.
  QCOMPARE(ctl.read(ctl.file("kvl820.dat")), file);
  QVERIFY(r.err.isEmpty());
  CTL_EXPECT_FAILURE(ctl.run({"programme-image", "x"}), 2);

  // An entry without a device is left out of the image and named on standard error.
  programme.insert(1, Entry(0, -1, 13, 130, 7, 30, 0, 17));
  json["programme"] = programme;
  QCOMPARE(ctl.import(json).code, 0);
  const CtlResult left = ctl.run({"programme-image"});
  QCOMPARE(left.outText(), r.outText());
  QCOMPARE(left.err, QByteArray("klv820ctl: warning: programme entry 1 left out: room 0 has no device -1\n"));
}

void TestKlv820ctl::programmeListing() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  QCOMPARE(ctl.run({"programme"}).outText(), QString());

  QJsonObject json = WithDevices(ctl.dump());
  QJsonArray programme;
  programme << Entry(17 + 0, 0, 13, 5, 22, 15, 0, 0);
  programme << Entry(0, 1, 6, 10, 24, 0, 45, 9);
  programme << Entry(0, 0, 13, 128 + 2 + 32, 23, 0, 0, 0);
  QJsonObject random = Entry(0, 0, 4, 31, 7, 5, 0, 17);  // 31 April
  random["random"] = 1;
  programme << random;
  json["programme"] = programme;
  QCOMPARE(ctl.import(json).code, 0);

  const CtlResult r = ctl.run({"programme", "--language", "1"});
  QCOMPARE(r.code, 0);
  QCOMPARE(r.outLines(),
           QStringList({"0.0\tKüche/Lampe über dem Tisch\tApril\t31\tbetween 07:05 and 08:05\ton\tincomplete",
                        "0.0\tKüche/Lampe über dem Tisch\tevery month\tMo Fr\t23:00\toff\tcomplete",
                        "0.1\tKüche/Café\tJune\t10\t15 before sun rise\tdim 9\tcomplete",
                        "scene 0\tSoirée\tevery month\t5\t22:15\texecute\tcomplete"}));
  const QStringList german = ctl.run({"programme", "--language=2"}).outLines();
  QCOMPARE(german.size(), 4);
  QVERIFY(german[1].contains(QStringLiteral("\tMo Fr\t")));
  QVERIFY(!german[1].contains(QStringLiteral("every month")));
  CTL_EXPECT_FAILURE(ctl.run({"programme", "--language", "10"}), 2);
  CTL_EXPECT_FAILURE(ctl.run({"programme", "x"}), 2);
}

void TestKlv820ctl::sceneTable() {
  CtlRunner ctl;
  QCOMPARE(ctl.run({"init"}).code, 0);
  const QString empty = ctl.run({"scene-table"}).outText();
  QCOMPARE(empty, QString(1024, QLatin1Char('0')) + "\n");

  QJsonObject json = WithDevices(ctl.dump());
  QJsonArray scenes = json["scenes"].toArray();
  QJsonObject s2 = scenes[2].toObject();
  QJsonArray items = s2["items"].toArray();
  items[0] = QJsonObject{{"ruimte", 0}, {"apparaat", 1}, {"waarde", 4}};
  items[1] = QJsonObject{{"ruimte", 0}, {"apparaat", 0}, {"waarde", 0}};
  s2["items"] = items;
  scenes[2] = s2;
  json["scenes"] = scenes;
  QCOMPARE(ctl.import(json).code, 0);

  const CtlResult r = ctl.run({"scene-table"});
  QCOMPARE(r.code, 0);
  const QString hex = r.outText().trimmed();
  QCOMPARE(hex.size(), 1024);
  QVERIFY(IsLowerHex(hex));
  // Scene 0: device 0x21 on (17 x 2, +1 without code wheel, +0x80 not last).
  QCOMPARE(hex.mid(0, 4), QStringLiteral("21a3"));
  QCOMPARE(hex.mid(4, 60), QString(60, QLatin1Char('0')));
  // Scene 2 at byte 64: dimmer 0x42 at level 4 (code wheel), then 0x21 off.
  QCOMPARE(hex.mid(128, 8), QStringLiteral("4288"
                                           "2181"));
  QCOMPARE(hex.mid(136), QString(1024 - 136, QLatin1Char('0')));
}

QTEST_GUILESS_MAIN(TestKlv820ctl)
#include "tst_klv820ctl.moc"
