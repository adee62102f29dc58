#include <QTest>
#include <cstring>

#include "TestSupport.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/plan/WeekPlan.h"
#include "core/timers/sunrise.h"

namespace {

// Days of week as DagDatum bits.
constexpr int Sun = 1, Mon = 2, Sat = 64;

ProgAktiePtr AddEntry(int ruimte, int apparaat, int maand, int dagDatum, int uur, int minuut, int aktie,
                      int zonTijd = 0) {
  auto e = std::make_shared<ProgAktie>();
  e->Ruimte = ruimte;
  e->Apparaat = apparaat;
  e->Maand = maand;
  e->DagDatum = dagDatum;
  e->Uur = uur;
  e->Minuut = minuut;
  e->Aktie = uint8_t(aktie);
  e->ZonTijd = zonTijd;
  TLoadSave::Instance()->Programma->AllItems.push_back({e->SortKey(), e});
  return e;
}

QStringList Dates(const TWeekPlan& plan) {
  QStringList r;
  for (const TPlanAction& a : plan.Actions) r << a.Date.toString(Qt::ISODate);
  return r;
}

int Hm(int h, int m) { return h * 60 + m; }

// A sun table whose November and March entries are chosen by hand.
struct HandTable {
  uint8_t bytes[tsunrise::TableSize] = {};
  void Set(bool sunset, int month, bool second, int byte0, int minute, int stepSeconds) {
    uint8_t* e = bytes + (sunset ? tsunrise::HalfSize : 0) + 3 * (2 * (month - 1) + (second ? 1 : 0));
    e[0] = uint8_t(byte0);
    e[1] = uint8_t(minute);
    e[2] = uint8_t((stepSeconds / 60) * 64 + stepSeconds % 60);
  }
};

}  // namespace

class TestWeekPlan : public QObject {
  Q_OBJECT
  std::unique_ptr<TempWorkspace> ws_;
  uint8_t noSun_[tsunrise::TableSize] = {};

