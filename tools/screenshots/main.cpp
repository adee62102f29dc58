// klv820-screenshots: writes PNG pictures of every screen and presentation
// component, in one interface language, to a folder, for looking at them
// (texts that must fit, looks of states) without clicking through the program.
//
//   klv820-screenshots [--language N] FOLDER
//
// N is 0 Dutch .. 9 Turkish (default 1, English). Without a display the
// offscreen platform is used. The installation is a sample in a scratch
// working folder; nothing of the user's is read or written.

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "Shots.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "core/shell/WorkingFolder.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/widgets/ImageControl.h"

void TShots::Save(const QImage& image, const QString& name) {
  const QString file = folder_ + QLatin1Char('/') + name + QStringLiteral(".png");
  if (image.isNull() || !image.save(file)) {
    std::fprintf(stderr, "klv820-screenshots: %s not written\n", qPrintable(file));
    ++failures_;
    return;
  }
  written_ << file;
}

void TShots::Save(QWidget* widget, const QString& name) { Save(widget->grab().toImage(), name); }

void UseSimulatedBox() {
  auto box = std::make_shared<SimulatedBox>();
  SetBoxTransportFactory([box] {
    auto transport = std::make_unique<SimulatedHidTransport>();
    transport->AddBox(box);
    return std::unique_ptr<HidTransport>(std::move(transport));
  });
}

TRuimteUIHandler* ShowHome(TMainForm& form) {
  form.show();
  QApplication::processEvents();
  return form.findChild<TRuimteUIHandler*>();
}

namespace {

int Usage(int rc) {
  std::fprintf(rc ? stderr : stdout, "usage: klv820-screenshots [--language N] FOLDER\n");
  return rc;
}

// Platform notes (offscreen windows cannot be rounded, a session without a
// runtime folder) say nothing about the pictures.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (text.startsWith(QLatin1String("This plugin does not support")) ||
      text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
    return;
  if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);

  QStringList args = app.arguments().mid(1);
  if (args.contains(QLatin1String("-h")) || args.contains(QLatin1String("--help"))) return Usage(0);
  int language = 1;
  if (const qsizetype at = args.indexOf(QLatin1String("--language")); at >= 0) {
    bool ok = false;
    language = at + 1 < args.size() ? args[at + 1].toInt(&ok) : -1;
    if (!ok || language < 0 || language >= LanguageCount) return Usage(2);
    args.remove(at, 2);
  }
  if (args.size() != 1 || args[0].startsWith(QLatin1Char('-'))) return Usage(2);
  const QString folder = QDir(args[0]).absolutePath();
  if (!QDir().mkpath(folder)) {
    std::fprintf(stderr, "klv820-screenshots: cannot create %s\n", qPrintable(folder));
    return 1;
  }

  // A scratch working folder and settings store.
  QTemporaryDir scratch;
  if (!scratch.isValid()) {
    std::fprintf(stderr, "klv820-screenshots: no scratch folder: %s\n", qPrintable(scratch.errorString()));
    return 1;
  }
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
  SetWorkingFolder(scratch.path());
  TLoadSave::Instance()->Language = language;

  TShots shots(folder);
  ShootComponents(shots);
  ShootScreens(shots);
  ShootScenes(shots);
  ShootMessages(shots);
  ShootSettingsAndTimers(shots);
  TLoadSave::Release();

  for (const QString& f : shots.Written()) std::printf("%s\n", qPrintable(f));
  return shots.Failures() ? 1 : 0;
}
