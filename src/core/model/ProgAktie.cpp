#include "core/model/ProgAktie.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cstdio>

#include "core/shell/Language.h"

namespace {

// C printf formatting for the key parts ("%.2d" of -1 is "-01").
QString Printf(const char* format, int value) {
  char buf[32];
  std::snprintf(buf, sizeof buf, format, value);
  return QString::fromLatin1(buf);
}

// A general float with 15 significant digits, decimal separator of the locale.
QString FloatText(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  QString text = QString::fromLatin1(buf);
  const QString point = QLocale().decimalPoint();
  if (point != QLatin1String(".")) text.replace(QLatin1Char('.'), point);
  return text;
}

QString TwoDigits(int value) { return Printf("%.2d", value); }

bool KeyLess(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }

// Days in month 1..12, 13 = every month (February counts 29).
constexpr int kDaysInMonth[13] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31};

}  // namespace

ProgAktie::ProgAktie() : Aangemaakt(Now()) {}

double ProgAktie::Now() {
  const QDateTime now = QDateTime::currentDateTime();
  static const QDate epoch(1899, 12, 30);
  return double(epoch.daysTo(now.date())) + now.time().msecsSinceStartOfDay() / 86400000.0;
}

std::shared_ptr<ProgAktie> ProgAktie::Clone() const {
  auto copy = std::make_shared<ProgAktie>(*this);
  copy->Aangemaakt = Now();
  return copy;
}

QString ProgAktie::SortKey() const {
  const int dayKey = DagDatum <= 128 ? DagDatum : 255 - DagDatum;
  return TwoDigits(Ruimte) + TwoDigits(Apparaat) + TwoDigits(Maand) + Printf("%.3d", dayKey) +
         TwoDigits(Uur) + TwoDigits(Minuut) + FloatText(Aangemaakt);
}

QString ProgAktie::TimeText() const {
  if (ZonTijd >= 1 && ZonTijd <= 59) return QString::number(60 - ZonTijd) + GetText(TextId::BeforeSunRise);
  if (ZonTijd == 60) return GetText(TextId::SunRise);
  if (ZonTijd >= 61 && ZonTijd <= 119) return QString::number(ZonTijd - 60) + GetText(TextId::AfterSunRise);
  if (ZonTijd >= 121 && ZonTijd <= 179) return QString::number(180 - ZonTijd) + GetText(TextId::BeforeSunSet);
  if (ZonTijd == 180) return GetText(TextId::SunSet);
  if (ZonTijd >= 181 && ZonTijd <= 239) return QString::number(ZonTijd - 180) + GetText(TextId::AfterSunSet);
  if (Uur == 24) return GetText(TextId::NoTime);
  const QString from = TwoDigits(Uur) + QLatin1Char(':') + TwoDigits(Minuut);
  if (!Random) return from;
  const int nextHour = Uur >= 0 && Uur < 23 ? Uur + 1 : 0;
  return GetText(TextId::Between) + from + GetText(TextId::And) + TwoDigits(nextHour) + QLatin1Char(':') +
         TwoDigits(Minuut);
}

QString ProgAktie::DayText() const {
  if (DagDatum == 0) return GetText(TextId::NoDayDate);
  if (DagDatum >= 128) {
    static constexpr TextId kDays[7] = {TextId::Su, TextId::Mo, TextId::Tu, TextId::We,
                                        TextId::Th, TextId::Fr, TextId::Sa};
    QString text;
    for (int bit = 0; bit < 7; ++bit)
      if (DagDatum & (1 << bit)) text += GetText(kDays[bit]);
    return text;
  }
  return QString::number(DagDatum);
}

QString ProgAktie::MonthText() const {
  if (Maand == 0) return GetText(TextId::NoMonth);
  if (Maand >= 1 && Maand <= 12) return GetText(TextId(int(TextId::January) + Maand - 1));
  if (Maand == 13) return GetText(TextId::EveryMonth);
  return QString();
}

QString ProgAktie::ActionText() const {
  if (IsScene()) return GetText(TextId::Execute);
  if (Aktie == 0) return GetText(TextId::Off);
  if (Aktie <= 16) return GetText(TextId::Dim) + QString::number(Aktie);
  if (Aktie == 17) return GetText(TextId::On);
  return QString();
}

bool ProgAktie::IsValid() const {
  if (Ruimte == -1 || Apparaat == -1) return false;
  // Months outside 1..13 and negative days cannot be sent to the box.
  if (Maand < 1 || Maand > 13) return false;
  if (Uur == 24 && ZonTijd == 0) return false;
  if (DagDatum <= 0) return false;
  return DagDatum > 128 || kDaysInMonth[Maand - 1] >= DagDatum;
}

ProgAktie::Missing ProgAktie::MissingFields() const {
  Missing m;
  m.Month = Maand < 1 || Maand > 13;
  m.Day = DagDatum <= 0 || DagDatum == 128;
  m.Time = Uur == 24 && ZonTijd == 0;
  if (!m.Month && DagDatum > 0 && DagDatum < 128 && kDaysInMonth[Maand - 1] < DagDatum)
    m.Month = m.Day = true;
  return m;
}

// ---------------------------------------------------------------------------

ProgAktieList::ProgAktieList(int32_t ruimte, KeyedAktieList items, int32_t apparaat)
    : Ruimte(ruimte), Apparaat(apparaat), Items(std::move(items)) {}

