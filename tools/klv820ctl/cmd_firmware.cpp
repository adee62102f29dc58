// hex FILE --out BIN   parse an Intel HEX firmware file as the update does, write the application area
// flash [FILE]         run the firmware update with the embedded image or FILE

#include <unistd.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QThread>
#include <cstdio>

#include "BoxSession.h"
#include "Ctl.h"
#include "core/device/FirmwareImage.h"
#include "core/device/FirmwareUpdater.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"

namespace {

QString ImageMessage(const TFirmwareImage& image) {
  const auto id = image.Message();
  return id ? GetText(*id, TLoadSave::ReadLanguage()) : QString();
}

int HexCommand(CtlContext& ctx) {
  const QString usage = QStringLiteral("usage: hex FILE --out BIN");
  QString file, out;
  QStringList args = ctx.args;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QLatin1String("--out")) {
      if (args.isEmpty() || !out.isEmpty()) return CtlFail(ctx, CtlUsage, usage);
      out = args.takeFirst();
    } else if (a.startsWith(QLatin1String("--out="))) {
      if (!out.isEmpty()) return CtlFail(ctx, CtlUsage, usage);
      out = a.mid(6);
    } else if (a.startsWith(QLatin1String("--")) || !file.isEmpty()) {
      return CtlFail(ctx, CtlUsage, usage);
    } else {
      file = a;
    }
  }
  if (file.isEmpty() || out.isEmpty()) return CtlFail(ctx, CtlUsage, usage);

  TFirmwareImage image;
  QString error;
  if (!ReadHexFile(file, &image, &error)) return CtlFail(ctx, CtlUsage, error);

  QSaveFile bin(out);
  if (!bin.open(QIODevice::WriteOnly) ||
      bin.write(reinterpret_cast<const char*>(image.Bytes.data()), FlashLimit) != FlashLimit ||
      !bin.commit()) {
    return CtlFail(ctx, CtlFailed, QStringLiteral("cannot write %1: %2").arg(out, bin.errorString()));
  }
  if (!image.Ok()) return CtlFail(ctx, CtlFailed, ImageMessage(image));
  return CtlOk;
}

// What the update window shows, on a terminal as one line with a bar that
// moves with every page, elsewhere as plain lines.
class FlashDisplay {
 public:
  explicit FlashDisplay(CtlContext& ctx) : ctx_(ctx), tty_(isatty(fileno(stdout)) != 0) {}

  void Line(const QString& text) {
    if (text.isEmpty()) return;
    EndBar();
    ctx_.out << text << "\n";
    ctx_.out.flush();
  }
  // The update's messages go to standard output in sequence with its other
  // lines; a failed update then names the first of them in its one line on
  // standard error.
  void Error(const QString& text) {
    EndBar();
    ctx_.out << "error: " << text << "\n";
    ctx_.out.flush();
    if (errors_.isEmpty()) first_ = text;
    errors_ << text;
  }
  QString FailureLine() const {
    return errors_.size() > 1
               ? QStringLiteral("%1 (%2 more errors, see above)").arg(first_).arg(errors_.size() - 1)
               : first_;
  }
  void Maximum(int m) { maximum_ = m; }
  void Progress(int p) {
    if (!tty_ || maximum_ <= 0 || p <= 0) return;
    constexpr int width = 40;
    const int filled = width * p / maximum_;
    ctx_.out << "\r[" << QString(filled, QLatin1Char('#')) << QString(width - filled, QLatin1Char('.'))
             << "] " << p << "/" << maximum_ << " pages";
    ctx_.out.flush();
    barShown_ = true;
  }
  void EndBar() {
    if (!barShown_) return;
    ctx_.out << "\n";
    barShown_ = false;
  }
  int Errors() const { return int(errors_.size()); }

 private:
  CtlContext& ctx_;
  bool tty_;
  bool barShown_ = false;
  int maximum_ = 0;
  QStringList errors_;
  QString first_;
};

// Runs the event loop until the box is back with the expected firmware, a box
// needing an update is back (the counter moved), or the time is up.
void WaitForBox(int* armed, int armedBefore, int milliseconds) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < milliseconds) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (LinkState == BoxLinkState::Ready && BoxConnected) return;
    if (*armed != armedBefore && BoxDevice) return;
    QThread::msleep(5);
  }
}

