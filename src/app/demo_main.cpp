// klv820-demo: the desktop program with a simulated box plugged in, for trying
// every box action without hardware. The working files (and the language
// setting) live in a scratch folder: a fresh temporary one that is removed at
// the end, or the folder given as the only argument, which keeps them and the
// simulated box's memory ("simulated-box.json") from one run to the next.
// A restart (language change) starts the demo again on the same folder and
// box; a temporary folder is handed over with "--scratch FOLDER" and removed
// by the run that ends last.
// With --trace every report to and from the box is printed on standard error,
// in klv820ctl --trace's format.

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "core/device/MyDevFunctions.h"
#include "core/device/ReportTrace.h"
#include "core/device/SimulatedBox.h"
#include "core/shell/WorkingFolder.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/SafeEnding.h"
#include "gui/shell/SingleInstance.h"

int main(int argc, char* argv[]) {
  // As the program: fills on this thread (see main.cpp).
  if (qEnvironmentVariableIsEmpty("QT_NO_GUI_THREADPOOL")) qputenv("QT_NO_GUI_THREADPOOL", "1");
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Dravik"));
  QCoreApplication::setApplicationName(QStringLiteral("KLV-820"));

  QStringList args = app.arguments().mid(1);
  const bool trace = args.removeAll(QStringLiteral("--trace")) > 0;
  const bool handedOver = args.size() == 2 && args[0] == QLatin1String("--scratch");
  if (handedOver) args.removeFirst();
  if (args.size() > 1 || (args.size() == 1 && args[0].startsWith(QLatin1Char('-')))) {
    std::fprintf(stderr, "usage: klv820-demo [--trace] [working-folder]\n");
    return args.size() == 1 && (args[0] == QLatin1String("-h") || args[0] == QLatin1String("--help")) ? 0 : 2;
  }

  std::unique_ptr<QTemporaryDir> scratch;
  QString folder;
  if (args.isEmpty()) {
    scratch = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/klv820-demo-XXXXXX"));
    if (!scratch->isValid()) {
      std::fprintf(stderr, "klv820-demo: cannot create a scratch folder: %s\n",
                   qPrintable(scratch->errorString()));
      return 1;
    }
    folder = scratch->path();
  } else {
    folder = QFileInfo(args[0]).absoluteFilePath();
    if (!QDir().mkpath(folder)) {
      std::fprintf(stderr, "klv820-demo: cannot create %s\n", qPrintable(folder));
      return 1;
    }
  }
  // The language setting stays in the scratch folder too.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + QStringLiteral("/config")));
  SetWorkingFolder(folder);
  std::fprintf(stderr, "klv820-demo: working folder %s\n", qPrintable(folder));

  auto box = std::make_shared<SimulatedBox>();
  const QString boxState = folder + QStringLiteral("/simulated-box.json");
  const bool temporary = scratch || handedOver;
  if (!scratch && QFileInfo::exists(boxState)) {
    QString error;
    if (!box->LoadState(boxState, &error))
      std::fprintf(stderr, "klv820-demo: %s not loaded: %s\n", qPrintable(boxState), qPrintable(error));
  }
  SetBoxTransportFactory([box] {
    auto transport = std::make_unique<SimulatedHidTransport>();
    transport->AddBox(box);
    return std::unique_ptr<HidTransport>(std::move(transport));
  });

  if (trace) {
    // Every report on standard error as klv820ctl --trace prints it.
    BoxLinkHooks hooks = GetBoxLinkHooks();
    hooks.Trace = [](bool written, const uint8_t* report) {
      std::fprintf(stderr, "%s\n", qPrintable(ReportTraceLine(written, report)));
      std::fflush(stderr);
    };
    SetBoxLinkHooks(hooks);
  }

  TSingleInstance instance;
  if (!instance.Claim()) {
    std::fprintf(stderr, "klv820-demo: already running; its window was asked to come to the front\n");
    return 0;
  }
  // As the program: a logout or a kill signal saves the changes (and then the
  // box's state below), and a copy left by an ending that did not save is offered.
  TSafeEnding ending;
  RunStartupChecks();

  bool restarted = false;
  RestartArguments = temporary ? QStringList{QStringLiteral("--scratch"), folder} : QStringList{folder};
  if (trace) RestartArguments.prepend(QStringLiteral("--trace"));
  RestartPreparation = [&] {
    // The new process reads the box and the folder as this one leaves them.
    restarted = true;
    if (scratch) scratch->setAutoRemove(false);
    QString error;
    if (!box->SaveState(boxState, &error))
      std::fprintf(stderr, "klv820-demo: %s not saved: %s\n", qPrintable(boxState), qPrintable(error));
  };

  int rc = 0;
  {
    TMainForm form;
    QObject::connect(&instance, &TSingleInstance::RaiseRequested, &form, &TMainForm::BringToFront);
    form.show();
    rc = app.exec();
  }
  ReleaseBoxLink();
  if (restarted) return rc;
  if (handedOver) {
    QDir(folder).removeRecursively();
  } else if (!scratch) {
    QString error;
    if (!box->SaveState(boxState, &error))
      std::fprintf(stderr, "klv820-demo: %s not saved: %s\n", qPrintable(boxState), qPrintable(error));
  }
  return rc;
}
