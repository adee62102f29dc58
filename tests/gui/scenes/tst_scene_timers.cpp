// Scenes and the timer programme: retargeting an entry to another device or
// scene through the pickers, and the whole way from building a scene to a
// box that holds its scene table and programme.
#include <QLineEdit>
#include "SceneTestSupport.h"
#include "core/device/Communicatie.h"
#include "core/shell/Language.h"

#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/scenes/SceneInhoudHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/scenes/ScenesOverzichtButHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/scenes/TimerTargets.h"
#include "gui/timers/TimerButHandler.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_RuimteAppInterface.h"

class TstSceneTimers : public SceneScreenTest {
  Q_OBJECT

  std::unique_ptr<TTimerHandler> timer_;

  TTimerHandler* Timer() {
    timer_ = std::make_unique<TTimerHandler>(host_->main, host_->buttons);
    AttachTargetPickers(timer_.get(), host_->main, host_->buttons);
    ShowHost();
    return timer_.get();
  }
  static ProgAktiePtr Install(ProgAktiePtr e) {
    TLoadSave::Instance()->Programma->AddUnique(e);
    return e;
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() { Begin(); }
  void cleanup() {
    timer_.reset();
    End();
  }

  void retargetingMovesOnlyTheSelectedEntry() {
    FillInstallation(3, {2, 3, 1});
    SetScene(0, QStringLiteral("Evening"), {Item(0, 0, 6)});
    SetScene(2, QStringLiteral("Night"), {Item(1, 2, 0)});
    const ProgAktiePtr seven = Install(Entry(0, 1, 7));
    const ProgAktiePtr eight = Install(Entry(0, 1, 8));
    const ProgAktiePtr scene = Install(Entry(17, 0, 21));
    TTimerHandler* t = Timer();

    // A device entry moves to device 2 of room 1.
    t->Show(0, 1);
    QCOMPARE(t->Editing->Selected, seven);
    QTest::mouseDClick(t->AppPanel()->lblSA3, Qt::LeftButton);
    auto* picker = t->findChild<TSceneRuimteUIHandler*>();
    QVERIFY(picker && picker->IsShown() && picker->IsTargetMode());
    QCOMPARE(picker->Design()->ui->lblRuimtes->text(), GetText(TextId::TimerRooms));
    QCOMPARE(picker->Design()->ui->lblApparaten->text(), GetText(TextId::TimerDevices));
    // Opened on the entry's own device.
    QCOMPARE(picker->AbsoluteIndex(), 0);
    QCOMPARE(picker->Devices()->AbsoluteIndex(), 1);
    QTest::mouseClick(picker->Tile(1)->Caption, Qt::LeftButton);
    QTest::mouseClick(picker->Devices()->Tile(2)->Caption, Qt::LeftButton);
    QTest::mouseClick(picker->Buttons()->ButOK, Qt::LeftButton);
    QVERIFY(!picker->IsShown() && t->IsShown());
    QCOMPARE(seven->Ruimte, 1);
    QCOMPARE(seven->Apparaat, 2);
    QCOMPARE(eight->Ruimte, 0);
    QCOMPARE(eight->Apparaat, 1);
    QCOMPARE(t->AppPanel()->lblSA3->text(), QStringLiteral("Device 1.2"));
    // Back from the picker changes nothing.
    QTest::mouseDClick(t->AppPanel()->lblSA3, Qt::LeftButton);
    QTest::mouseClick(picker->Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(seven->Apparaat, 2);
    t->Back();

    // A scene entry moves to scene 2; the empty scene 1 cannot be picked.
    t->Show(17, 0);
    QCOMPARE(t->Editing->Selected, scene);
    QTest::mouseDClick(t->ScenePanel()->lblS1, Qt::LeftButton);
    auto* scenes = t->findChild<TScenesOverzichtHandler*>();
    QVERIFY(scenes && scenes->IsShown() && scenes->IsSelectMode());
    QCOMPARE(scenes->ScenePanel()->caption(), GetText(TextId::TimerScenes));
    QCOMPARE(scenes->SelectedScene(), 0);
    QTest::mouseClick(scenes->Tile(1)->Name, Qt::LeftButton);
    QCOMPARE(scenes->SelectedScene(), 0);
    QTest::mouseClick(scenes->Tile(2)->Name, Qt::LeftButton);
    QTest::mouseClick(scenes->Buttons()->ButOK, Qt::LeftButton);
    QVERIFY(!scenes->IsShown() && t->IsShown());
    QCOMPARE(scene->Ruimte, 19);
    QCOMPARE(t->ScenePanel()->lblNr1->text(), QStringLiteral("3"));
    QCOMPARE(seven->Ruimte, 1);
    t->Back();
  }

  void eveningFromSceneToBox() {
    FillInstallation(3, {2, 2, 2});
    const ProgAktiePtr hall = Install(Entry(1, 0, 7));
    PlugBox();
    auto home = std::make_unique<TRuimteUIHandler>(host_->main, host_->buttons);
    home->Show();
    AttachScenesOverview(home.get(), host_->main, host_->buttons);
    ShowHost();
    QTest::mouseClick(home->Buttons()->ButScene, Qt::LeftButton);
    auto* o = home->findChild<TScenesOverzichtHandler*>();

    // "Evening" in scene 2: room 0's dimmer at 6, room 1's device 0 on, room
    // 2's device 0 off.
    QTest::mouseDClick(o->Tile(1)->Picture, Qt::LeftButton);
    TSceneInhoudHandler* c = o->Content();
    QTest::keyClicks(c->DescriptionBox(), QStringLiteral("Evening"));
    struct Pick {
      int room, device;
      std::function<void(TRuimteAppButHandler*)> action;
    };
    const Pick picks[] = {
        {0, 1,
         [](TRuimteAppButHandler* b) {
           b->LDimmer->setText(QStringLiteral("7"));
           QTest::mouseClick(b->ButDimDn, Qt::LeftButton);
         }},
        {1, 0, [](TRuimteAppButHandler* b) { QTest::mouseClick(b->ButOn, Qt::LeftButton); }},
        {2, 0, [](TRuimteAppButHandler* b) { QTest::mouseClick(b->ButOff, Qt::LeftButton); }}};
    for (int i = 0; i < 3; ++i) {
      QTest::mouseDClick(c->Row(i)->Background, Qt::LeftButton);
      TSceneRuimteUIHandler* comp = c->Composition();
      QVERIFY(comp->IsShown());
      QTest::mouseClick(comp->Tile(picks[i].room)->Caption, Qt::LeftButton);
      QTest::mouseClick(comp->Devices()->Tile(picks[i].device)->Caption, Qt::LeftButton);
      picks[i].action(comp->Buttons());
      QTest::mouseClick(comp->Buttons()->ButOK, Qt::LeftButton);
    }
    QTest::mouseClick(c->Buttons()->ButOK(), Qt::LeftButton);
    const TScene& evening = TLoadSave::Instance()->Scenes[1];
    QCOMPARE(evening.Naam, QStringLiteral("Evening"));
    QCOMPARE(evening.ItemCount(), 3);
    QCOMPARE(evening.Akties[0].Waarde, 6);
    QCOMPARE(evening.Akties[1].Waarde, 17);
    QCOMPARE(evening.Akties[2].Waarde, 0);
    QCOMPARE(o->Tile(1)->Name->text(), QStringLiteral("Evening"));

    // Run it: the box gets the new table, then 'S' 1.
    QTest::mouseClick(o->Tile(1)->Name, Qt::LeftButton);
    QTest::mouseClick(o->Buttons()->ButUitvoeren, Qt::LeftButton);
    QVERIFY(Letters(*box_).endsWith(QLatin1Char('S')));
    QCOMPARE(box_->Received().back()[2], uint8_t(1));

    // Its own timer entry: every day at sunset.
    QTest::mouseClick(o->Buttons()->ButTimer, Qt::LeftButton);
    TTimerHandler* t = o->Timer();
    QCOMPARE(t->Ruimte, 18);
    ProgAktie& e = *t->Editing->Selected;
    e.Maand = 13;
    e.DagDatum = 128 + 127;
    e.ZonTijd = 180;
    QVERIFY(e.IsValid());
    t->FillLines(-1);
    t->UpdateButtons();
    QTest::mouseClick(t->Buttons()->ButOK, Qt::LeftButton);
    QVERIFY(!t->IsShown());

    // The hall entry moves to room 2's device 1, from the home screen's timer.
    TTimerHandler homeTimer(host_->main, host_->buttons);
    AttachTargetPickers(&homeTimer, host_->main, host_->buttons);
    homeTimer.Show(1, 0);
    QCOMPARE(homeTimer.Editing->Selected, hall);
    QTest::mouseDClick(homeTimer.AppPanel()->imgSA3, Qt::LeftButton);
    auto* picker = homeTimer.findChild<TSceneRuimteUIHandler*>();
    QTest::mouseClick(picker->Tile(2)->Caption, Qt::LeftButton);
    QTest::mouseClick(picker->Devices()->Tile(1)->Caption, Qt::LeftButton);
    QTest::mouseClick(picker->Buttons()->ButOK, Qt::LeftButton);
    QTest::mouseClick(homeTimer.Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(hall->Ruimte, 2);
    QCOMPARE(hall->Apparaat, 1);

    // What the box holds is what the installation gives.
    QCOMPARE(TLoadSave::Instance()->Programma->AllItems.size(), size_t(2));
    const TCommunicatie::BlockCheck check = TCommunicatie().CheckBlocks();
    QVERIFY(check.SceneTableEqual);
    QVERIFY(check.ProgrammeEqual);
    o->Hide();
  }
};

QTEST_MAIN(TstSceneTimers)
#include "tst_scene_timers.moc"
