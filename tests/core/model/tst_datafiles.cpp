#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cstring>

#include "TestSupport.h"
#include "core/model/DataFiles.h"

using namespace DataFiles;

namespace {

QByteArray Sample(const QString& name) {
  QFile f(QStringLiteral(KLV_TEST_DATA "/datafiles/") + name);
  if (!f.open(QIODevice::ReadOnly)) qFatal("missing sample %s", qPrintable(name));
  return f.readAll();
}

// Rooms/scenes as the golden sample holds them.
void CheckGoldenRooms(const MainData& d) {
  const TRuimte& r0 = d.Ruimtes[0];
  QCOMPARE(r0.Naam, QStringLiteral("Woonkamer"));
  QCOMPARE(r0.ImageIndex, 2);
  QCOMPARE(r0.DeviceCount(), 3);
  QCOMPARE(r0.Apparaten[0].Naam, QStringLiteral("Lamp"));
  QCOMPARE(r0.Apparaten[0].ImageIndex, 0);
  QCOMPARE(r0.Apparaten[0].CodeSchijf, 1);
  QCOMPARE(r0.Apparaten[0].Dimbaar, 0);
  QCOMPARE(r0.Apparaten[0].Code, 35);
  QCOMPARE(r0.Apparaten[0].DimNiveau, 8);
  QCOMPARE(r0.Apparaten[1].Naam, QStringLiteral("Dimmer \u00e9"));
  QCOMPARE(r0.Apparaten[1].Dimbaar, 1);
  QCOMPARE(r0.Apparaten[1].Code, 200);
  QCOMPARE(r0.Apparaten[1].DimNiveau, 12);
  // Only the stated three characters of a name that carries old remains.
  QCOMPARE(r0.Apparaten[2].Naam, QStringLiteral("Taf"));
  QCOMPARE(r0.Apparaten[2].ImageIndex, 3);
  QCOMPARE(r0.Apparaten[2].Code, 7);
  QVERIFY(r0.Apparaten[3].IsEmpty());
  QCOMPARE(r0.Apparaten[15].Code, -1);
  QCOMPARE(r0.Apparaten[15].DimNiveau, 8);

  const TRuimte& r1 = d.Ruimtes[1];
  QCOMPARE(r1.Naam, QStringLiteral("Keuken \u20ac"));
  QCOMPARE(r1.ImageIndex, -1);
  QCOMPARE(r1.Apparaten[0].Naam, QString(30, QLatin1Char('A')));
  QCOMPARE(r1.Apparaten[0].Code, 0);
  QCOMPARE(r1.Apparaten[0].DimNiveau, 16);
  QVERIFY(d.Ruimtes[2].IsEmpty());
}

void CheckGoldenScenes(const MainData& d) {
  QCOMPARE(d.Scenes[0].Naam, QStringLiteral("Avond"));
  QCOMPARE(d.Scenes[0].Akties[1].Ruimte, 0);
  QCOMPARE(d.Scenes[0].Akties[1].Apparaat, 1);
  QCOMPARE(d.Scenes[0].Akties[1].Waarde, 5);
  QCOMPARE(d.Scenes[0].Akties[2].Ruimte, 1);
  QCOMPARE(d.Scenes[0].Akties[3].Apparaat, -1);
  QCOMPARE(d.Scenes[15].Naam, QStringLiteral("Laatste"));
  QCOMPARE(d.Scenes[15].Akties[0].Waarde, 17);
}

bool RoomsAreDefault(const MainData& d, int from) {
  for (int i = from; i < RoomCount; ++i) {
    const TRuimte& r = d.Ruimtes[i];
    if (!r.IsEmpty()) return false;
    for (const TApparaat& a : r.Apparaten)
      if (!a.IsEmpty() || a.Code != -1 || a.DimNiveau != 8 || a.CodeSchijf || a.Dimbaar) return false;
  }
  return true;
}

bool ScenesAreDefault(const MainData& d, int from) {
  for (int i = from; i < SceneCount; ++i) {
    if (!d.Scenes[i].Naam.isEmpty()) return false;
    for (const TSceneAktie& a : d.Scenes[i].Akties)
      if (a.Ruimte != -1 || a.Apparaat != -1 || a.Waarde != 0) return false;
  }
  return true;
}

KeyedAktieList Keyed(const std::vector<ProgAktiePtr>& entries) {
  KeyedAktieList list;
  for (const auto& e : entries) list.push_back({e->SortKey(), e});
  return list;
}

}  // namespace

