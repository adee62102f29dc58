#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

#include "TestSupport.h"
#include "core/model/DataFiles.h"
#include "core/model/FileMemory.h"
#include "core/model/ImageListFile.h"
#include "core/model/LoadSave.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  QCOMPARE(f.write(data), data.size());
}

QByteArray Sample(const QString& name) { return ReadAll(QStringLiteral(KLV_TEST_DATA "/datafiles/") + name); }

void StoreRawLanguage(const QVariant& value) {
  QSettings s(QStringLiteral("Dravik"), QStringLiteral("KLV-820"));
  if (value.isValid())
    s.setValue(QStringLiteral("Language"), value);
  else
    s.remove(QStringLiteral("Language"));
  s.sync();
}

QImage Picture(QRgb colour) {
  QImage img(130, 80, QImage::Format_RGB888);
  img.fill(colour);
  return img;
}

// Makes a folder refuse new files, even for a privileged user when the file
// system allows it; undone on destruction.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const QString& dir) : dir_(dir) {
    QFile::setPermissions(dir_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
    if (!Refuses() && !QStandardPaths::findExecutable(QStringLiteral("chattr")).isEmpty()) {
      immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir_}) == 0;
    }
  }
  ~ReadOnlyFolder() {
    if (immutable_) QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir_});
    QFile::setPermissions(dir_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  bool Refuses() const {
    QFile probe(dir_ + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly)) return true;
    probe.close();
    probe.remove();
    return false;
  }

 private:
  QString dir_;
  bool immutable_ = false;
};

void SetItems(TScene& s, std::initializer_list<std::pair<int, int>> items) {
  int i = 0;
  for (auto [room, device] : items) s.Akties[i++] = TSceneAktie{room, device, 17};
}

// The scene's items as (room, device) pairs up to the first free slot, and
// whether every slot after it is wholly blank.
QList<QPair<int, int>> Items(const TScene& s) {
  QList<QPair<int, int>> out;
  int i = 0;
  for (; i < ItemsPerScene && s.Akties[i].Apparaat >= 0; ++i)
    out.append({s.Akties[i].Ruimte, s.Akties[i].Apparaat});
  for (; i < ItemsPerScene; ++i)
    if (s.Akties[i].Ruimte != -1 || s.Akties[i].Apparaat != -1 || s.Akties[i].Waarde != 0)
      out.append({99, 99});
  return out;
}

ProgAktiePtr Entry(TLoadSave* d, int room, int device) {
  auto e = std::make_shared<ProgAktie>();
  e->Ruimte = room;
  e->Apparaat = device;
  e->Maand = 13;
  e->DagDatum = 128 + 127;
  e->Uur = 7;
  d->Programma->AddUnique(e);
  return e;
}

QList<QPair<int, int>> Targets(const TLoadSave* d) {
  QList<QPair<int, int>> out;
  for (const KeyedAktie& k : d->Programma->AllItems) {
    out.append({k.Entry->Ruimte, k.Entry->Apparaat});
    if (k.Key != k.Entry->SortKey()) out.append({-99, -99});  // a stale sort key
  }
  return out;
}

}  // namespace

class TestLoadSave : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void newInstallationDefaults() {
    TempWorkspace ws;
    StoreRawLanguage(QVariant());
    TLoadSave* d = TLoadSave::Instance();
    QCOMPARE(TLoadSave::Instance(), d);
    QVERIFY(d->LoadProblems.isEmpty());
    QCOMPARE(d->Language, 1);
    QCOMPARE(d->OldModel, 0);
    QCOMPARE(d->ShowHints, 1);
    QCOMPARE(d->Location.Country, QStringLiteral("England"));
    QCOMPARE(d->Location.City, QStringLiteral("London"));
    QCOMPARE(d->Location.LatDeg, 51);
    QCOMPARE(d->Location.LatMin, 32);
    QCOMPARE(d->Location.NS, 0);
    QCOMPARE(d->Location.LonDeg, 0);
    QCOMPARE(d->Location.LonMin, 5);
    QCOMPARE(d->Location.EW, 1);
    QCOMPARE(d->Location.TzHours, 0);
    QCOMPARE(d->RoomCount(), 0);
    QCOMPARE(d->Ruimtes[15].Apparaten[15].Code, -1);
    QCOMPARE(d->Ruimtes[15].Apparaten[15].DimNiveau, 8);
    QCOMPARE(d->Scenes[3].Akties[7].Apparaat, -1);
    QCOMPARE(d->Programma->Count(), 0);
    for (TImageList* list : {d->RuimteImageList.get(), d->AppImageList.get(), d->CustomRuimteImageList.get(),
                             d->CustomAppImageList.get()}) {
      QCOMPARE(list->Count(), 0);
      QCOMPARE(list->Width(), 130);
      QCOMPARE(list->Height(), 80);
      QVERIFY(list->Name.isEmpty());
    }

