#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/model/PictureServices.h"
#include "core/shell/WorkingFolder.h"
#include "usb/SystemHid.h"

namespace {

struct Entry {
  const char* usage;
  CtlCommandFn fn;
};

std::map<std::string, Entry>& Commands() {
  static std::map<std::string, Entry> commands;
  return commands;
}

const char kUsage[] = "usage: klv820ctl [--folder DIR] [--simulate[=STATEFILE]] [--trace] COMMAND [ARGS]";

// --help: the full list on standard output.
void PrintHelp(QTextStream& out) {
  out << kUsage << "\n"
      << "commands:\n";
  for (const auto& [name, entry] : Commands()) out << "  " << entry.usage << "\n";
  out.flush();
}

// Bad usage gets one line, naming the problem and the usage.
int UsageFailure(CtlContext& ctx, const QString& problem) {
  return CtlFail(ctx, CtlUsage,
                 problem + QStringLiteral("; ") + QLatin1String(kUsage) +
                     QStringLiteral(" (klv820ctl --help lists the commands)"));
}

// `plan --png` draws text, which takes a GUI application; it draws off
// screen, so the tool still needs no display.
bool NeedsGui(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--png") == 0) return true;
  return false;
}

// The folder of this executable before an application object exists: from
// argv[0], looked up on the PATH when it names no folder.
QString ExecutableFolder(const char* argv0) {
  QString path = QFile::decodeName(argv0);
  if (QFileInfo(path).fileName() == path) path = QStandardPaths::findExecutable(path);
  return QFileInfo(path).canonicalPath();
}

}  // namespace

CtlCommand::CtlCommand(const char* name, const char* usage, CtlCommandFn fn) {
  Commands()[name] = Entry{usage, fn};
}

int CtlFail(CtlContext& ctx, int code, const QString& message) {
  ctx.err << "klv820ctl: " << message << "\n";
  ctx.err.flush();
  return code;
}

int main(int argc, char** argv) {
  std::unique_ptr<QCoreApplication> app;
  if (NeedsGui(argc, argv)) {
    // The GUI application comes from the picture part, which the tool links
    // only on demand (core/model/PictureServices.h).
    QString error;
    const TPictureServices* pictures = PictureServices(&error, ExecutableFolder(argv[0]));
    if (!pictures) {
      std::fprintf(stderr, "klv820ctl: %s\n", error.toLocal8Bit().constData());
      return CtlFailed;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The platform's notes (a missing runtime folder, say) are not the
    // tool's output; failures are reported on one line of their own.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false\nqt.*.warning=false"));
    app.reset(pictures->makeGuiApplication(argc, argv));
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }
  QCoreApplication::setOrganizationName(QStringLiteral("Dravik"));
  QCoreApplication::setApplicationName(QStringLiteral("KLV-820"));
  UseSystemHid();

  QTextStream out(stdout);
  QTextStream err(stderr);
  out.setEncoding(QStringConverter::Utf8);
  err.setEncoding(QStringConverter::Utf8);

  CtlContext ctx{QString(), false, QString(), false, {}, out, err};
  QStringList args = app->arguments().mid(1);
  QString command;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QLatin1String("--folder")) {
      if (args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("--folder needs a directory"));
      const QString dir = args.takeFirst();
      if (!QDir(dir).exists()) return CtlFail(ctx, CtlUsage, QStringLiteral("no such folder: %1").arg(dir));
      SetWorkingFolder(dir);
    } else if (a == QLatin1String("--simulate")) {
      ctx.simulate = true;
    } else if (a.startsWith(QLatin1String("--simulate="))) {
      ctx.simulate = true;
      ctx.stateFile = a.mid(11);
      if (ctx.stateFile.isEmpty())
        return CtlFail(ctx, CtlUsage, QStringLiteral("--simulate= needs a file name"));
    } else if (a == QLatin1String("--trace")) {
      ctx.trace = true;
    } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
      PrintHelp(out);
      return CtlOk;
    } else if (a.startsWith(QLatin1Char('-'))) {
      return UsageFailure(ctx, QStringLiteral("unknown option %1").arg(a));
    } else {
      command = a;
      break;
    }
  }
  if (command.isEmpty()) return UsageFailure(ctx, QStringLiteral("no command given"));
  const auto it = Commands().find(command.toStdString());
  if (it == Commands().end()) return UsageFailure(ctx, QStringLiteral("unknown command %1").arg(command));
  ctx.folder = WorkingFolder();
  ctx.args = args;
  const int code = it->second.fn(ctx);
  // A save kept damaged working files aside before replacing them: say what
  // was lost and where the copy is.
  if (const TLoadSave* d = TLoadSave::IfLoaded(); d && !d->KeptCopies.isEmpty()) {
    for (const QString& problem : d->LoadProblems) err << "klv820ctl: warning: " << problem << "\n";
    for (const QString& copy : d->KeptCopies)
      err << "klv820ctl: warning: the damaged file is kept as " << QDir::toNativeSeparators(copy) << "\n";
  }
  out.flush();
  err.flush();
  return code;
}
