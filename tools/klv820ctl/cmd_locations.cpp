// klv820ctl locations: the built-in location table, one record a line.

#include "Ctl.h"
#include "core/settings/Location.h"

namespace {

int RunLocations(CtlContext& ctx) {
  if (!ctx.args.isEmpty()) return CtlFail(ctx, CtlUsage, QStringLiteral("locations takes no arguments"));
  for (int i = 0; i < Locations::Count; ++i) {
    const TLocation& l = Locations::At(i);
    const int fields[] = {l.LatDeg, l.LatMin, l.NS, l.LonDeg, l.LonMin, l.EW, l.TzHours, l.TzSign};
    ctx.out << i << '\t' << l.Country << '\t' << l.City;
    for (int f : fields) ctx.out << '\t' << f;
    ctx.out << '\n';
  }
  return CtlOk;
}

const CtlCommand kLocations("locations", "locations", RunLocations);

}  // namespace