    const SaveResult r = d->Save();
    QVERIFY2(r.Ok, qPrintable(r.FailedFile + QLatin1Char(' ') + r.Error));
    const QByteArray main = ReadAll(ws.file(QStringLiteral("kvl820.dat")));
    QCOMPARE(main.size(), 30854);
    for (int n = 0; n < 300; ++n) QCOMPARE(qFromLittleEndian<qint32>(main.constData() + 16454 + n * 48), -1);
    const QByteArray env = ReadAll(ws.file(QStringLiteral("environment.dat")));
    QCOMPARE(env.size(), 54);
    QCOMPARE(env.left(4), QByteArray("\x00\x34\x00\x01", 4));
    for (const char* f :
         {"RuimteImageList.dat", "AppImageList.dat", "CustomRuimteImageList.dat", "CustomAppImageList.dat"})
      QVERIFY(QFile::exists(ws.file(QString::fromLatin1(f))));
  }

  void defaultEnvironmentFollowsLanguage() {
    TempWorkspace ws;
    StoreRawLanguage(3);
    TLoadSave* d = TLoadSave::Instance();
    QCOMPARE(d->Language, 3);
    QCOMPARE(d->Location.City, QStringLiteral("Paris"));
    d->Language = 8;
    d->DefaultEnvironment();
    QCOMPARE(d->Location.Country, QStringLiteral("Magyarorsz\u00e1g"));
    QCOMPARE(d->Location.City, QStringLiteral("Budapest"));
    d->Language = 42;
    d->OldModel = 1;
    d->DefaultEnvironment();
    QCOMPARE(d->Location, Locations::At(0));
    QCOMPARE(d->OldModel, 0);
    StoreRawLanguage(QVariant());
  }

  void languageSetting() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    d->Language = 7;
    d->WriteLanguage();
    QCOMPARE(TLoadSave::ReadLanguage(), 7);
    d->Language = 0;
    d->WriteLanguage();
    QCOMPARE(TLoadSave::ReadLanguage(), 0);
    for (const QVariant& bad : {QVariant(10), QVariant(-1), QVariant(QStringLiteral("abc"))}) {
      StoreRawLanguage(bad);
      QCOMPARE(TLoadSave::ReadLanguage(), 1);
    }
    StoreRawLanguage(QVariant());
    QCOMPARE(TLoadSave::ReadLanguage(), 1);
  }

  void freeCode() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    QCOMPARE(d->FreeCode(), 0);
    d->Ruimtes[0].Apparaten[0].Code = 0;
    d->Ruimtes[5].Apparaten[9].Code = 1;  // an unused slot counts too
    d->Ruimtes[15].Apparaten[15].Code = 3;
    QCOMPARE(d->FreeCode(), 2);
    QVERIFY(d->CodeInUse(3));
    QVERIFY(!d->CodeInUse(2));
    for (int c = 0; c < 256; ++c) d->Ruimtes[c / 16].Apparaten[c % 16].Code = c;
    QCOMPARE(d->FreeCode(), 0);
    d->Ruimtes[12].Apparaten[4].Code = 999;
    QCOMPARE(d->FreeCode(), 196);
  }

  void slotCounts() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    d->Ruimtes[0].Naam = QStringLiteral("a");
    d->Ruimtes[1].ImageIndex = 0;  // a picture without a name is used
    d->Ruimtes[3].Naam = QStringLiteral("after the gap");
    QCOMPARE(d->RoomCount(), 2);
    TRuimte& r = d->Ruimtes[0];
    r.Apparaten[0].Naam = QStringLiteral("x");
    r.Apparaten[1].ImageIndex = 4;
    r.Apparaten[2].Code = 7;  // a code alone does not make a slot used
    QCOMPARE(r.DeviceCount(), 2);
    for (auto& a : r.Apparaten) a.Naam = QStringLiteral("y");
    QCOMPARE(r.DeviceCount(), 16);
  }

  void saveAndLoadRoundTrip() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    d->Ruimtes[0].Naam = QStringLiteral("Caf\u00e9 \u20ac");
    d->Ruimtes[0].ImageIndex = 0;
    TApparaat& a = d->Ruimtes[0].Apparaten[1];
    a.Naam = QString(30, QLatin1Char('z'));
    a.ImageIndex = 1;
    a.CodeSchijf = 1;
    a.Dimbaar = 1;
    a.Code = 17;
    a.DimNiveau = 3;
    d->Scenes[2].Naam = QStringLiteral("Nacht");
    d->Scenes[2].Akties[0] = {0, 1, 9};
    d->OldModel = 1;
    d->ShowHints = 0;
    d->Location = Locations::At(5);
    d->CustomRuimteImageList->Add(Picture(qRgb(200, 10, 10)));
    d->CustomAppImageList->Add(Picture(qRgb(0, 0, 255)));
    d->CustomAppImageList->Add(Picture(qRgb(0, 255, 0)));
    // Stored order is insertion order, not key order.
    QList<double> created;
    for (int i = 0; i < 5; ++i) {
      auto e = std::make_shared<ProgAktie>();
      e->Ruimte = 4 - i;
      e->Apparaat = i;
      e->Maand = 13;
      e->DagDatum = 130 + i;
      e->Uur = 6 + i;
      e->ZonTijd = i * 40;
      e->Random = i % 2;
      e->Aktie = uint8_t(i * 4);
      e->Aangemaakt = 45000.123456789 + i * 0.3;
      created << e->Aangemaakt;
      d->Programma->AddUnique(e);
    }
    QStringList keys;
    for (const auto& k : d->Programma->AllItems) keys << k.Entry->SortKey();
    QVERIFY(d->Save().Ok);

    TLoadSave::Recreate();
    d = TLoadSave::Instance();
    QVERIFY(d->LoadProblems.isEmpty());
    QCOMPARE(d->Ruimtes[0].Naam, QStringLiteral("Caf\u00e9 \u20ac"));
    const TApparaat& b = d->Ruimtes[0].Apparaten[1];
    QCOMPARE(b.Naam, QString(30, QLatin1Char('z')));
    QCOMPARE(b.ImageIndex, 1);
    QCOMPARE(b.CodeSchijf, 1);
    QCOMPARE(b.Dimbaar, 1);
    QCOMPARE(b.Code, 17);
    QCOMPARE(b.DimNiveau, 3);
    QCOMPARE(d->Scenes[2].Naam, QStringLiteral("Nacht"));
    QCOMPARE(d->Scenes[2].Akties[0].Waarde, 9);
    QCOMPARE(d->OldModel, 1);
    QCOMPARE(d->ShowHints, 0);
    QCOMPARE(d->Location, Locations::At(5));
    QCOMPARE(d->CustomRuimteImageList->Count(), 1);
    QCOMPARE(d->CustomAppImageList->Count(), 2);
    QCOMPARE(d->CustomAppImageList->Get(1).pixel(10, 10), qRgb(0, 255, 0));
    QCOMPARE(d->RuimteImageList->Name, QStringLiteral("RuimteImages"));
    QCOMPARE(d->AppImageList->Name, QStringLiteral("appimages"));
    QCOMPARE(d->CustomRuimteImageList->Name, QStringLiteral("usedRuimteimages"));
    QCOMPARE(d->CustomAppImageList->Name, QStringLiteral("usedAppimages"));
    QCOMPARE(d->Programma->Count(), 5);
    for (int i = 0; i < 5; ++i) {
      const ProgAktie& e = *d->Programma->AllItems[i].Entry;
      QCOMPARE(e.Ruimte, 4 - i);
      QCOMPARE(e.ZonTijd, i * 40);
      QCOMPARE(e.Aktie, i * 4);
      QCOMPARE(e.Aangemaakt, created[i]);
      QCOMPARE(e.SortKey(), keys[i]);
      QCOMPARE(d->Programma->AllItems[i].Key, keys[i]);
    }

    // A second save of the loaded installation gives the same main file
    // apart from the blank records' creation times.
    const QByteArray first = ReadAll(ws.file(QStringLiteral("kvl820.dat")));
    QVERIFY(d->Save().Ok);
    const QByteArray second = ReadAll(ws.file(QStringLiteral("kvl820.dat")));
    QCOMPARE(second.left(16454 + 5 * 48), first.left(16454 + 5 * 48));
  }

  void damagedFilesStillLoad() {
    TempWorkspace ws;
    WriteAll(ws.file(QStringLiteral("kvl820.dat")), Sample(QStringLiteral("trunc_in_rooms.dat")));
    WriteAll(ws.file(QStringLiteral("environment.dat")), Sample(QStringLiteral("env_short.dat")));
    WriteAll(ws.file(QStringLiteral("AppImageList.dat")), QByteArray("\xFF\x0A\x00garbage", 10));
    {
      // 1 GB (sparse): far more than 256 pictures need; damaged without being read whole.
      QFile huge(ws.file(QStringLiteral("CustomAppImageList.dat")));
      QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(1) << 30));
    }
    TLoadSave* d = TLoadSave::Instance();
    const QString problems = d->LoadProblems.join(QLatin1Char('\n'));
    QVERIFY2(problems.contains(QStringLiteral("kvl820.dat")), qPrintable(problems));
    QVERIFY(problems.contains(QStringLiteral("environment.dat")));
    QVERIFY(problems.contains(QStringLiteral("AppImageList.dat")));
    QVERIFY(problems.contains(QStringLiteral("CustomAppImageList.dat: larger than 33554432 bytes, damaged")));
    QVERIFY(!problems.contains(QStringLiteral("RuimteImageList.dat")));  // absent is not damaged
    QCOMPARE(d->Ruimtes[0].Naam, QStringLiteral("Woonkamer"));
    QVERIFY(d->Ruimtes[1].IsEmpty());
    QCOMPARE(d->Ruimtes[1].Apparaten[0].Code, -1);
    QCOMPARE(d->Programma->Count(), 0);
    QCOMPARE(d->OldModel, 1);
    QCOMPARE(d->ShowHints, 0);
    QCOMPARE(d->Location.City, QStringLiteral("London"));  // partial record: default location
    QCOMPARE(d->AppImageList->Count(), 0);
    QVERIFY(d->AppImageList->Name.isEmpty());
  }

  void goldenFilesLoad() {
    TempWorkspace ws;
    WriteAll(ws.file(QStringLiteral("kvl820.dat")), Sample(QStringLiteral("golden_kvl820.dat")));
    WriteAll(ws.file(QStringLiteral("environment.dat")), Sample(QStringLiteral("golden_environment.dat")));
    TLoadSave* d = TLoadSave::Instance();
    QVERIFY(d->LoadProblems.isEmpty());
    QCOMPARE(d->RoomCount(), 2);
    QCOMPARE(d->Ruimtes[0].DeviceCount(), 3);
    QCOMPARE(d->Programma->Count(), 3);
    QCOMPARE(d->Programma->AllItems[1].Entry->Ruimte, 17);
    QCOMPARE(d->Location.City, QStringLiteral("Utrecht"));
    QCOMPARE(d->FreeCode(), 1);  // 0, 7, 35 and 200 are taken
  }

  // All six files are written aside before any replaces its working file:
  // one that cannot be written leaves every working file of the last save.
  void saveFailureReplacesNothing() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    QVERIFY(d->Save().Ok);
    const QByteArray before = ReadAll(ws.file(QStringLiteral("kvl820.dat")));
    // A changed file that cannot be written (unchanged files are not written at all).
    QVERIFY(QDir(ws.path()).mkpath(QStringLiteral("CustomAppImageList.dat.saving/x")));
    d->Ruimtes[0].Naam = QStringLiteral("changed");
    d->CustomAppImageList->Add(Picture(qRgb(1, 2, 3)));
    const SaveResult r = d->Save();
    QVERIFY(!r.Ok);
    QCOMPARE(r.FailedFile, QStringLiteral("CustomAppImageList.dat"));
    QVERIFY(!r.Error.isEmpty());
    QCOMPARE(ReadAll(ws.file(QStringLiteral("kvl820.dat"))), before);
    TImageList back;
    QVERIFY(ParseImageListFile(ReadAll(ws.file(QStringLiteral("CustomAppImageList.dat"))), back));
    QCOMPARE(back.Count(), 0);
    QVERIFY(!QFile::exists(ws.file(QStringLiteral("kvl820.dat.saving"))));
    // Once the cause is gone all six are replaced.
    QVERIFY(QDir(ws.file(QStringLiteral("CustomAppImageList.dat.saving"))).removeRecursively());
    QVERIFY(d->Save().Ok);
    QVERIFY(ParseImageListFile(ReadAll(ws.file(QStringLiteral("CustomAppImageList.dat"))), back));
    QCOMPARE(back.Count(), 1);
    QCOMPARE(QDir(ws.path()).entryList(QDir::Files).size(), 6);
  }

  // A file that loaded with problems is kept as a dated copy before the
  // first save replaces it, once; a copy that cannot be made stops the save.
  void damagedFilesAreKeptBeforeASave() {
    TempWorkspace ws;
    const QByteArray main = Sample(QStringLiteral("trunc_in_rooms.dat"));
    const QByteArray pictures("\xFF\x0A\x00garbage", 10);
    WriteAll(ws.file(QStringLiteral("kvl820.dat")), main);
    WriteAll(ws.file(QStringLiteral("AppImageList.dat")), pictures);
    TLoadSave* d = TLoadSave::Instance();
    QCOMPARE(d->DamagedFiles,
             (QStringList{QStringLiteral("AppImageList.dat"), QStringLiteral("kvl820.dat")}));
    QVERIFY(d->SaveDataFiles().Ok);  // only the data files: the image list stays damaged
    QCOMPARE(d->DamagedFiles, QStringList{QStringLiteral("AppImageList.dat")});
    QVERIFY(d->Save().Ok);
    QVERIFY(d->DamagedFiles.isEmpty());
    QVERIFY(d->Save().Ok);
    const QStringList kept =
        QDir(ws.path()).entryList({QStringLiteral("*.damaged-*")}, QDir::Files, QDir::Name);
    QCOMPARE(kept.size(), 2);
    QVERIFY(QRegularExpression(QStringLiteral("^AppImageList\\.dat\\.damaged-\\d{8}-\\d{6}$"))
                .match(kept[0])
                .hasMatch());
    QCOMPARE(ReadAll(ws.file(kept[0])), pictures);
    QCOMPARE(ReadAll(ws.file(kept[1])), main);
    QCOMPARE(d->KeptCopies.size(), 2);

    TLoadSave::Release();
    WriteAll(ws.file(QStringLiteral("environment.dat")), QByteArray("\x00", 1));
    d = TLoadSave::Instance();
    const QByteArray kvl = ReadAll(ws.file(QStringLiteral("kvl820.dat")));
    d->Ruimtes[0].Naam = QStringLiteral("changed");
    {
      ReadOnlyFolder guard(ws.path());
      if (!guard.Refuses()) QSKIP("this user may write into any folder");
      QCOMPARE(d->Save().FailedFile, QStringLiteral("environment.dat"));
    }
    QCOMPARE(ReadAll(ws.file(QStringLiteral("kvl820.dat"))), kvl);
    QCOMPARE(ReadAll(ws.file(QStringLiteral("environment.dat"))), QByteArray("\x00", 1));
  }

  // A save replaces only the files whose bytes change; a file changed by
  // anyone else since it was read or written is written again.
  void saveSkipsUnchangedFiles() {
#ifndef Q_OS_UNIX
    QSKIP("file identity is read from the inode");
#else
    TempWorkspace ws;
    const QStringList names{"kvl820.dat",       "environment.dat",           "RuimteImageList.dat",
                            "AppImageList.dat", "CustomRuimteImageList.dat", "CustomAppImageList.dat"};
    const auto inodes = [&] {
      QList<quint64> ids;
      for (const QString& n : names) {
        struct stat st {};
        ids << (::stat(QFile::encodeName(ws.file(n)).constData(), &st) == 0 ? quint64(st.st_ino) : 0);
      }
      return ids;
    };
    TLoadSave* d = TLoadSave::Instance();
    d->AppImageList->Add(Picture(qRgb(1, 2, 3)));
    QVERIFY(d->Save().Ok);
    const QList<quint64> first = inodes();
    QVERIFY(!first.contains(0));
    d->Ruimtes[0].Naam = QStringLiteral("changed");
    QVERIFY(d->Save().Ok);
    QList<quint64> now = inodes();
    QVERIFY(now[0] != first[0]);
    QCOMPARE(now.mid(1), first.mid(1));
    // What was read counts as known too (the main file's blank timer records
    // carry the moment of saving, so it always changes).
    // A first load names the lists after their files: that save may differ.
    TLoadSave::Recreate();
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    now = inodes();
    FileMemory::Clear();
    TLoadSave::Recreate();
    d = TLoadSave::Instance();
    QVERIFY(d->Save().Ok);
    QCOMPARE(inodes().mid(1), now.mid(1));
    // Loading (as dump does) and saving unchanged lists decode no picture.
    for (const TImageList* list : {d->RuimteImageList.get(), d->AppImageList.get(),
                                   d->CustomRuimteImageList.get(), d->CustomAppImageList.get()})
      QCOMPARE(list->DecodedCount(), 0);
    QCOMPARE(d->AppImageList->Count(), 1);
    // Changed behind the program's back: written again, whatever the size.
    const QByteArray app = ReadAll(ws.file(names[3]));
    QByteArray altered = app;
    altered[altered.size() - 1] = char(altered.back() ^ 1);
    WriteAll(ws.file(names[3]), altered);
    {  // as another program an instant earlier: file times are coarser than a test's steps
      QFile f(ws.file(names[3]));
      QVERIFY(f.open(QIODevice::ReadWrite));
      QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-10), QFileDevice::FileModificationTime));
    }
    WriteAll(ws.file(names[1]), QByteArray("x"));
    QVERIFY(d->Save().Ok);
    QCOMPARE(ReadAll(ws.file(names[3])), app);
    QCOMPARE(ReadAll(ws.file(names[1])).size(), 54);
