#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <memory>

#include "TestSupport.h"
#include "gui/shell/SingleInstance.h"

// Real processes of klv_instance_probe claim the rule for their own program
// file and write what happened to a log file (see instance_probe.cpp).
class TestSingleInstance : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString log_;
  QString probe_;
  std::vector<std::unique_ptr<QProcess>> started_;
  QList<qint64> detached_;
  QString copy_;  // a copy of the probe elsewhere, while a test uses one

  // Lines of the log for `pid`, or all lines when pid is 0.
  QStringList lines(qint64 pid = 0) const {
    QFile f(log_);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    QStringList out;
    for (const QByteArray& l : f.readAll().split('\n')) {
      const QString s = QString::fromLatin1(l).trimmed();
      if (s.isEmpty()) continue;
      if (pid == 0 || s.section(QLatin1Char(' '), 0, 0).toLongLong() == pid) out << s;
    }
    return out;
  }
  bool logged(qint64 pid, const char* what) const {
    return lines(pid).contains(QString::number(pid) + QLatin1Char(' ') + QLatin1String(what));
  }

  QProcess* start(const QString& program, const QStringList& args = {}) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KLV_PROBE_LOG"), log_);
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::ForwardedChannels);
    p->start(program, args);
    if (!p->waitForStarted(3000)) return nullptr;
    p->setProperty("pid", p->processId());  // processId() is 0 once it has ended
    started_.push_back(std::move(p));
    return started_.back().get();
  }

  static qint64 pid(const QProcess* p) { return p->property("pid").toLongLong(); }

  // Starts a probe and waits until it has claimed the rule.
  QProcess* startFirst(const QString& program, const QStringList& args = {}) {
    QProcess* p = start(program, args);
    if (!p) return nullptr;
    if (!QTest::qWaitFor([&] { return logged(pid(p), "FIRST"); }, 5000)) return nullptr;
    return p;
  }

 private slots:
  void initTestCase() {
    FailOnUnexpectedWarnings();
    QVERIFY(dir_.isValid());
    probe_ = QStringLiteral(KLV_INSTANCE_PROBE);
    QVERIFY(QFile::exists(probe_));
  }

  void init() {
    FailOnUnexpectedWarnings();
    log_ = dir_.filePath(QStringLiteral("log-%1.txt").arg(QTest::currentTestFunction()));
    QFile::remove(log_);
  }

  void cleanup() {
    for (auto& p : started_) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(3000);
      }
    }
    started_.clear();
    for (qint64 pid : detached_) ::kill(pid_t(pid), SIGKILL);
    detached_.clear();
    for (const QString& path : {probe_, copy_}) removeLeftovers(path);
  }

  // Killed probes leave their socket and lock file in the temp folder.
  static void removeLeftovers(const QString& programPath) {
    if (programPath.isEmpty()) return;
    const QString name = TSingleInstance(programPath).Name();
    QLocalServer::removeServer(name);
    QFile::remove(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral(".lock"));
  }

  void serverName() {
    QCOMPARE(TSingleInstance::ServerName(QStringLiteral("/opt/My Programs/klv820")),
             QStringLiteral("optMyProgramsklv820"));
    QCOMPARE(TSingleInstance::ServerName(QStringLiteral("C:\\Program Files\\KLV 820\\klv820.exe")),
             QStringLiteral("C:ProgramFilesKLV820klv820.exe"));
  }

  void secondStartRaisesFirst() {
    QProcess* first = startFirst(probe_);
    QVERIFY(first);
    QElapsedTimer clock;
    clock.start();
    QProcess* second = start(probe_);
    QVERIFY(second);
    QVERIFY(second->waitForFinished(5000));
    QVERIFY(clock.elapsed() < 4000);
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(logged(pid(second), "SECOND"));
    QTRY_VERIFY_WITH_TIMEOUT(logged(pid(first), "RAISE"), 3000);
    QCOMPARE(first->state(), QProcess::Running);
  }

  void copyElsewhereRunsOnItsOwn() {
    QTemporaryDir other;
    const QString copy = other.filePath(QStringLiteral("klv_instance_probe"));
    QVERIFY(QFile::copy(probe_, copy));
    QVERIFY(QFile::setPermissions(copy, QFile::permissions(probe_)));
    copy_ = copy;
    QProcess* first = startFirst(probe_);
    QVERIFY(first);
    QProcess* elsewhere = startFirst(copy);
    QVERIFY2(elsewhere, qPrintable(lines().join(QLatin1Char('|'))));
    QCOMPARE(elsewhere->state(), QProcess::Running);
    QVERIFY(!logged(pid(first), "RAISE"));
    cleanup();
    copy_.clear();
  }

  void simultaneousStartsLeaveOne() {
    QList<QProcess*> probes;
    for (int i = 0; i < 4; ++i) {
      QProcess* p = start(probe_);
      QVERIFY(p);
      probes << p;
    }
    QTRY_COMPARE_WITH_TIMEOUT(lines().size(), 4 + 3, 8000);  // 1 FIRST, 3 SECOND, 3 RAISE
    int firsts = 0, seconds = 0;
    for (QProcess* p : probes) {
      firsts += logged(pid(p), "FIRST");
      seconds += logged(pid(p), "SECOND");
    }
    QCOMPARE(firsts, 1);
    QCOMPARE(seconds, 3);
  }

  void crashedHolderIsReplaced() {
    QProcess* first = startFirst(probe_);
    QVERIFY(first);
    first->kill();  // no chance to remove its socket or lock
    QVERIFY(first->waitForFinished(3000));
    QProcess* next = startFirst(probe_);
    QVERIFY2(next, qPrintable(lines().join(QLatin1Char('|'))));
    // And it is reachable: a further start is refused and raises it.
    QProcess* third = start(probe_);
    QVERIFY(third && third->waitForFinished(5000));
    QCOMPARE(third->exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(logged(pid(next), "RAISE"), 3000);
  }

  void restartHandsOverTheClaim() {
    QProcess* old = startFirst(probe_, {QStringLiteral("--restart"), QStringLiteral("200")});
    QVERIFY(old);
    const qint64 oldPid = pid(old);
    QVERIFY(QTest::qWaitFor([&] { return logged(oldPid, "RESTARTED"); }, 5000));
    // The relaunched probe claims while the old one is still ending.
    qint64 newPid = 0;
    QVERIFY(QTest::qWaitFor(
        [&] {
          for (const QString& l : lines())
            if (l.endsWith(QLatin1String(" FIRST")) &&
                l.section(QLatin1Char(' '), 0, 0).toLongLong() != oldPid)
              newPid = l.section(QLatin1Char(' '), 0, 0).toLongLong();
          return newPid != 0;
        },
        5000));
    detached_ << newPid;
    QCOMPARE(old->state(), QProcess::Running);
    {
      QFile f(log_);
      QVERIFY(f.open(QIODevice::Append | QIODevice::Text));
      f.write("END-OLD\n");
    }
    QVERIFY(old->waitForFinished(5000));
    QCOMPARE(old->exitCode(), 0);

    // The new instance now answers later starts.
    QProcess* again = start(probe_);
    QVERIFY(again && again->waitForFinished(5000));
    QVERIFY(logged(pid(again), "SECOND"));
    QTRY_VERIFY_WITH_TIMEOUT(logged(newPid, "RAISE"), 3000);
  }

  void releaseLetsAnotherClaim() {
    // In-process: the same path claimed twice; the second only after release.
    const QString path = dir_.filePath(QStringLiteral("prog with blanks"));
    TSingleInstance a(path), b(path);
    QVERIFY(a.Claim(500));
    QCOMPARE(TSingleInstance::Current(), &a);
    QSignalSpy raised(&a, &TSingleInstance::RaiseRequested);
    // b would block this thread while a must answer; run a's side meanwhile
    // through a separate connection instead.
    QLocalSocket s;
    s.connectToServer(a.Name());
    QVERIFY(s.waitForConnected(1000));
    s.write("raise\n");
    QTRY_COMPARE(raised.count(), 1);
    QTRY_VERIFY(s.bytesAvailable() > 0 || s.waitForReadyRead(100));
    QCOMPARE(s.readAll(), QByteArray("ok\n"));
    a.Release();
    QVERIFY(!a.IsClaimed());
    QVERIFY(b.Claim(500));
    QCOMPARE(TSingleInstance::Current(), &b);
  }

  void listeningCanFollowTheClaim() {
    const QString path = dir_.filePath(QStringLiteral("prog"));
    removeLeftovers(path);
    TSingleInstance a(path), b(path);
    QVERIFY(a.Claim(500, false));
    // Held, though nobody answers yet: a second claim is refused.
    QVERIFY(!b.Claim(200));
    QLocalSocket early;
    early.connectToServer(a.Name());
    QVERIFY(!early.waitForConnected(200));
    QVERIFY(a.Listen());
    QVERIFY(a.Listen());  // once per claim
    QSignalSpy raised(&a, &TSingleInstance::RaiseRequested);
    QLocalSocket s;
    s.connectToServer(a.Name());
    QVERIFY(s.waitForConnected(1000));
    s.write("raise\n");
    QTRY_COMPARE(raised.count(), 1);
    a.Release();
    QVERIFY(!a.Listen());  // nothing to answer for without the claim
  }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
