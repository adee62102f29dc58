#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "TestSupport.h"
#include "gui/shell/SingleInstance.h"

// Choosing another language on the settings screen and pressing OK saves the
// installation and starts the program anew in that language, and the single
// instance rule lets the new process in while the old one ends.
class TestLanguageRestart : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString log_;
  qint64 restartedPid_ = 0;

  QStringList lines() const {
    QFile f(log_);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  }

 private slots:
  void initTestCase() {
    FailOnUnexpectedWarnings();
    QVERIFY(dir_.isValid());
    log_ = dir_.filePath(QStringLiteral("log.txt"));
  }
  void init() { FailOnUnexpectedWarnings(); }
  void cleanup() {
    if (restartedPid_ > 0) ::kill(pid_t(restartedPid_), SIGKILL);
    const QString name = TSingleInstance(QStringLiteral(KLV_SETTINGS_PROBE)).Name();
    QLocalServer::removeServer(name);
    QFile::remove(QDir::tempPath() + QLatin1Char('/') + name + QStringLiteral(".lock"));
  }

  void restartsInTheNewLanguage() {
    const QString work = dir_.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(work));
    QProcess old;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KLV_PROBE_LOG"), log_);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    old.setProcessEnvironment(env);
    old.setProcessChannelMode(QProcess::ForwardedChannels);
    old.start(QStringLiteral(KLV_SETTINGS_PROBE), {work, QStringLiteral("--switch-to"), QStringLiteral("2")});
    QVERIFY(old.waitForStarted(3000));
    const qint64 oldPid = old.processId();
    QVERIFY(old.waitForFinished(10000));
    QCOMPARE(old.exitStatus(), QProcess::NormalExit);
    QCOMPARE(old.exitCode(), 0);

    // The new process claims the rule and speaks German.
    QVERIFY(QTest::qWaitFor(
        [&] {
          for (const QString& l : lines())
            if (l.section(QLatin1Char(' '), 0, 0).toLongLong() != oldPid)
              restartedPid_ = l.section(' ', 0, 0).toLongLong();
          return restartedPid_ != 0;
        },
        10000));
    const QStringList all = lines();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[0], QStringLiteral("%1 FIRST 1 extra").arg(oldPid));
    QCOMPARE(all[1], QStringLiteral("%1 FIRST 2 Extras").arg(restartedPid_));
    // The installation was saved before the restart.
    QVERIFY(QFile::exists(work + QStringLiteral("/kvl820.dat")));
  }
};

QTEST_GUILESS_MAIN(TestLanguageRestart)
#include "tst_languagerestart.moc"