int FlashCommand(CtlContext& ctx) {
  if (ctx.args.size() > 1 || (!ctx.args.isEmpty() && ctx.args[0].startsWith(QLatin1String("--"))))
    return CtlFail(ctx, CtlUsage, QStringLiteral("usage: flash [FILE]"));
  const QString file = ctx.args.isEmpty() ? QString::fromLatin1(EmbeddedFirmwarePath) : ctx.args[0];

  // A corrupt image is never flashed: the box keeps the firmware it has.
  TFirmwareImage image;
  QString error;
  if (!ReadHexFile(file, &image, &error))
    return CtlFail(ctx, ctx.args.isEmpty() ? CtlFailed : CtlUsage, error);
  if (!image.Ok())
    return CtlFail(ctx, CtlFailed, ImageMessage(image) + QStringLiteral(" (nothing was flashed)"));

  BoxSession session(ctx);
  if (const int rc = session.Open(false)) return rc;
  if (BoxConnected) {
    ctx.out << QStringLiteral("the box already runs %1 %2; nothing to flash\n")
                   .arg(ProductName, ExpectedFirmwareVersion);
    return session.Finish(CtlOk);
  }

  // Count the arrivals of boxes that still need an update.
  int armed = 0;
  BoxLinkHooks hooks = GetBoxLinkHooks();
  auto arm = hooks.ArmUpdateTimer;
  hooks.ArmUpdateTimer = [&armed, arm] {
    ++armed;
    if (arm) arm();
  };
  SetBoxLinkHooks(hooks);

  FlashDisplay display(ctx);
  TFirmwareUpdater::Hooks h;
  h.SetLabel1 = [&](const QString& s) { display.Line(s); };
  h.SetLabel2 = [&](const QString& s) { display.Line(s); };
  h.SetGaugeMaximum = [&](int m) { display.Maximum(m); };
  h.SetGaugeProgress = [&](int p) { display.Progress(p); };
  h.ShowError = [&](const QString& s) { display.Error(s); };
  TFirmwareUpdater updater(h);

  const int waitMs = ctx.simulate ? 3000 : 30000;
  constexpr int kAttempts = 3;
  int code = CtlFailed;
  FirmwareUpdateStarted = true;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    const QString product = BoxDevice ? BoxDevice->ProductString() : QString();
    display.Line(GetText(TextId::Updating) + product + GetText(TextId::To) + ProductName + QLatin1Char(' ') +
                 ExpectedFirmwareVersion);
    BoxConnected = true;
    const int errorsBefore = display.Errors();
    const TFirmwareUpdater::Outcome outcome = updater.updateprog(image, product);
    display.EndBar();
    if (!outcome.RestartSent) {
      display.Error(QStringLiteral("the box went away during the update"));
    }
    const int armedBefore = armed;
    WaitForBox(&armed, armedBefore, waitMs);
    if (LinkState == BoxLinkState::Ready && BoxConnected) {
      display.Line(ProductName + GetText(TextId::HasBeenUpdated) + QLatin1Char(' ') +
                   GetText(TextId::AndIsReadyForUse));
      code = display.Errors() == errorsBefore && outcome.Ok() ? CtlOk : CtlFailed;
      break;
    }
    if (armed != armedBefore && BoxDevice) {
      display.Line(QStringLiteral("the box came back still needing an update; updating again"));
      continue;
    }
    display.Error(
        QStringLiteral("the box did not come back with %1 %2").arg(ProductName, ExpectedFirmwareVersion));
    break;
  }
  FirmwareUpdateStarted = false;
  if (code != CtlOk && display.Errors() == 0) display.Error(QStringLiteral("the update did not finish"));
  if (code != CtlOk) CtlFail(ctx, code, display.FailureLine());
  return session.Finish(code);
}

const CtlCommand hexCommand("hex", "hex FILE --out BIN", HexCommand);
const CtlCommand flashCommand("flash", "flash [FILE]", FlashCommand);

}  // namespace
