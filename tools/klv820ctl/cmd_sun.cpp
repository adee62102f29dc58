// suntime rise|set YEAR MONTH DAY LAT LON ZONE   one sun time as HH:MM
// sun-table [--year Y]                          the 144-byte sun table as hex

#include <QByteArray>
#include <QDate>
#include <cmath>
#include <optional>

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/timers/sunrise.h"

namespace {

constexpr int MinYear = 1;
constexpr int MaxYear = 9998;  // December's entries look at 1 January of the year after

std::optional<int> ParseInt(const QString& text, int low, int high) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < low || v > high) return std::nullopt;
  return v;
}

std::optional<double> ParseDouble(const QString& text, double low, double high) {
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (!ok || !std::isfinite(v) || v < low || v > high) return std::nullopt;
  return v;
}

int SunTimeCommand(CtlContext& ctx) {
  const QString usage = QStringLiteral("usage: suntime rise|set YEAR MONTH DAY LAT LON ZONE");
  if (ctx.args.size() != 7) return CtlFail(ctx, CtlUsage, usage);
  int selector;
  if (ctx.args[0] == QLatin1String("rise"))
    selector = tsunrise::Sunrise;
  else if (ctx.args[0] == QLatin1String("set"))
    selector = tsunrise::Sunset;
  else
    return CtlFail(ctx, CtlUsage, QStringLiteral("expected rise or set, got %1").arg(ctx.args[0]));

  const auto year = ParseInt(ctx.args[1], MinYear, MaxYear);
  const auto month = ParseInt(ctx.args[2], 1, 12);
  const auto day = ParseInt(ctx.args[3], 1, 31);
  if (!year) return CtlFail(ctx, CtlUsage, QStringLiteral("bad year: %1").arg(ctx.args[1]));
  if (!month) return CtlFail(ctx, CtlUsage, QStringLiteral("bad month: %1").arg(ctx.args[2]));
  if (!day || !QDate(*year, *month, *day).isValid())
    return CtlFail(ctx, CtlUsage, QStringLiteral("bad day: %1").arg(ctx.args[3]));
  const auto lat = ParseDouble(ctx.args[4], -90, 90);
  const auto lon = ParseDouble(ctx.args[5], -180, 180);
  const auto zone = ParseDouble(ctx.args[6], -14, 14);
  if (!lat) return CtlFail(ctx, CtlUsage, QStringLiteral("bad latitude (-90..90): %1").arg(ctx.args[4]));
  if (!lon) return CtlFail(ctx, CtlUsage, QStringLiteral("bad longitude (-180..180): %1").arg(ctx.args[5]));
  if (!zone) return CtlFail(ctx, CtlUsage, QStringLiteral("bad time zone (-14..14): %1").arg(ctx.args[6]));

  const int m = tsunrise::SunTime(selector, *year, *lat, *lon, *zone, *month, *day);
  ctx.out
      << QStringLiteral("%1:%2\n").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
  return CtlOk;
}

int SunTableCommand(CtlContext& ctx) {
  int year = QDate::currentDate().year();
  QStringList args = ctx.args;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == QLatin1String("--year") && !args.isEmpty()) {
      const QString value = args.takeFirst();
      const auto y = ParseInt(value, MinYear, MaxYear);
      if (!y) return CtlFail(ctx, CtlUsage, QStringLiteral("bad year: %1").arg(value));
      year = *y;
    } else {
      return CtlFail(ctx, CtlUsage, QStringLiteral("usage: sun-table [--year Y]"));
    }
  }
  tsunrise sun;
  sun.BuildTable(tsunrise::Place(TLoadSave::Instance()->Location), year);
  const QByteArray bytes(reinterpret_cast<const char*>(sun.SunTable), tsunrise::TableSize);
  ctx.out << QString::fromLatin1(bytes.toHex()) << "\n";
  return CtlOk;
}

const CtlCommand suntime("suntime", "suntime rise|set YEAR MONTH DAY LAT LON ZONE", SunTimeCommand);
const CtlCommand sunTable("sun-table", "sun-table [--year Y]", SunTableCommand);

}  // namespace
