#pragma once

#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

// For start-up benchmarks: installed on the application, ends the process
// (exit code 0, no clean-up) right after the first paint event of any widget.
// With KLV820_MEMORY_AFTER_FIRST_PAINT also set, it waits a second for the
// start to settle and first prints the process's memory on standard output
// as the "Rss:", "Pss:" and "Anonymous:" lines of /proc/self/smaps_rollup
// (kB; Linux only, nothing printed elsewhere).
class TExitAfterFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      if (qEnvironmentVariableIsSet("KLV820_MEMORY_AFTER_FIRST_PAINT"))
        QTimer::singleShot(1000, [] {
          QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
          if (rollup.open(QIODevice::ReadOnly))
            for (const QByteArray& line : rollup.readAll().split('\n'))
              if (line.startsWith("Rss:") || line.startsWith("Pss:") || line.startsWith("Anonymous:"))
                std::printf("%s\n", line.constData());
          std::fflush(stdout);
          std::_Exit(0);
        });
      else
        QTimer::singleShot(0, [] { std::_Exit(0); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};
