#include <QApplication>

#include "gui/shell/BaseForm.h"
#include "gui/shell/SafeEnding.h"
#include "gui/shell/ExitAfterFirstPaint.h"
#include "gui/shell/SingleInstance.h"
#include "usb/SystemHid.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // bench_startup times a start up to the first painted frame.
  TExitAfterFirstPaint firstPaint;
  if (qEnvironmentVariableIsSet("KLV820_EXIT_AFTER_FIRST_PAINT")) app.installEventFilter(&firstPaint);
  QCoreApplication::setOrganizationName(QStringLiteral("Dravik"));
  QCoreApplication::setApplicationName(QStringLiteral("KLV-820"));

  // A second start of the same program file brings the first to the front
  // and ends without showing anything.
  TSingleInstance instance;
  if (!instance.Claim()) return 0;

  // From here a logout or a kill signal saves the changes before ending.
  TSafeEnding ending;
  RunStartupChecks();

  UseSystemHid();
  TMainForm form;
  QObject::connect(&instance, &TSingleInstance::RaiseRequested, &form, &TMainForm::BringToFront);
  form.show();
  return app.exec();
}
