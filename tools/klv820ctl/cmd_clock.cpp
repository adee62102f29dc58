// clock [--set-now]: the box's clock, its sun times and summer/winter state.
#include <QDateTime>

#include "BoxSession.h"
#include "Ctl.h"
#include "core/device/BoxClock.h"
#include "core/device/MyDevFunctions.h"

namespace {

int CmdClock(CtlContext& ctx) {
  bool setNow = false;
  for (const QString& a : ctx.args) {
    if (a == QLatin1String("--set-now") && !setNow) {
      setNow = true;
    } else {
      return CtlFail(ctx, CtlUsage, QStringLiteral("usage: clock [--set-now]"));
    }
  }
  BoxSession box(ctx);
  if (const int rc = box.Open()) return rc;
  if (setNow) {
    const QDateTime now = QDateTime::currentDateTime();
    SetBoxClock(now.date(), now.time());
    if (!BoxConnected)
      return box.Finish(CtlFail(ctx, CtlFailed, QStringLiteral("the box was lost during the transfer")));
  }
  const std::optional<BoxClockReading> r = RequestBoxClock();
  if (!r) return box.Finish(CtlFail(ctx, CtlFailed, QStringLiteral("the box did not answer")));

  const uint8_t* raw = r->Raw;
  ctx.out << "date: "
          << (r->DateValid ? r->Date.toString(Qt::ISODate)
                           : QStringLiteral("not valid (%1-%2-%3)")
                                 .arg(2000 + raw[0])
                                 .arg(raw[1], 2, 10, QLatin1Char('0'))
                                 .arg(raw[2], 2, 10, QLatin1Char('0')))
          << "\n";
  ctx.out << "time: "
          << (r->TimeValid ? r->Time.toString(QStringLiteral("HH:mm:ss"))
                           : QString::asprintf("not valid (%2.2d:%2.2d:%2.2d)", raw[3], raw[4], raw[5]))
          << "\n";
  ctx.out << "sunrise: " << r->Sunrise << "\n";
  ctx.out << "sunset: " << r->Sunset << "\n";
  ctx.out << "season: " << (r->SummerTime ? "summer time" : "winter time") << "\n";
  return box.Finish(CtlOk);
}

const CtlCommand kClock("clock", "clock [--set-now]", CmdClock);

}  // namespace