 private slots:
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    TLoadSave* ls = TLoadSave::Instance();
    ls->Ruimtes[0].Naam = QStringLiteral("Hall");
    ls->Ruimtes[0].Apparaten[0].Naam = QStringLiteral("Lamp");
    ls->Ruimtes[0].Apparaten[1].Naam = QStringLiteral("Spot");
    ls->Ruimtes[1].Naam = QStringLiteral("Kitchen");
    ls->Ruimtes[1].Apparaten[0].Naam = QStringLiteral("Fan");
  }
  void cleanup() { ws_.reset(); }

  // Which dates an entry acts on.
  void dayAndMonthMatching() {
    // Saturday and Monday, every month, from Friday 2026-04-24 for 11 days.
    AddEntry(0, 0, 13, 128 + Sat + Mon, 7, 0, 17);
    TWeekPlan plan = TWeekPlan::Build(*TLoadSave::Instance(), noSun_, QDate(2026, 4, 24), 11);
    QCOMPARE(plan.Days.size(), size_t(11));
    QCOMPARE(Dates(plan), (QStringList{"2026-04-25", "2026-04-27", "2026-05-02", "2026-05-04"}));

    // Every month on the 31st: never in April or June, once in May.
    TLoadSave::Instance()->Programma->AllItems.clear();
    AddEntry(0, 0, 13, 31, 7, 0, 17);
    plan = TWeekPlan::Build(*TLoadSave::Instance(), noSun_, QDate(2026, 4, 1), 91);
    QCOMPARE(Dates(plan), QStringList{"2026-05-31"});

    // Every month on the 1st, June only on the 1st, and an incomplete entry
    // (no weekday bit) that never acts.
    TLoadSave::Instance()->Programma->AllItems.clear();
    AddEntry(0, 0, 13, 1, 7, 0, 17);
    AddEntry(0, 1, 6, 1, 8, 0, 0);
    AddEntry(0, 1, 13, 128, 9, 0, 0);
    plan = TWeekPlan::Build(*TLoadSave::Instance(), noSun_, QDate(2026, 4, 1), 91);
    QCOMPARE(Dates(plan), (QStringList{"2026-04-01", "2026-05-01", "2026-06-01", "2026-06-01"}));
    QCOMPARE(plan.Actions[3].Apparaat, 1);
    QCOMPARE(plan.Actions[3].Entry, 1);
  }

  // A sun entry follows the table: the 1st's entry moved by its step up to
  // the 15th, then the 16th's own entry; summer time adds an hour from the
  // last Sunday of March.
  void sunEntries() {
    HandTable t;
    t.Set(true, 11, false, 0x80 + 16, 50, 90);         // 1 November 16:50, 90 s earlier a day
    t.Set(true, 11, true, 0x80 + 16, 27, 70);          // 16 November 16:27
    t.Set(false, 3, true, 6, 30, 0);                   // 16 March sunrise 06:30 standard time, steady
    AddEntry(0, 0, 13, 128 + 127, 0, 0, 0, 165);       // every day, 15 minutes before sunset
    AddEntry(0, 1, 3, 128 + Sat + Sun, 0, 0, 17, 60);  // March weekends at sunrise
    AddEntry(0, 1, 3, 128 + Sat + Sun, 6, 45, 0);      // and a fixed time beside it

    TWeekPlan plan = TWeekPlan::Build(*TLoadSave::Instance(), t.bytes, QDate(2026, 11, 1), 16);
    QCOMPARE(plan.Actions.size(), size_t(16));
    QCOMPARE(plan.Actions[0].Minute, Hm(16, 35));
    QCOMPARE(plan.Actions[14].Date, QDate(2026, 11, 15));
    QCOMPARE(plan.Actions[14].Minute, Hm(16, 50 - 21 - 15));  // 14 days x 90 s = 21 min
    QCOMPARE(plan.Actions[15].Minute, Hm(16, 27 - 15));
    QCOMPARE(plan.Days[15].Sunset, Hm(16, 27));
    QVERIFY(!plan.Days[15].Summer);

    // 2026-03-29 is the last Sunday of March.
    plan = TWeekPlan::Build(*TLoadSave::Instance(), t.bytes, QDate(2026, 3, 28), 2);
    QVector<QPair<int, int>> got;
    for (const TPlanAction& a : plan.Actions)
      if (a.Apparaat == 1) got.append({a.Date.day(), a.Minute});
    QCOMPARE(got,
             (QVector<QPair<int, int>>{{28, Hm(6, 30)}, {28, Hm(6, 45)}, {29, Hm(6, 45)}, {29, Hm(7, 30)}}));
    QVERIFY(!plan.Days[0].Summer);
    QVERIFY(plan.Days[1].Summer);
    QCOMPARE(plan.Days[1].Sunrise, Hm(7, 30));
  }

  // A scene entry switches each item; two actions on one device in one minute
  // with different states are a conflict, equal states are not.
  void scenesAndConflicts() {
    TScene& s = TLoadSave::Instance()->Scenes[2];
    s.Akties[0] = {0, 0, 17};
    s.Akties[1] = {0, 1, 5};
    s.Akties[2] = {1, 0, 0};
    AddEntry(17 + 2, 0, 13, 128 + 127, 18, 0, 0);
    AddEntry(0, 0, 13, 128 + 127, 18, 0, 0);  // off against the scene's on
    AddEntry(1, 0, 13, 128 + 127, 18, 0, 0);  // off, as the scene: no conflict
    auto random = AddEntry(0, 0, 13, 128 + 127, 18, 0, 17);
    random->Random = 1;
    const TWeekPlan plan = TWeekPlan::Build(*TLoadSave::Instance(), noSun_, QDate(2026, 6, 1), 1);
    QCOMPARE(plan.Actions.size(), size_t(6));
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(plan.Actions[i].Scene, 2);
      QCOMPARE(plan.Actions[i].Item, i);
    }
    QCOMPARE(plan.Actions[1].Aktie, 5);
    QCOMPARE(plan.Actions[3].Entry, 1);
    QVERIFY(plan.Actions[3].Conflict);
    QVERIFY(!plan.Actions[4].Conflict);
    QVERIFY(plan.Actions[5].Random);
    QVERIFY(!plan.Actions[5].Conflict);
    QCOMPARE(TWeekPlan::TimeText(plan.Actions[5]), QStringLiteral("18:00-19:00"));
    QCOMPARE(plan.ForScene(2).Actions.size(), size_t(3));
    QCOMPARE(plan.ForDevice(0, 0).Actions.size(), size_t(3));
  }

  // The box's own sun times, asked with 't' today and on every day of a
  // year (its clock moved there), equal the plan's.
  void sunTimesMatchTheBox() {
    SimulatedBox box;
    tsunrise sun;
    sun.BuildTable(TSunPlace{52.37, 4.9, 1}, 2026);
    std::memcpy(box.SunTable.data(), sun.SunTable, tsunrise::TableSize);
    const auto ask = [&box](uint8_t* answer) {
      uint8_t report[65] = {0, 't'};
      return box.Receive(report) && box.TakeAnswer(answer, 0) == HidReadResult::Report;
    };

    box.ClockOffset = 0;  // today, now
    uint8_t answer[65] = {};
    QVERIFY(ask(answer));
    const QDateTime clock = box.Clock();
    const bool summer = tsunrise::BoxSummerTime(clock.date(), clock.time());
    QCOMPARE(answer[12] != 0, summer);
    QCOMPARE(
        answer[8] * 60 + answer[9],
        (tsunrise::TableSunTime(sun.SunTable, tsunrise::Sunrise, clock.date()) + (summer ? 60 : 0)) % 1440);
    QCOMPARE(
        answer[10] * 60 + answer[11],
        (tsunrise::TableSunTime(sun.SunTable, tsunrise::Sunset, clock.date()) + (summer ? 60 : 0)) % 1440);

    const TWeekPlan year = TWeekPlan::Build(*TLoadSave::Instance(), sun.SunTable, QDate(2026, 1, 1), 365);
    for (const TPlanDay& d : year.Days) {
      const QDateTime pc = QDateTime::currentDateTime();
      const QDateTime naive(pc.date(), pc.time(), Qt::UTC);
      box.ClockOffset = naive.secsTo(QDateTime(d.Date, QTime(12, 0), Qt::UTC));
      QVERIFY(ask(answer));
      const QString where = d.Date.toString(Qt::ISODate);
      QVERIFY2(answer[3] == d.Date.day(), qPrintable(where));
      QVERIFY2(answer[8] * 60 + answer[9] == d.Sunrise, qPrintable(where));
      QVERIFY2(answer[10] * 60 + answer[11] == d.Sunset, qPrintable(where));
      QVERIFY2((answer[12] != 0) == d.Summer, qPrintable(where));
    }
  }
};

QTEST_GUILESS_MAIN(TestWeekPlan)
#include "tst_weekplan.moc"
