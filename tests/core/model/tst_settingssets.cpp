#include <QDir>
#include <QFile>
#include <QTest>

#include "TestSupport.h"
#include "core/model/LoadSave.h"
#include "core/model/SettingsSets.h"

using SettingsSets::NameProblem;

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The six working files' contents by name.
QMap<QString, QByteArray> WorkingFiles(const TempWorkspace& ws) {
  QMap<QString, QByteArray> files;
  for (const QString& f : SettingsSets::FileNames()) files[f] = Read(ws.file(f));
  return files;
}

}  // namespace

class TestSettingsSets : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }

  void nameRules_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("problem");
    const auto row = [](const char* tag, const QString& name, NameProblem p) {
      QTest::newRow(tag) << name << int(p);
    };
    row("plain", QStringLiteral("Holiday home"), NameProblem::None);
    row("accents", QStringLiteral("Ferienhaus Müller €"), NameProblem::None);
    row("empty", QString(), NameProblem::Empty);
    row("blanks", QStringLiteral("   "), NameProblem::Empty);
    row("dot", QStringLiteral("."), NameProblem::Reserved);
    row("dotdot", QStringLiteral(".."), NameProblem::Reserved);
    row("slash", QStringLiteral("a/b"), NameProblem::BadCharacter);
    row("backslash", QStringLiteral("a\\b"), NameProblem::BadCharacter);
    row("tab", QStringLiteral("a\tb"), NameProblem::BadCharacter);
    row("c1 control", QStringLiteral("a") + QChar(0x85), NameProblem::BadCharacter);
    for (const char* c : {"<", ">", ":", "\"", "|", "?", "*"})
      row(c, QStringLiteral("x%1y").arg(QLatin1String(c)), NameProblem::BadCharacter);
    row("CON", QStringLiteral("CON"), NameProblem::Reserved);
    row("nul.txt", QStringLiteral("nul.txt"), NameProblem::Reserved);
    row("com1", QStringLiteral("com1"), NameProblem::Reserved);
    row("LPT9", QStringLiteral("LPT9"), NameProblem::Reserved);
    row("COM10 is fine", QStringLiteral("COM10"), NameProblem::None);
    row("CONSOLE is fine", QStringLiteral("CONSOLE"), NameProblem::None);
    row("trailing dot", QStringLiteral("home."), NameProblem::TrailingDotOrBlank);
    row("trailing blank", QStringLiteral("home "), NameProblem::TrailingDotOrBlank);
    row("not 1252", QStringLiteral("Łódź"), NameProblem::NotWin1252);
    row("too long", QString(SettingsSets::MaxNameLength + 1, QLatin1Char('a')), NameProblem::TooLong);
  }
  void nameRules() {
    QFETCH(QString, name);
    QFETCH(int, problem);
    QCOMPARE(int(SettingsSets::CheckName(name)), problem);
    if (problem == int(NameProblem::None)) return;
    // A refused name writes nothing and loads nothing.
    TempWorkspace ws;
    QVERIFY(SettingsSets::EnsureFolder());
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    const SettingsSets::Result stored = SettingsSets::SaveAndStore(name);
    QCOMPARE(stored.What, SettingsSets::Result::BadName);
    QCOMPARE(SettingsSets::Load(name).What, SettingsSets::Result::BadName);
    QCOMPARE(QDir(SettingsSets::Folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList());
  }

  void storeListAndLoad() {
    TempWorkspace ws;
    QVERIFY(SettingsSets::EnsureFolder());
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Kitchen");
    QVERIFY(SettingsSets::SaveAndStore(QStringLiteral("Holiday home")).ok());
    // A plain file in the folder is no set.
    QFile stray(SettingsSets::Folder() + QStringLiteral("/notes.txt"));
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    QCOMPARE(SettingsSets::List(), QStringList{QStringLiteral("Holiday home")});

    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Garage");
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    QVERIFY(SettingsSets::Load(QStringLiteral("Holiday home")).ok());
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Kitchen"));  // recreated from the set
    QCOMPARE(WorkingFiles(ws)[QStringLiteral("kvl820.dat")],
             Read(SettingsSets::SetFolder(QStringLiteral("Holiday home")) + QStringLiteral("/kvl820.dat")));
    // No staging folder is left behind.
    QCOMPARE(QDir(ws.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("config")});

    // An override of the environment goes into the set only.
    DataFiles::EnvironmentData env{1, 0, TLoadSave::Instance()->Location};
    QVERIFY(SettingsSets::SaveAndStore(QStringLiteral("Edited"), env).ok());
    QCOMPARE(Read(SettingsSets::SetFolder(QStringLiteral("Edited")) + QStringLiteral("/environment.dat")),
             DataFiles::WriteEnvironment(env));
    QVERIFY(WorkingFiles(ws)[QStringLiteral("environment.dat")] != DataFiles::WriteEnvironment(env));
  }

  void refusedLoadsChangeNothing() {
    TempWorkspace ws;
    QVERIFY(SettingsSets::EnsureFolder());
    QVERIFY(SettingsSets::SaveAndStore(QStringLiteral("full")).ok());
    QVERIFY(SettingsSets::SaveAndStore(QStringLiteral("partial")).ok());
    QVERIFY(QFile::remove(SettingsSets::SetFolder(QStringLiteral("partial")) +
                          QStringLiteral("/AppImageList.dat")));
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Changed");
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    const auto before = WorkingFiles(ws);

    SettingsSets::Result r = SettingsSets::Load(QStringLiteral("partial"));
    QCOMPARE(r.What, SettingsSets::Result::MissingFile);
    QCOMPARE(r.File, QStringLiteral("AppImageList.dat"));
    QVERIFY(r.Describe(QStringLiteral("partial")).contains(QStringLiteral("AppImageList.dat")));

    QCOMPARE(SettingsSets::Load(QStringLiteral("nowhere")).What, SettingsSets::Result::NoSuchSet);

    // A replacement that fails half-way (the last file's place is taken by a
    // folder) puts back the files replaced before it.
    QVERIFY(QFile::remove(ws.file(QStringLiteral("environment.dat"))));
    QVERIFY(QDir().mkpath(ws.file(QStringLiteral("environment.dat")) + QStringLiteral("/blocker")));
    r = SettingsSets::Load(QStringLiteral("full"));
    QCOMPARE(r.What, SettingsSets::Result::CopyFailed);
    QCOMPARE(r.File, QStringLiteral("environment.dat"));
    const auto after = WorkingFiles(ws);
    for (const QString& f : SettingsSets::FileNames())
      if (f != QLatin1String("environment.dat")) QCOMPARE(after[f], before[f]);
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Changed"));
  }

  void failedSaveStoresNothing() {
    TempWorkspace ws;
    QVERIFY(SettingsSets::EnsureFolder());
    // A working file that cannot be replaced: its name is taken by a folder.
    QVERIFY(QDir().mkpath(ws.file(QStringLiteral("kvl820.dat")) + QStringLiteral("/x")));
    const SettingsSets::Result r = SettingsSets::SaveAndStore(QStringLiteral("Holiday home"));
    QCOMPARE(r.What, SettingsSets::Result::SaveFailed);
    QCOMPARE(r.File, QStringLiteral("kvl820.dat"));
    QVERIFY(!QFileInfo::exists(SettingsSets::SetFolder(QStringLiteral("Holiday home"))));
  }
};

QTEST_GUILESS_MAIN(TestSettingsSets)
#include "tst_settingssets.moc"
