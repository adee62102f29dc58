#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <cstdlib>

// For start-up benchmarks: installed on the application, ends the process
// (exit code 0, no clean-up) right after the first paint event of any widget.
class TExitAfterFirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, [] { std::_Exit(0); });
    return QObject::eventFilter(watched, event);
  }
};
