#include <QApplication>

#include "gui/shell/AfterFirstPaint.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/ExitAfterFirstPaint.h"
#include "gui/shell/SafeEnding.h"
#include "gui/shell/SingleInstance.h"
#include "usb/SystemHid.h"

int main(int argc, char* argv[]) {
  // Fills and picture conversions on this thread: for this window's small
  // shapes, handing slices to Qt's GUI thread pool costs more than it saves
  // (Qt versions that know the switch; see SerialFills_linux.cpp for 6.4).
  if (qEnvironmentVariableIsEmpty("QT_NO_GUI_THREADPOOL")) qputenv("QT_NO_GUI_THREADPOOL", "1");
  QApplication app(argc, argv);
  // bench_startup times a start up to the first painted frame.
  TExitAfterFirstPaint firstPaint;
  if (qEnvironmentVariableIsSet("KLV820_EXIT_AFTER_FIRST_PAINT")) app.installEventFilter(&firstPaint);
  QCoreApplication::setOrganizationName(QStringLiteral("Dravik"));
  QCoreApplication::setApplicationName(QStringLiteral("KLV-820"));

  // A second start of the same program file brings the first to the front
  // and ends without showing anything.
  TSingleInstance instance;
  // The claim is made now; later starts are answered once the window has been
  // painted (they retry meanwhile), so the start does not wait on the socket.
  if (!instance.Claim(3000, false)) return 0;

  // From here a logout or a kill signal saves the changes before ending.
  TSafeEnding ending;
  RunStartupChecks();

  UseSystemHid();
  TMainForm form;
  QObject::connect(&instance, &TSingleInstance::RaiseRequested, &form, &TMainForm::BringToFront);
  // A window started hidden is not painted: a second later it listens anyway.
  AfterFirstPaint(
      &form, [&instance] { instance.Listen(); }, 1000);
  form.show();
  return app.exec();
}
