// Starts as the program does on the working folder given as its first
// argument, names room 0 after its second argument as a confirmed change,
// waits for its recovery copy and prints "READY". It then runs until a signal
// ends it (or 20 s pass, when it ends without saving).
#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

#include "core/model/LoadSave.h"
#include "core/model/Recovery.h"
#include "core/shell/WorkingFolder.h"
#include "gui/shell/SafeEnding.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc < 3) return 2;
  SetWorkingFolder(QString::fromLocal8Bit(argv[1]));
  TSafeEnding ending;
  TLoadSave::Instance()->Ruimtes[0].Naam = QString::fromLocal8Bit(argv[2]);
  Recovery::NoteConfirmedChange();
  Recovery::Flush();
  std::fputs("READY\n", stdout);
  std::fflush(stdout);
  QTimer::singleShot(20000, &app, [] { std::_Exit(3); });
  return app.exec();
}
