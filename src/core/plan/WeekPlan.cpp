#include "core/plan/WeekPlan.h"

#include <QTime>
#include <algorithm>
#include <array>

#include "core/device/Communicatie.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "core/timers/sunrise.h"

namespace {

constexpr int MinutesPerDay = 1440;
static_assert(tsunrise::TableSize == 144);

// One programme record as the box reads it.
struct Record {
  bool Sun = false;
  bool Scene = false;
  int MinuteField = 0;  // minute, or the sun offset
  int HourField = 0;    // hour, or the sun kind (bit 0 sunset, bit 1 before)
  int Month = 0;        // 0 every month, 1..12
  int Day = 0;          // DagDatum byte: 1..31, or 0x80 + weekday bits
  bool Random = false;
  int Aktie = 0;
  int Target = 0;  // device code or scene index
};

Record Decode(const std::array<uint8_t, 5>& r) {
  Record d;
  d.Sun = r[0] & 1;
  d.Scene = r[0] & 2;
  d.MinuteField = r[0] >> 2;
  d.HourField = r[1] & 0x1F;
  d.Month = (r[1] >> 5) | ((r[2] & 1) << 3);
  d.Day = (r[2] >> 1) | ((r[3] & 1) << 7);
  d.Random = r[3] & 2;
  d.Aktie = r[3] >> 3;
  d.Target = r[4];
  return d;
}

bool ActsOn(const Record& r, const QDate& date) {
  if (r.Month != 0 && r.Month != date.month()) return false;
  if (r.Day & 0x80) return r.Day & (1 << (date.dayOfWeek() % 7));  // bit 0 Sunday
  return r.Day == date.day();
}

bool ValidDevice(int ruimte, int apparaat) {
  return ruimte >= 0 && ruimte < RoomCount && apparaat >= 0 && apparaat < DevicesPerRoom;
}

bool ValidAktie(int aktie) { return aktie >= 0 && aktie <= 17; }

// Minute of the day the record acts at on `day`, or -1 when the box never
// reaches it (an hour or minute out of range).
int ActionMinute(const Record& r, const TPlanDay& day, const uint8_t* sunTable) {
  if (!r.Sun) {
    if (r.HourField > 23 || r.MinuteField > 59) return -1;
    return r.HourField * 60 + r.MinuteField;
  }
  const int selector = (r.HourField & 1) ? tsunrise::Sunset : tsunrise::Sunrise;
  const int offset = (r.HourField & 2) ? -r.MinuteField : r.MinuteField;
  const int m = tsunrise::TableSunTime(sunTable, selector, day.Date) + offset + (day.Summer ? 60 : 0);
  return ((m % MinutesPerDay) + MinutesPerDay) % MinutesPerDay;
}

void MarkConflicts(std::vector<TPlanAction>& actions) {
  for (size_t i = 0; i < actions.size(); ++i) {
    TPlanAction& a = actions[i];
    if (a.Random) continue;
    for (size_t j = i; j-- > 0;) {
      const TPlanAction& b = actions[j];
      if (b.Date != a.Date || b.Minute != a.Minute) break;
      if (!b.Random && b.Ruimte == a.Ruimte && b.Apparaat == a.Apparaat && b.Aktie != a.Aktie) {
        a.Conflict = true;
        break;
      }
    }
  }
}

}  // namespace

TWeekPlan TWeekPlan::Build(const TLoadSave& installation, const uint8_t* sunTable, const QDate& from,
                           int days) {
  static const KeyedAktieList none;
  const GlobalProgAktieList* list = installation.Programma.get();
  return Build(installation, list ? list->AllItems : none, sunTable, from, days);
}

