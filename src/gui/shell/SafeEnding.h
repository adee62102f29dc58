#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Saves the working files when the program is ended from outside: the
// desktop session ending (commitDataRequest) and SIGTERM, SIGHUP, SIGINT.
// A signal handler only writes a byte into a socket pair; the save runs in
// the event loop, then the program quits. One instance at a time.
class TSafeEnding : public QObject {
  Q_OBJECT
 public:
  explicit TSafeEnding(QObject* parent = nullptr);
  ~TSafeEnding() override;

  // The normal save of the six working files; when it succeeded the recovery
  // copy goes too. Returns whether it succeeded.
  static bool SaveNow();

 private:
  void SignalArrived();
  QSocketNotifier* notifier_ = nullptr;
};

// Start-up questions, before the main window shows: offers a recovery copy
// left by an ending that did not save ("no" removes it), then names each
// working file that loaded with problems, with what was lost, once its
// damaged copy is kept.
void RunStartupChecks(QWidget* parent = nullptr);