int ProgAktieList::Add(ProgAktiePtr entry) {
  entry->Ruimte = Ruimte;
  entry->Apparaat = Apparaat;
  int index = int(Items.size());
  if (Selected) {
    const QString key = Selected->SortKey();
    const int p = IndexOfKey(*Selected);
    const bool found = p < int(Items.size()) && QString::compare(Items[p].Key, key, Qt::CaseInsensitive) == 0;
    if (found && p != int(Items.size()) - 1) index = p;
  }
  Items.insert(Items.begin() + index, KeyedAktie{entry->SortKey(), entry});
  Selected = std::move(entry);
  return index;
}

void ProgAktieList::AddCopy(const ProgAktiePtr& entry) {
  if (entry) Add(entry->Clone());
}

void ProgAktieList::Remove(const ProgAktiePtr& entry) {
  const auto it =
      std::find_if(Items.begin(), Items.end(), [&](const KeyedAktie& k) { return k.Entry == entry; });
  if (it == Items.end()) return;
  const int p = int(it - Items.begin());
  Deleted.push_back(*it);
  Items.erase(it);
  const ProgAktie& removed = Selected ? *Selected : *entry;
  const ProgAktiePtr at = ItemAt(p);
  if ((at && at->Ruimte == removed.Ruimte && at->Apparaat == removed.Apparaat) || p < 1)
    Select(p);
  else
    Select(p - 1);
}

ProgAktiePtr ProgAktieList::ItemAt(int index) const {
  if (index < 0 || index >= int(Items.size())) return nullptr;
  return Items[index].Entry;
}

void ProgAktieList::Select(int index) {
  if (index >= 0 && index < int(Items.size()))
    SetSelected(Items[index].Entry);
  else
    Add(std::make_shared<ProgAktie>());
}

void ProgAktieList::SetSelected(ProgAktiePtr entry) {
  Selected = std::move(entry);
  if (Selected) {
    Ruimte = Selected->Ruimte;
    Apparaat = Selected->Apparaat;
  }
}

int ProgAktieList::SelectedIndex() const {
  for (int i = 0; i < int(Items.size()); ++i)
    if (Items[i].Entry == Selected) return i;
  return 0;
}

int ProgAktieList::IndexOfKey(const ProgAktie& entry) const {
  const QString key = entry.SortKey();
  const auto it = std::lower_bound(Items.begin(), Items.end(), key,
                                   [](const KeyedAktie& k, const QString& v) { return KeyLess(k.Key, v); });
  return int(it - Items.begin());
}

void ProgAktieList::Resort() {
  KeyedAktieList sorted;
  sorted.reserve(Items.size());
  for (const KeyedAktie& k : Items) sorted.push_back(KeyedAktie{k.Entry->SortKey(), k.Entry});
  // Stable and keeping equal keys: no entry may be dropped by a re-sort.
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const KeyedAktie& a, const KeyedAktie& b) { return KeyLess(a.Key, b.Key); });
  Items = std::move(sorted);
}

int ProgAktieList::RandomCount() const {
  return int(
      std::count_if(Items.begin(), Items.end(), [](const KeyedAktie& k) { return k.Entry->Random != 0; }));
}

// ---------------------------------------------------------------------------

GlobalProgAktieList::GlobalProgAktieList() : ProgAktieList(0, {}, 0) {}

void GlobalProgAktieList::AddUnique(const ProgAktiePtr& entry) {
  if (!entry) return;
  for (const KeyedAktie& k : AllItems)
    if (k.Entry == entry) return;
  AllItems.push_back(KeyedAktie{entry->SortKey(), entry});
}

void GlobalProgAktieList::RemoveAktie(const ProgAktiePtr& entry) {
  const auto it =
      std::find_if(AllItems.begin(), AllItems.end(), [&](const KeyedAktie& k) { return k.Entry == entry; });
  if (it != AllItems.end()) AllItems.erase(it);
}

void GlobalProgAktieList::RemoveApparaat(int32_t room, int32_t device) {
  for (int i = int(AllItems.size()) - 1; i >= 0; --i) {
    const ProgAktie& e = *AllItems[i].Entry;
    if (e.Ruimte == room && e.Apparaat == device) AllItems.erase(AllItems.begin() + i);
  }
  for (KeyedAktie& k : AllItems) {
    if (k.Entry->Ruimte == room && k.Entry->Apparaat > device) {
      --k.Entry->Apparaat;
      k.Key = k.Entry->SortKey();
    }
  }
}

void GlobalProgAktieList::RemoveRuimte(int32_t room) {
  for (int i = int(AllItems.size()) - 1; i >= 0; --i)
    if (AllItems[i].Entry->Ruimte == room) AllItems.erase(AllItems.begin() + i);
  for (KeyedAktie& k : AllItems) {
    // Rooms are 0..15; 17 and up are scenes.
    if (k.Entry->Ruimte > room && k.Entry->Ruimte < 16) {
      --k.Entry->Ruimte;
      k.Key = k.Entry->SortKey();
    }
  }
}

KeyedAktieList GlobalProgAktieList::KeyedCopy() const {
  KeyedAktieList copy;
  copy.reserve(AllItems.size());
  for (const KeyedAktie& k : AllItems) copy.push_back(KeyedAktie{k.Entry->SortKey(), k.Entry});
  return copy;
}

void GlobalProgAktieList::Apply(const KeyedAktieList& edited, const KeyedAktieList& removed) {
  for (const KeyedAktie& k : edited)
    if (k.Entry && k.Entry->IsValid()) AddUnique(k.Entry);
  for (const KeyedAktie& k : removed) RemoveAktie(k.Entry);
}

KeyedAktieList SortedProgramme(const GlobalProgAktieList& programme) {
  ProgAktieList list(0, programme.KeyedCopy(), 0);
  list.Resort();
  return std::move(list.Items);
}
