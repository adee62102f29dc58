// The desktop program's main window over the system's HID layer, offscreen,
// for the real-kernel run: it reports every change of the box link on
// standard output ("link: ready", "link: no box", ...) and answers each
// message dialog with its first button, printing its lines ("message: ..."),
// as a user would. Ends on SIGTERM or after 10 minutes.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "core/device/MyDevFunctions.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "usb/SystemHid.h"

namespace {

const char* StateName(BoxLinkState s) {
  switch (s) {
    case BoxLinkState::NoBox:
      return "no box";
    case BoxLinkState::NoPermission:
      return "no permission";
    case BoxLinkState::OpenFailed:
      return "open failed";
    case BoxLinkState::UpdateNeeded:
      return "update needed";
    case BoxLinkState::Ready:
      return "ready";
  }
  return "?";
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Dravik"));
  QCoreApplication::setApplicationName(QStringLiteral("KLV-820"));
  UseSystemHid();

  // Polled: the link changes inside nested event loops (message dialogs) too,
  // the first time while the window is being built.
  QString last;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &poll, [&] {
    const QString now = QString::fromLatin1(StateName(LinkState)) +
                        (BoxConnected ? QStringLiteral(", connected") : QString());
    if (now != last) {
      std::printf("link: %s\n", qPrintable(now));
      std::fflush(stdout);
      last = now;
    }
    if (frmMeld && frmMeld->isVisible()) {
      std::printf("message: %s | %s\n", qPrintable(frmMeld->Label1()->text()),
                  qPrintable(frmMeld->Label2()->text()));
      std::fflush(stdout);
      frmMeld->btn1()->click();
    }
  });
  poll.start(50);
  TMainForm form;
  form.show();
  QTimer::singleShot(10 * 60 * 1000, &app, &QCoreApplication::quit);
  return app.exec();
}
