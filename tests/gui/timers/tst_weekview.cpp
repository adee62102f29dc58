// The week view: the target's actions, every target with "all", the same
// picture as `klv820ctl plan --png`, and "back".
#include <QLabel>

#include "../rooms/HomeTestSupport.h"
#include "core/plan/WeekPicture.h"
#include "core/plan/WeekPlan.h"
#include "gui/timers/TimerButHandler.h"
#include "gui/timers/TimerHandler.h"
#include "gui/timers/WeekPlanButHandler.h"
#include "gui/timers/WeekPlanHandler.h"

namespace {

void AddToProgramme(const ProgAktiePtr& e) {
  TLoadSave::Instance()->Programma->AllItems.push_back({e->SortKey(), e});
}

}  // namespace

class TestWeekView : public QObject {
  Q_OBJECT
  std::unique_ptr<TempWorkspace> ws_;

 private slots:
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    FillInstallation(2, {3, 2});
    TLoadSave::Instance()->Scenes[0].Akties[0] = Item(0, 0, 0);
    TLoadSave::Instance()->Scenes[0].Akties[1] = Item(1, 1, 17);
    for (int hour : {6, 8, 17, 23}) {
      auto e = Entry(0, 0, hour);
      e->Aktie = hour % 2 ? 0 : 17;
      AddToProgramme(e);
    }
    AddToProgramme(Entry(1, 0, 20));
    AddToProgramme(Entry(17 + 0, 0, 22));
  }
  void cleanup() { ws_.reset(); }

  void targetAllAndBack() {
    HomeHost host;
    host.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.window));
    TWeekPlanHandler view(host.main, host.buttons);
    int backs = 0;
    const TLoadSave& ls = *TLoadSave::Instance();
    view.Show(0, 0, ls.Programma->AllItems, [&backs] { ++backs; });
    QVERIFY(view.IsShown());
    auto* picture = host.main->findChild<QLabel*>(QStringLiteral("imgWeek"));
    QVERIFY(picture && picture->isVisible());
    QCOMPARE(picture->pixmap().size(), QSize(590, 496));

    // Device 0.0: its four entries and the scene's item, every day.
    const auto described = [&] { return picture->accessibleDescription().split(QLatin1Char('\n')); };
    QCOMPARE(described().size(), 5 * 7);
    QVERIFY(!picture->accessibleDescription().contains(QLatin1String("Device 1.0")));

    QTest::mouseClick(view.Column()->butAlles(), Qt::LeftButton);
    QVERIFY(view.All());
    QCOMPARE(described().size(), 7 * 7);
    // Every target is the picture `plan --png` draws for the same seven days.
    const TWeekPlan week = TWeekPlan::Build(ls, QDate::currentDate(), 7);
    QCOMPARE(view.Picture(), TWeekPicture::Draw(week, ls, TWeekPicture::SizeFor(7), true));

    // A scene target shows the scene's items only.
    view.Show(17 + 0, 0, ls.Programma->AllItems, [&backs] { ++backs; });
    QVERIFY(!view.All());
    QCOMPARE(described().size(), 2 * 7);

    QTest::mouseClick(view.Column()->ButExit(), Qt::LeftButton);
    QVERIFY(!view.IsShown());
    QVERIFY(!view.Column()->IsShown());
    QCOMPARE(backs, 1);
  }

  // "week" on the timer screen shows its working list for its target, new
  // entries included; "back" brings the timer screen back as it was.
  void fromTheTimerScreen() {
    HomeHost host;
    host.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.window));
    TTimerHandler timer(host.main, host.buttons);
    timer.Show(1, 0);
    QTest::mouseClick(timer.Buttons()->butToevoegen, Qt::LeftButton);  // a blank entry: never acts
    ProgAktie& added = *timer.Editing->Selected;
    added.Maand = 13;
    added.DagDatum = 255;
    added.Uur = 12;
    added.Aktie = 17;
    QVERIFY(timer.Buttons()->butWeek->isVisible());
    QTest::mouseClick(timer.Buttons()->butWeek, Qt::LeftButton);

    auto* week = timer.findChild<TWeekPlanHandler*>();
    QVERIFY(week && week->IsShown() && week->Column()->IsShown());
    QVERIFY(!timer.Buttons()->IsShown());
    auto* picture = host.main->findChild<QLabel*>(QStringLiteral("imgWeek"));
    QCOMPARE(picture->accessibleDescription().count(QLatin1String("Device 1.0")), 2 * 7);

    QTest::mouseClick(week->Column()->ButExit(), Qt::LeftButton);
    QVERIFY(!week->IsShown());
    QVERIFY(timer.IsShown() && timer.Buttons()->IsShown());
    QCOMPARE(timer.Editing->Items.size(), size_t(7));  // nothing applied or lost
  }
};

QTEST_MAIN(TestWeekView)
#include "tst_weekview.moc"