class TestDataFiles : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void goldenMainFileReadsAsWritten() {
    MainData d;
    QVERIFY(ReadMainData(Sample(QStringLiteral("golden_kvl820.dat")), d).isEmpty());
    CheckGoldenRooms(d);
    CheckGoldenScenes(d);

    // The blank record in the middle is dropped; the records after it are read.
    QCOMPARE(int(d.Programme.size()), 3);
    const ProgAktie& a = *d.Programme[0];
    QCOMPARE(a.Ruimte, 0);
    QCOMPARE(a.Maand, 13);
    QCOMPARE(a.DagDatum, 130);
    QCOMPARE(a.Uur, 7);
    QCOMPARE(a.Minuut, 30);
    QCOMPARE(a.Aktie, 17);
    QCOMPARE(a.Aangemaakt, 45000.25);
    const ProgAktie& s = *d.Programme[1];
    QCOMPARE(s.Ruimte, 17);
    QVERIFY(s.IsScene());
    QCOMPARE(s.ZonTijd, 165);
    QCOMPARE(s.Uur, 24);
    QCOMPARE(s.Aangemaakt, 45001.5);
    const ProgAktie& r = *d.Programme[2];
    QCOMPARE(r.Ruimte, 1);
    QCOMPARE(r.DagDatum, 29);
    QCOMPARE(r.Random, 1);
    QCOMPARE(r.Aktie, 5);  // the upper bytes of the stored value are garbage
    QCOMPARE(r.Aangemaakt, 45002.123456789);
  }

  void writerProducesTheLayout() {
    MainData d;
    ReadMainData(Sample(QStringLiteral("golden_kvl820.dat")), d);
    const QByteArray written = WriteMainData(d.Ruimtes, d.Scenes, Keyed(d.Programme), 44000.0);
    const QByteArray expected = Sample(QStringLiteral("canonical_kvl820.dat"));
    QCOMPARE(written.size(), 30854);
    for (int i = 0; i < expected.size(); ++i)
      if (written[i] != expected[i])
        QFAIL(qPrintable(QStringLiteral("first difference at offset %1").arg(i)));
  }

  void freshInstallationImage() {
    MainData d;
    const QByteArray image = WriteMainData(d.Ruimtes, d.Scenes, {}, 45123.5);
    QCOMPARE(image.size(), MainFileSize);
    QCOMPARE(image.mid(0, 2), QByteArray("\x32\x40", 2));
    QCOMPARE(image.mid(12866, 2), QByteArray("\x0E\x00", 2));
    QCOMPARE(image.mid(16452, 2), QByteArray("\x38\x40", 2));
    MainData back;
    QVERIFY(ReadMainData(image, back).isEmpty());
    QVERIFY(back.Programme.empty());  // every record blank
    QVERIFY(RoomsAreDefault(back, 0));
    QVERIFY(ScenesAreDefault(back, 0));
    // A blank record carries the new-entry defaults and the time of writing.
    const char* rec = image.constData() + 16454 + 299 * 48;
    QCOMPARE(qFromLittleEndian<qint32>(rec), -1);
    QCOMPARE(qFromLittleEndian<qint32>(rec + 16), 24);
    double when;
    std::memcpy(&when, rec + 40, 8);
    QCOMPARE(when, 45123.5);
  }

  void roundTripKeepsEverything() {
    MainData d;
    d.Ruimtes[3].Naam = QStringLiteral("\u00c7\u00e0 \u0160\u2122");
    d.Ruimtes[3].Apparaten[15].Naam = QString(30, QChar(0x00FF));
    d.Ruimtes[3].Apparaten[15].Code = 255;
    d.Ruimtes[15].ImageIndex = 0x7FFFFFFF;
    d.Scenes[7].Akties[15] = {15, 15, -5};
    for (int i = 0; i < 310; ++i) {
      auto e = std::make_shared<ProgAktie>();
      e->Ruimte = i % 33;
      e->Apparaat = i % 16;
      e->Maand = i % 14;
      e->DagDatum = 128 + i % 128;
      e->Uur = i % 25;
      e->Minuut = i % 60;
      e->ZonTijd = i % 240;
      e->Random = i % 2;
      e->Aktie = uint8_t(i % 18);
      e->Aangemaakt = 45000.0 + i / 7.0;
      d.Programme.push_back(e);
    }
    const QByteArray image = WriteMainData(d.Ruimtes, d.Scenes, Keyed(d.Programme), 1.0);
    MainData back;
    QVERIFY(ReadMainData(image, back).isEmpty());
    QCOMPARE(back.Ruimtes[3].Naam, d.Ruimtes[3].Naam);
    QCOMPARE(back.Ruimtes[3].Apparaten[15].Naam, d.Ruimtes[3].Apparaten[15].Naam);
    QCOMPARE(back.Ruimtes[3].Apparaten[15].Code, 255);
    QCOMPARE(back.Ruimtes[15].ImageIndex, 0x7FFFFFFF);
    QCOMPARE(back.Scenes[7].Akties[15].Waarde, -5);
    QCOMPARE(int(back.Programme.size()), 300);  // only the first 300 are stored
    for (int i = 0; i < 300; ++i) {
      const ProgAktie& a = *d.Programme[i];
      const ProgAktie& b = *back.Programme[i];
      QCOMPARE(b.Ruimte, a.Ruimte);
      QCOMPARE(b.Apparaat, a.Apparaat);
      QCOMPARE(b.Maand, a.Maand);
      QCOMPARE(b.DagDatum, a.DagDatum);
      QCOMPARE(b.Uur, a.Uur);
      QCOMPARE(b.Minuut, a.Minuut);
      QCOMPARE(b.ZonTijd, a.ZonTijd);
      QCOMPARE(b.Random, a.Random);
      QCOMPARE(b.Aktie, a.Aktie);
      QCOMPARE(b.Aangemaakt, a.Aangemaakt);
      QCOMPARE(b.SortKey(), a.SortKey());
    }
  }

  void damagedMainFiles_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("roomsRead");
    QTest::addColumn<bool>("scenesRead");
    QTest::addColumn<int>("entries");
    QTest::addColumn<bool>("reported");
    QTest::newRow("ends inside the rooms") << "trunc_in_rooms.dat" << 1 << false << 0 << true;
    QTest::newRow("ends inside the scenes") << "trunc_in_scenes.dat" << 16 << false << 0 << true;
    QTest::newRow("ends after the scenes") << "after_scenes.dat" << 16 << true << 0 << true;
    QTest::newRow("programme cut short") << "trunc_in_programme.dat" << 16 << true << 0 << true;
    QTest::newRow("room section too long") << "long_room_section.dat" << 16 << true << 3 << true;
    QTest::newRow("room section past the file") << "huge_room_section.dat" << 16 << false << 0 << true;
    QTest::newRow("programme section too long") << "long_programme.dat" << 16 << true << 3 << true;
    QTest::newRow("room section short") << "short_room_section.dat" << 2 << true << 3 << true;
    QTest::newRow("golden") << "golden_kvl820.dat" << 16 << true << 3 << false;
  }

  void damagedMainFiles() {
    QFETCH(QString, file);
    QFETCH(int, roomsRead);
    QFETCH(bool, scenesRead);
    QFETCH(int, entries);
    QFETCH(bool, reported);
    MainData d;
    const QStringList problems = ReadMainData(Sample(file), d);
    QCOMPARE(!problems.isEmpty(), reported);
    QCOMPARE(d.Ruimtes[0].Naam, QStringLiteral("Woonkamer"));
    if (roomsRead >= 2) QCOMPARE(d.Ruimtes[1].Naam, QStringLiteral("Keuken \u20ac"));
    QVERIFY(RoomsAreDefault(d, std::max(roomsRead, 2)));
    if (roomsRead < 2) QVERIFY(RoomsAreDefault(d, roomsRead));
    if (scenesRead) {
      CheckGoldenScenes(d);
    } else if (file == QLatin1String("trunc_in_scenes.dat")) {
      QCOMPARE(d.Scenes[0].Naam, QStringLiteral("Avond"));  // the one whole scene
      QVERIFY(ScenesAreDefault(d, 1));
    } else {
      QVERIFY(ScenesAreDefault(d, 0));
    }
    QCOMPARE(int(d.Programme.size()), entries);
    if (entries) QCOMPARE(d.Programme[2]->Aktie, 5);
  }

  void everyTruncationIsSafe() {
    const QByteArray golden = Sample(QStringLiteral("golden_kvl820.dat"));
    for (int len = 0; len < golden.size(); len += (len < 40 || golden.size() - len < 600) ? 1 : 37) {
      MainData d;
      const QStringList problems = ReadMainData(QByteArrayView(golden.constData(), len), d);
      QVERIFY2(!problems.isEmpty(), qPrintable(QString::number(len)));
      QVERIFY(d.Programme.empty());  // the programme comes only from a whole section
      const int wholeRooms = std::clamp((len - 2) / RoomRecordSize, 0, 16);
      if (wholeRooms > 0) QCOMPARE(d.Ruimtes[0].Naam, QStringLiteral("Woonkamer"));
      QVERIFY(RoomsAreDefault(d, std::min(wholeRooms, 2)));
    }
  }

  void randomBytesAreSafe() {
    QRandomGenerator rng(820);
    const QByteArray golden = Sample(QStringLiteral("golden_kvl820.dat"));
    for (int round = 0; round < 300; ++round) {
      QByteArray bytes;
      if (round % 2) {
        bytes = golden.left(rng.bounded(golden.size() + 1));
        for (int k = 0; k < 20 && !bytes.isEmpty(); ++k)
          bytes[rng.bounded(int(bytes.size()))] = char(rng.generate());
        // Hostile section lengths too.
        if (bytes.size() > 12867) bytes[12866] = char(rng.generate());
      } else {
        bytes.resize(rng.bounded(40000));
        for (char& c : bytes) c = char(rng.generate());
      }
      MainData d;
      ReadMainData(bytes, d);
      QVERIFY(d.Programme.size() <= 300);
      for (const auto& e : d.Programme) QVERIFY(e->Ruimte >= 0);
      EnvironmentData env;
      ReadEnvironment(bytes.left(rng.bounded(80)), env);
    }
  }

  void goldenEnvironment() {
    EnvironmentData env;
    const QByteArray file = Sample(QStringLiteral("golden_environment.dat"));
    QVERIFY(ReadEnvironment(file, env).isEmpty());
    QCOMPARE(env.OldModel, 1);
    QCOMPARE(env.ShowHints, 0);
    QCOMPARE(env.Location.Country, QStringLiteral("Nederland"));
    QCOMPARE(env.Location.City, QStringLiteral("Utrecht"));
    QCOMPARE(env.Location.LatDeg, 52);
    QCOMPARE(env.Location.LatMin, 5);
    QCOMPARE(env.Location.LonMin, 7);
    QCOMPARE(env.Location.TzHours, 1);
    QCOMPARE(WriteEnvironment(env), file);
  }

  void damagedEnvironment() {
    TLocation fallback;
    fallback.Country = QStringLiteral("England");
    fallback.City = QStringLiteral("London");
    fallback.LatDeg = 51;
    auto read = [&](const QByteArray& bytes, EnvironmentData& env) {
      env = EnvironmentData{0, 1, fallback};
      return ReadEnvironment(bytes, env);
    };
    EnvironmentData env;

    // Stored length 52, file ends inside the location: flags read, location default.
    QVERIFY(!read(Sample(QStringLiteral("env_short.dat")), env).isEmpty());
    QCOMPARE(env.OldModel, 1);
    QCOMPARE(env.ShowHints, 0);
    QCOMPARE(env.Location, fallback);

    QVERIFY(!read(Sample(QStringLiteral("env_flags_only.dat")), env).isEmpty());
    QCOMPARE(env.OldModel, 1);
    QCOMPARE(env.ShowHints, 1);
    QCOMPARE(env.Location, fallback);

    QVERIFY(!read(Sample(QStringLiteral("env_long.dat")), env).isEmpty());
    QCOMPARE(env.Location.City, QStringLiteral("Utrecht"));
    QCOMPARE(env.ShowHints, 0);

    // A stated length shorter than the block: only what it covers counts.
    QByteArray statedShort = Sample(QStringLiteral("golden_environment.dat"));
    statedShort[1] = 1;
    QVERIFY(!read(statedShort, env).isEmpty());
    QCOMPARE(env.OldModel, 1);
    QCOMPARE(env.ShowHints, 1);
    QCOMPARE(env.Location, fallback);

    QVERIFY(!read(QByteArray(), env).isEmpty());
    QVERIFY(!read(QByteArray(1, '\0'), env).isEmpty());
    QCOMPARE(env.ShowHints, 1);
  }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
