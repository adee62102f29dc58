// Endings that do not pass the exit button, with a real process: a kill
// signal saves, a SIGKILL leaves the recovery copy that the next start
// offers; damaged working files are told at start-up.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>
#include <csignal>

#include "TestSupport.h"
#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/rooms/HomeTestSupport.h"
#include "gui/shell/SafeEnding.h"
#include "gui/widgets/ImageControl.h"

class TstSafeEnding : public QObject {
  Q_OBJECT

  // Starts the probe on `ws` with room 0 named `name` and waits until its
  // change is in the recovery copy.
  static void StartProbe(QProcess& p, const TempWorkspace& ws, const QString& name) {
    p.start(QStringLiteral(KLV_ENDING_PROBE), {ws.path(), name});
    QVERIFY(p.waitForStarted());
    QVERIFY(p.waitForReadyRead(10000));
    QCOMPARE(p.readAllStandardOutput(), QByteArray("READY\n"));
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() { FailOnUnexpectedWarnings(); }

  void killSignalsSaveTheChanges() {
    for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
      TempWorkspace ws;
      QProcess p;
      StartProbe(p, ws, QStringLiteral("Kitchen"));
      QVERIFY(QFile::exists(Recovery::CopyPath()));
      QVERIFY(!QFile::exists(ws.file(QStringLiteral("kvl820.dat"))));
      ::kill(pid_t(p.processId()), signal);
      QVERIFY(p.waitForFinished(10000));
      QCOMPARE(p.exitStatus(), QProcess::NormalExit);
      QCOMPARE(p.exitCode(), 0);
      QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Kitchen"));
      QCOMPARE(QDir(ws.path()).entryList(QDir::Files).size(), 6);  // nothing left aside
      QVERIFY(!QFile::exists(Recovery::CopyPath()));
    }
  }

  void recoveryCopyIsOfferedAfterAKill() {
    TempWorkspace ws;
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Saved");
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    TLoadSave::Release();
    QProcess p;
    StartProbe(p, ws, QStringLiteral("Unsaved"));
    p.kill();
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Saved"));

    // Closing the question decides nothing; "no" keeps the files and drops
    // the copy.
    MeldUser user;
    user.answers = {-1};
    user.Expect(1);
    RunStartupChecks();
    QCOMPARE(user.seen, QStringList(GetText(MoreTextId::ChangesNotSaved) + QLatin1Char('|') +
                                    GetText(MoreTextId::RestoreThem)));
    QVERIFY(Recovery::CopyPending());
    user.answers = {1};
    user.Expect(1);
    RunStartupChecks();
    QCOMPARE(user.seen.size(), 2);
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Unsaved"));
    QVERIFY(!QFile::exists(Recovery::CopyPath()));
    TLoadSave::Release();
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Unsaved"));  // in the working files

    // A copy older than the working files is not offered.
    Recovery::NoteConfirmedChange();
    Recovery::Flush();
    QVERIFY(QFile::exists(Recovery::CopyPath()));
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    {
      QFile copy(Recovery::CopyPath());
      QVERIFY(copy.open(QIODevice::ReadWrite));
      QVERIFY(copy.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    QVERIFY(!Recovery::CopyPending());
    QVERIFY(!QFile::exists(Recovery::CopyPath()));
  }

  void damagedFileIsToldOnceAndKept() {
    TempWorkspace ws;
    QFile f(ws.file(QStringLiteral("kvl820.dat")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\x32\x40", 2) + QByteArray(900, '\0'));
    f.close();
    MeldUser user;
    QString lost;
    user.whileOpen = [&lost] { lost = frmMeld->Label2()->toolTip(); };
    user.Expect(1);
    RunStartupChecks();
    QCOMPARE(user.seen, QStringList(GetText(MoreTextId::FileDamaged) + QStringLiteral("|kvl820.dat")));
    QVERIFY2(lost.contains(QStringLiteral("room")), qPrintable(lost));
    const QStringList kept = QDir(ws.path()).entryList({QStringLiteral("kvl820.dat.damaged-*")}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(QFileInfo(ws.file(kept[0])).size(), 902);
  }
};

QTEST_MAIN(TstSafeEnding)
#include "tst_safeending.moc"