#endif
  }

  void unwritableFolderKeepsOldFiles() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    d->Ruimtes[0].Naam = QStringLiteral("old");
    QVERIFY(d->Save().Ok);
    const QByteArray before = ReadAll(ws.file(QStringLiteral("kvl820.dat")));
    d->Ruimtes[0].Naam = QStringLiteral("new");
    SaveResult r;
    {
      ReadOnlyFolder guard(ws.path());
      if (!guard.Refuses()) QSKIP("this user may write into any folder");
      r = d->Save();
    }
    QVERIFY(!r.Ok);
    QCOMPARE(r.FailedFile, QStringLiteral("kvl820.dat"));
    QVERIFY(!r.Error.isEmpty());
    QCOMPARE(ReadAll(ws.file(QStringLiteral("kvl820.dat"))), before);
    QCOMPARE(QDir(ws.path()).entryList(QDir::Files).size(), 6);  // nothing left aside
  }

  // Deleting a device: its scene items and timer entries go, later devices of
  // the room move up and every reference follows; other rooms are untouched.
  void deleteDevice() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    for (int i = 0; i < 4; ++i) d->Ruimtes[1].Apparaten[i].Naam = QString::number(i);
    d->Ruimtes[1].Apparaten[15] = TApparaat{QStringLiteral("last"), 3, 1, 1, 42, 5};
    SetItems(d->Scenes[0], {{1, 2}, {1, 3}, {0, 2}, {1, 2}});
    SetItems(d->Scenes[15], {{1, 2}});
    for (auto [r, a] : {std::pair{1, 2}, {1, 3}, {0, 3}, {1, 1}, {18, 3}}) Entry(d, r, a);
    d->DeleteDevice(1, 2);
    QCOMPARE(Items(d->Scenes[0]), (QList<QPair<int, int>>{{1, 2}, {0, 2}}));
    QCOMPARE(Items(d->Scenes[15]), (QList<QPair<int, int>>{}));
    QCOMPARE(Targets(d), (QList<QPair<int, int>>{{1, 2}, {0, 3}, {1, 1}, {18, 3}}));
    QCOMPARE(d->Ruimtes[1].Apparaten[2].Naam, QStringLiteral("3"));
    QCOMPARE(d->Ruimtes[1].Apparaten[14].Code, 42);
    const TApparaat& blank = d->Ruimtes[1].Apparaten[15];
    QVERIFY(blank.IsEmpty());
    QCOMPARE(blank.Code, -1);
    QCOMPARE(blank.DimNiveau, 8);
    // Out of range does nothing.
    d->DeleteDevice(1, 16);
    d->DeleteDevice(16, 0);
    d->DeleteDevice(-1, 0);
    QCOMPARE(d->Ruimtes[1].DeviceCount(), 3);
  }

  // Deleting a room: later rooms move up, their scene items and timer entries
  // follow; scene timer entries and free scene slots stay as they are.
  void deleteRoom() {
    TempWorkspace ws;
    TLoadSave* d = TLoadSave::Instance();
    for (int i = 0; i < 3; ++i) d->Ruimtes[i].Naam = QString::number(i);
    d->Ruimtes[15].Naam = QStringLiteral("last");
    d->Ruimtes[15].Apparaten[0].Code = 9;
    SetItems(d->Scenes[3], {{1, 0}, {2, 5}, {1, 4}, {0, 1}, {15, 0}});
    for (auto [r, a] : {std::pair{1, 0}, {2, 5}, {0, 1}, {17, 1}, {31, 1}}) Entry(d, r, a);
    d->DeleteRoom(1);
    QCOMPARE(Items(d->Scenes[3]), (QList<QPair<int, int>>{{1, 5}, {0, 1}, {14, 0}}));
    QCOMPARE(Targets(d), (QList<QPair<int, int>>{{1, 5}, {0, 1}, {17, 1}, {31, 1}}));
    QCOMPARE(d->Ruimtes[1].Naam, QStringLiteral("2"));
    QCOMPARE(d->Ruimtes[14].Apparaten[0].Code, 9);
    QVERIFY(d->Ruimtes[15].IsEmpty());
    QCOMPARE(d->Ruimtes[15].Apparaten[0].Code, -1);
    d->DeleteRoom(16);
    QCOMPARE(d->RoomCount(), 2);
  }

  // A scene item: the later items move up, the scene stays packed.
  void deleteSceneItem() {
    TScene s;
    SetItems(s, {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}});
    TLoadSave::DeleteSceneItem(s, 2);
    QCOMPARE(Items(s), (QList<QPair<int, int>>{{0, 0}, {0, 1}, {0, 3}, {0, 4}}));
    TLoadSave::DeleteSceneItem(s, 4);  // the free slot after the last item
    TLoadSave::DeleteSceneItem(s, -1);
    TLoadSave::DeleteSceneItem(s, 16);
    QCOMPARE(Items(s).size(), 4);
    for (int i = 0; i < ItemsPerScene; ++i) s.Akties[i] = TSceneAktie{1, i, 3};
    TLoadSave::DeleteSceneItem(s, 0);
    QCOMPARE(s.Akties[14].Apparaat, 15);
    QCOMPARE(Items(s).size(), 15);
  }

  void resetToNewIgnoresFiles() {
    TempWorkspace ws;
    WriteAll(ws.file(QStringLiteral("kvl820.dat")), Sample(QStringLiteral("golden_kvl820.dat")));
    WriteAll(ws.file(QStringLiteral("environment.dat")), Sample(QStringLiteral("golden_environment.dat")));
    StoreRawLanguage(2);
    QCOMPARE(TLoadSave::Instance()->RoomCount(), 2);
    TLoadSave::ResetToNew();
    TLoadSave* d = TLoadSave::Instance();
    QCOMPARE(d->Language, 2);
    QCOMPARE(d->RoomCount(), 0);
    QCOMPARE(d->Programma->Count(), 0);
    QCOMPARE(d->Location.City, QStringLiteral("Berlin"));
    QCOMPARE(d->ShowHints, 1);
    StoreRawLanguage(QVariant());
  }
};

QTEST_GUILESS_MAIN(TestLoadSave)
#include "tst_loadsave.moc"
