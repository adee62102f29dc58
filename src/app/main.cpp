#include <QApplication>
#include <QEvent>
#include <QTimer>

#include "gui/shell/BaseForm.h"
#include "gui/shell/ExitAfterFirstPaint.h"
#include "gui/shell/SafeEnding.h"
#include "gui/shell/SingleInstance.h"
#include "usb/SystemHid.h"

namespace {

// Makes `instance` listen after the first paint of `window`, or after a
// second should the window not be painted by then (started hidden).
class TListenAfterFirstPaint : public QObject {
 public:
  TListenAfterFirstPaint(QWidget* window, TSingleInstance* instance) : instance_(instance) {
    window->installEventFilter(this);
    QTimer::singleShot(1000, this, [this] { instance_->Listen(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // After the frame is out, not inside its paint.
      QTimer::singleShot(0, this, [this] { instance_->Listen(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  TSingleInstance* instance_;
};

}  // namespace

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
  // The claim is made now; later starts are answered once the window has been
  // painted (they retry meanwhile), so the start does not wait on the socket.
  if (!instance.Claim(3000, false)) return 0;

  // From here a logout or a kill signal saves the changes before ending.
  TSafeEnding ending;
  RunStartupChecks();

  UseSystemHid();
  TMainForm form;
  QObject::connect(&instance, &TSingleInstance::RaiseRequested, &form, &TMainForm::BringToFront);
  TListenAfterFirstPaint listen(&form, &instance);
  form.show();
  return app.exec();
}
