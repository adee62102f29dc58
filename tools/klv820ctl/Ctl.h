#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// Shared by every klv820ctl command. Each command lives in its own file and
// registers itself with a static CtlCommand.

// Exit status: 0 success, 1 the operation failed, 2 bad usage or bad input.
enum CtlExit { CtlOk = 0, CtlFailed = 1, CtlUsage = 2 };

struct CtlContext {
  QString folder;  // working folder in use
  bool simulate = false;
  QString stateFile;  // --simulate=STATEFILE, empty for a fresh box
  bool trace = false;
  QStringList args;  // the command's own arguments
  QTextStream& out;  // standard output, UTF-8
  QTextStream& err;  // standard error, UTF-8
};

using CtlCommandFn = int (*)(CtlContext&);

struct CtlCommand {
  CtlCommand(const char* name, const char* usage, CtlCommandFn fn);
};

// Prints one line on standard error and returns `code`.
int CtlFail(CtlContext& ctx, int code, const QString& message);

// Prints each line on standard error as a warning (what a compilation left out).
inline void CtlWarn(CtlContext& ctx, const QStringList& lines) {
  for (const QString& line : lines) ctx.err << "klv820ctl: warning: " << line << "\n";
  ctx.err.flush();
}

// Reads the command's only option, [--language N] (N 0..9), from ctx.args
// into `language` (-1 when not given). Returns CtlOk, or the exit code after
// printing the problem (`usage` for anything else on the line).
int CtlLanguageOption(CtlContext& ctx, const QString& usage, int* language);
