// plan [--from YYYY-MM-DD] [--days N] [--png FILE]: what the box will do,
// one action a line in time order, with the week picture on request.
#include <QDate>

#include "Ctl.h"
#include "core/model/LoadSave.h"
#include "core/model/PictureServices.h"
#include "core/plan/WeekPlan.h"

namespace {

constexpr char kUsage[] = "usage: plan [--from YYYY-MM-DD] [--days N] [--png FILE]";

int CmdPlan(CtlContext& ctx) {
  QDate from = QDate::currentDate();
  int days = 7;
  QString png;
  QStringList args = ctx.args;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (args.isEmpty()) return CtlFail(ctx, CtlUsage, QLatin1String(kUsage));
    const QString value = args.takeFirst();
    if (a == QLatin1String("--from")) {
      from = QDate::fromString(value, Qt::ISODate);
      if (!from.isValid() || value.size() != 10)
        return CtlFail(ctx, CtlUsage, QStringLiteral("bad date (YYYY-MM-DD): %1").arg(value));
    } else if (a == QLatin1String("--days")) {
      bool ok = false;
      days = value.toInt(&ok);
      if (!ok || days < 1 || days > TWeekPlan::MaxDays)
        return CtlFail(ctx, CtlUsage, QStringLiteral("bad day count (1..366): %1").arg(value));
    } else if (a == QLatin1String("--png")) {
      png = value;
    } else {
      return CtlFail(ctx, CtlUsage, QLatin1String(kUsage));
    }
  }

  const TLoadSave& ls = *TLoadSave::Instance();
  const TWeekPlan plan = TWeekPlan::Build(ls, from, days);
  for (const TPlanAction& a : plan.Actions) {
    const TRuimte& room = ls.Ruimtes[a.Ruimte];
    QString source = QStringLiteral("entry %1").arg(a.Entry);
    if (a.Scene >= 0) source += QStringLiteral(" scene %1").arg(a.Scene);
    ctx.out << a.Date.toString(Qt::ISODate) << '\t' << TWeekPlan::TimeText(a) << '\t' << a.Ruimte << '.'
            << a.Apparaat << '\t' << room.Naam << '/' << room.Apparaten[a.Apparaat].Naam << '\t'
            << TWeekPlan::ActionText(a.Aktie) << '\t' << source << '\n';
    if (a.Conflict) ctx.out << "conflict\n";
  }
  ctx.out.flush();

  if (!png.isEmpty()) {
    // main loaded the picture part (and made the application a GUI one) for --png.
    QString error;
    if (!RequiredPictureServices().writeWeekPicturePng(plan, ls, days, png, &error))
      return CtlFail(ctx, CtlFailed, QStringLiteral("cannot write %1: %2").arg(png, error));
  }
  return CtlOk;
}

const CtlCommand kPlan("plan", "plan [--from YYYY-MM-DD] [--days N] [--png FILE]", CmdPlan);

}  // namespace