TWeekPlan TWeekPlan::Build(const TLoadSave& installation, const KeyedAktieList& programme,
                           const uint8_t* sunTable, const QDate& from, int days) {
  TWeekPlan plan;
  days = std::clamp(days, 0, MaxDays);
  if (!from.isValid()) return plan;
  for (int i = 0; i < days; ++i) {
    TPlanDay d;
    d.Date = from.addDays(i);
    d.Summer = tsunrise::BoxSummerTime(d.Date, QTime(12, 0));
    const int shift = d.Summer ? 60 : 0;
    d.Sunrise = (tsunrise::TableSunTime(sunTable, tsunrise::Sunrise, d.Date) + shift) % MinutesPerDay;
    d.Sunset = (tsunrise::TableSunTime(sunTable, tsunrise::Sunset, d.Date) + shift) % MinutesPerDay;
    plan.Days.push_back(d);
  }

  int sent = 0;
  for (int k = 0; k < int(programme.size()); ++k) {
    const ProgAktiePtr& entry = programme[k].Entry;
    if (!entry) continue;
    if (sent++ == TCommunicatie::MaxRecords) break;  // not in the image
    if (!entry->IsValid()) continue;
    // The record the upload sends; the entry itself stays as it is.
    ProgAktie compiled = *entry;
    TCommunicatie::DeriveSunFields(compiled);
    const Record r = Decode(TCommunicatie::BuildRecord(compiled));

    // The devices the record switches, with their action.
    struct Target {
      int Ruimte, Apparaat, Aktie, Item;
    };
    std::vector<Target> targets;
    int scene = -1;
    if (r.Scene) {
      if (r.Target >= SceneCount) continue;
      scene = r.Target;
      const TScene& s = installation.Scenes[scene];
      for (int item = 0; item < ItemsPerScene; ++item) {
        const TSceneAktie& a = s.Akties[item];
        if (a.Apparaat == -1) break;  // the scene table ends the scene here
        if (ValidDevice(a.Ruimte, a.Apparaat) && ValidAktie(a.Waarde))
          targets.push_back({a.Ruimte, a.Apparaat, a.Waarde, item});
      }
    } else if (ValidDevice(entry->Ruimte, entry->Apparaat) && ValidAktie(r.Aktie)) {
      targets.push_back({entry->Ruimte, entry->Apparaat, r.Aktie, 0});
    }
    if (targets.empty()) continue;

    for (const TPlanDay& day : plan.Days) {
      if (!ActsOn(r, day.Date)) continue;
      const int minute = ActionMinute(r, day, sunTable);
      if (minute < 0) continue;
      for (const Target& t : targets) {
        TPlanAction a;
        a.Date = day.Date;
        a.Minute = minute;
        a.Random = r.Random;
        a.Ruimte = t.Ruimte;
        a.Apparaat = t.Apparaat;
        a.Aktie = t.Aktie;
        a.Entry = k;
        a.Scene = scene;
        a.Item = t.Item;
        plan.Actions.push_back(a);
      }
    }
  }
  std::sort(plan.Actions.begin(), plan.Actions.end(), [](const TPlanAction& a, const TPlanAction& b) {
    if (a.Date != b.Date) return a.Date < b.Date;
    if (a.Minute != b.Minute) return a.Minute < b.Minute;
    if (a.Entry != b.Entry) return a.Entry < b.Entry;
    return a.Item < b.Item;
  });
  MarkConflicts(plan.Actions);
  return plan;
}

TWeekPlan TWeekPlan::Build(const TLoadSave& installation, const QDate& from, int days) {
  return Build(installation, SentSunTable(installation).data(), from, days);
}

std::array<uint8_t, 144> TWeekPlan::SentSunTable(const TLoadSave& installation) {
  tsunrise sun;
  sun.BuildTable(tsunrise::Place(installation.Location), QDate::currentDate().year());
  std::array<uint8_t, 144> table;
  std::copy(std::begin(sun.SunTable), std::end(sun.SunTable), table.begin());
  return table;
}

TWeekPlan TWeekPlan::ForDevice(int ruimte, int apparaat) const {
  TWeekPlan p;
  p.Days = Days;
  for (const TPlanAction& a : Actions)
    if (a.Ruimte == ruimte && a.Apparaat == apparaat) p.Actions.push_back(a);
  return p;
}

TWeekPlan TWeekPlan::ForScene(int scene) const {
  TWeekPlan p;
  p.Days = Days;
  for (const TPlanAction& a : Actions)
    if (a.Scene == scene) p.Actions.push_back(a);
  return p;
}

QString TWeekPlan::TimeText(const TPlanAction& action) {
  const auto hm = [](int h, int m) {
    return QStringLiteral("%1:%2").arg(h, 2, 10, QLatin1Char('0')).arg(m, 2, 10, QLatin1Char('0'));
  };
  const int h = action.Minute / 60;
  const int m = action.Minute % 60;
  if (!action.Random) return hm(h, m);
  return hm(h, m) + QLatin1Char('-') + hm((h + 1) % 24, m);
}

QString TWeekPlan::ActionText(int aktie) {
  if (aktie == 0) return GetText(TextId::Off);
  if (aktie <= 16) return GetText(TextId::Dim) + QString::number(aktie);
  return GetText(TextId::On);
}
