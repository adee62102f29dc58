// Claims the single-instance rule for its own program file and reports to
// the log file named by KLV_PROBE_LOG, one line per event:
//   "<pid> FIRST" / "<pid> SECOND"  outcome of the claim
//   "<pid> RAISE"                   a later start asked for the front
//   "<pid> RESTARTED" / "<pid> RESTART-FAILED"
// With "--restart <ms>" the first instance calls RestartProgram after <ms>
// and then lingers, as a slow shutdown would, until the log holds a line
// "END-OLD" (the test has seen both running; at most 5 s).
// A first instance ends by itself after 20 s so that none is left behind.
#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <QTimer>

#include "gui/shell/SingleInstance.h"

namespace {

void Log(const char* what) {
  QFile f(QString::fromLocal8Bit(qgetenv("KLV_PROBE_LOG")));
  if (!f.open(QIODevice::Append | QIODevice::Text)) return;
  f.write(QByteArray::number(QCoreApplication::applicationPid()) + ' ' + what + '\n');
}

// The test has written "END-OLD" into the log.
bool MayEnd() {
  QFile f(QString::fromLocal8Bit(qgetenv("KLV_PROBE_LOG")));
  return f.open(QIODevice::ReadOnly | QIODevice::Text) && f.readAll().contains("END-OLD");
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  const int restartAt = args.indexOf(QStringLiteral("--restart"));

  TSingleInstance instance;
  if (!instance.Claim()) {
    Log("SECOND");
    return 0;
  }
  Log("FIRST");
  QObject::connect(&instance, &TSingleInstance::RaiseRequested, [] { Log("RAISE"); });

  if (restartAt >= 0 && restartAt + 1 < args.size()) {
    QTimer::singleShot(args.at(restartAt + 1).toInt(), [] {
      if (RestartProgram()) {
        Log("RESTARTED");
        for (int waited = 0; waited < 5000 && !MayEnd(); waited += 10) QThread::msleep(10);
      } else {
        Log("RESTART-FAILED");
      }
    });
  }
  QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(0); });
  return app.exec();
}
