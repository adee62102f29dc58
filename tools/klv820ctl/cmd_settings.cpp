// sets [save NAME | load NAME]       the stored settings sets
// location [set COUNTRY CITY | set COUNTRY --coords LAT LON]   the installation's place

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/timers/LocationChoice.h"
#include "core/model/SettingsSets.h"
#include "core/shell/Language.h"
#include "core/shell/Win1252.h"

namespace {

int SetsFailure(CtlContext& ctx, const SettingsSets::Result& r, const QString& name) {
  const bool badInput = r.What == SettingsSets::Result::BadName || r.What == SettingsSets::Result::NoSuchSet;
  return CtlFail(ctx, badInput ? CtlUsage : CtlFailed, r.Describe(name));
}

int CmdSets(CtlContext& ctx) {
  const QString usage = QStringLiteral("usage: sets [save NAME | load NAME]");
  if (ctx.args.isEmpty()) {
    for (const QString& name : SettingsSets::List()) ctx.out << name << "\n";
    return CtlOk;
  }
  if (ctx.args.size() != 2) return CtlFail(ctx, CtlUsage, usage);
  const QString& name = ctx.args[1];
  SettingsSets::Result r;
  if (ctx.args[0] == QLatin1String("save")) {
    if (!SettingsSets::EnsureFolder())
      return CtlFail(ctx, CtlFailed, QStringLiteral("cannot create %1").arg(SettingsSets::Folder()));
    r = SettingsSets::SaveAndStore(name);
  } else if (ctx.args[0] == QLatin1String("load")) {
    r = SettingsSets::Load(name);
  } else {
    return CtlFail(ctx, CtlUsage, usage);
  }
  return r.ok() ? CtlOk : SetsFailure(ctx, r, name);
}

int PrintLocation(CtlContext& ctx) {
  const TLocation& l = TLoadSave::Instance()->Location;
  const QDateTime now = QDateTime::currentDateTime();
  const auto state = LocationChoice::ZoneStateAt(now, QTimeZone::systemTimeZone());
  const LocationChoice::TSunShown sun = LocationChoice::SunTimesShown(l, now.date(), state);
  ctx.out << "country: " << l.Country << "\n"
          << "city: " << l.City << "\n"
          << "latitude: " << LocationChoice::FormatLatitude(l) << "\n"
          << "longitude: " << LocationChoice::FormatLongitude(l) << "\n"
          << "time zone: " << LocationChoice::FormatTimeZone(l) << "\n"
          << "sunrise: " << sun.Rise << "\n"
          << "sunset: " << sun.Set << "\n"
          << (state == LocationChoice::ZoneState::Daylight ? "daylight saving time" : "standard time")
          << "\n";
  return CtlOk;
}

// "52:22N" -> degrees, minutes, hemisphere byte (0 for `positive`, 1 for `negative`).
bool ParseCoordinate(const QString& text, QChar positive, QChar negative, int& deg, int& min, int& side) {
  static const QRegularExpression re(QStringLiteral("^(\\d{1,3}):(\\d{1,2})([A-Za-z])$"));
  const QRegularExpressionMatch m = re.match(text);
  if (!m.hasMatch()) return false;
  const QChar h = m.captured(3).at(0).toUpper();
  if (h != positive && h != negative) return false;
  deg = m.captured(1).toInt();
  min = m.captured(2).toInt();
  side = h == negative ? 1 : 0;
  return true;
}

int SaveLocation(CtlContext& ctx, const TLocation& l) {
  TLoadSave* ls = TLoadSave::Instance();
  ls->Location = l;
  const SaveResult r = ls->SaveDataFiles();
  if (!r.Ok) return CtlFail(ctx, CtlFailed, QStringLiteral("cannot write %1: %2").arg(r.FailedFile, r.Error));
  return CtlOk;
}

int CmdLocation(CtlContext& ctx) {
  const QString usage = QStringLiteral(
      "usage: location [set COUNTRY CITY | set COUNTRY --coords LATDEG:LATMIN(N|S) LONDEG:LONMIN(E|W)]");
  if (ctx.args.isEmpty()) return PrintLocation(ctx);
  if (ctx.args[0] != QLatin1String("set") || (ctx.args.size() != 3 && ctx.args.size() != 5))
    return CtlFail(ctx, CtlUsage, usage);
  for (const QString& a : ctx.args)
    if (!IsWin1252(a)) return CtlFail(ctx, CtlUsage, QStringLiteral("not a Windows-1252 name: %1").arg(a));
  const QString country = LocationChoice::MatchCountry(ctx.args[1]);
  if (country.isEmpty())
    return CtlFail(ctx, CtlUsage,
                   QStringLiteral("no such country: %1 (klv820ctl locations lists them)").arg(ctx.args[1]));

  if (ctx.args.size() == 3) {
    const int position = LocationChoice::CityPosition(country, ctx.args[2]);
    if (position <= 0)
      return CtlFail(ctx, CtlUsage,
                     QStringLiteral("no city %1 in %2 (for your own coordinates use --coords)")
                         .arg(ctx.args[2], country));
    return SaveLocation(ctx, LocationChoice::Collect(country, position, QString(), {}));
  }

  if (ctx.args[2] != QLatin1String("--coords")) return CtlFail(ctx, CtlUsage, usage);
  LocationChoice::TCoordinates c;
  if (!ParseCoordinate(ctx.args[3], QLatin1Char('N'), QLatin1Char('S'), c.LatDeg, c.LatMin, c.NS) ||
      !LocationChoice::LatitudeInRange(c.LatDeg, c.LatMin))
    return CtlFail(ctx, CtlUsage, QStringLiteral("bad latitude (0:00..90:00 N or S): %1").arg(ctx.args[3]));
  if (!ParseCoordinate(ctx.args[4], QLatin1Char('E'), QLatin1Char('W'), c.LonDeg, c.LonMin, c.EW) ||
      !LocationChoice::LongitudeInRange(c.LonDeg, c.LonMin))
    return CtlFail(ctx, CtlUsage, QStringLiteral("bad longitude (0:00..180:00 E or W): %1").arg(ctx.args[4]));
  return SaveLocation(ctx, LocationChoice::Collect(country, 0, GetText(TextId::MyLocation), c));
}

const CtlCommand kSets("sets", "sets [save NAME | load NAME]", CmdSets);
const CtlCommand kLocation(
    "location", "location [set COUNTRY CITY | set COUNTRY --coords LATDEG:LATMIN(N|S) LONDEG:LONMIN(E|W)]",
    CmdLocation);

}  // namespace
