// The desktop program's language change in a real process, for
// tst_languagerestart. Started with a working folder; the settings store
// follows XDG_CONFIG_HOME. Writes one line per event to KLV_PROBE_LOG:
//   "<pid> FIRST <language> <caption of the extra button>"  claimed the rule
//   "<pid> SECOND"                                           refused by it
// With "--switch-to N" it opens the settings screen, chooses language N and
// presses OK, which saves and restarts the program (with the folder only).
// Every instance ends by itself after 20 s.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "core/shell/WorkingFolder.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/settings/ExtraHandler.h"
#include "gui/shell/SingleInstance.h"
#include "gui/widgets/GradBtn.h"
#include "ui_ExtraInterface.h"

namespace {

void Log(const QString& what) {
  QFile f(QString::fromLocal8Bit(qgetenv("KLV_PROBE_LOG")));
  if (!f.open(QIODevice::Append | QIODevice::Text)) return;
  f.write(QByteArray::number(QCoreApplication::applicationPid()) + ' ' + what.toUtf8() + '\n');
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCoreApplication::setOrganizationName(QStringLiteral("Dravik"));
  QCoreApplication::setApplicationName(QStringLiteral("KLV-820"));
  const QStringList args = app.arguments();
  if (args.size() < 2) return 2;
  SetWorkingFolder(args[1]);
  const int switchAt = args.indexOf(QStringLiteral("--switch-to"));

  TSingleInstance instance;
  if (!instance.Claim()) {
    Log(QStringLiteral("SECOND"));
    return 0;
  }
  RestartArguments = {args[1]};

  QWidget window;
  window.resize(800, 600);
  auto* main = new QWidget(&window);
  main->setGeometry(24, 84, 598, 504);
  auto* buttons = new QWidget(&window);
  buttons->setGeometry(632, 84, 150, 500);
  TRuimteUIHandler home(main, buttons);
  AttachSettingsScreen(&home, main, buttons);
  home.Show();
  Log(QStringLiteral("FIRST %1 %2")
          .arg(TLoadSave::Instance()->Language)
          .arg(home.Buttons()->ButExtra->text()));

  if (switchAt >= 0 && switchAt + 1 < args.size()) {
    const int language = args.at(switchAt + 1).toInt();
    QTimer::singleShot(0, [&home, language] {
      home.Buttons()->ButExtra->click();
      auto* extra = home.findChild<TExtraHandler*>();
      extra->PauseMs = 0;
      extra->ui()->cmbxTaal->setCurrentIndex(language);
      extra->Buttons()->ButOK->click();
    });
  }
  QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(0); });
  return app.exec();
}
