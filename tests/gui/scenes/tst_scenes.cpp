// The scenes overview and the scene content screen driven with clicks:
// selection in both modes, running a scene on the simulated box, paging,
// deleting, the description rule, OK and cancel, and scenes after devices
// were deleted on the home screen.
#include <QLineEdit>

#include "SceneTestSupport.h"
#include "core/device/Communicatie.h"
#include "core/shell/Language.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/scenes/SceneInhoudHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "gui/scenes/ScenesOverzichtButHandler.h"
#include "gui/scenes/ScenesOverzichtHandler.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/SmoothPanel.h"

class TstScenes : public SceneScreenTest {
  Q_OBJECT

  std::unique_ptr<TScenesOverzichtHandler> overview_;

  TScenesOverzichtHandler* Overview(bool selectMode) {
    overview_ = std::make_unique<TScenesOverzichtHandler>(host_->main, selectMode, host_->buttons);
    ShowHost();
    return overview_.get();
  }
  void ClickScene(int s) { QTest::mouseClick(overview_->Tile(s)->Name, Qt::LeftButton); }
  TSceneInhoudHandler* OpenContent(int s) {
    QTest::mouseDClick(overview_->Tile(s)->Picture, Qt::LeftButton);
    TSceneInhoudHandler* c = overview_->Content();
    return c && c->IsOpen() ? c : nullptr;
  }
  static void ClickRow(TSceneInhoudHandler* c, int row) {
    QTest::mouseClick(c->Row(row)->Background, Qt::LeftButton);
  }
  static int Led(const TSceneItemUI* row) {
    for (int n : {UIPic::LedsNone, UIPic::LedsRed, UIPic::LedsGreen, UIPic::LedsYellow})
      if (ShowsPicture(row->Led, n)) return n;
    return 0;
  }
  // Eight rooms of three devices; scene 0 "Evening" with three items, scene 1
  // named but without items, scene 2 with one item.
  static void Installation() {
    FillInstallation(8, {3, 3, 3, 3, 3, 3, 3, 3});
    SetScene(0, QStringLiteral("Evening"), {Item(0, 0, 6), Item(1, 2, 17), Item(2, 1, 0)});
    SetScene(1, QStringLiteral("Ghost"), {});
    SetScene(2, QStringLiteral("Night"), {Item(3, 0, 0)});
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() { Begin(); }
  void cleanup() {
    overview_.reset();
    End();
  }

  void overviewSelectionInBothModes() {
    Installation();
    TScenesOverzichtHandler* o = Overview(false);
    TScenesOverzichtButHandler* b = o->Buttons();
    o->Show(0);
    QVERIFY(o->IsShown());
    QCOMPARE(o->ScenePanel()->caption(), GetText(TextId::ScenesOverview));
    QCOMPARE(o->Tile(0)->Name->text(), QStringLiteral("Evening"));
    QCOMPARE(o->Tile(15)->Number->text(), QStringLiteral("16"));
    QVERIFY(o->Tile(0)->IsSelected());
    QVERIFY(ShowsPicture(o->Tile(0)->Picture, UIPic::SceneSelected));
    QCOMPARE(o->Tile(0)->Name->fontColor(), QColor(Qt::white));
    QVERIFY(b->ButTimer->isVisible() && b->ButUitvoeren->isVisible() && !b->ButOK->isVisible());
    // A named scene without items is empty: selected, but nothing to run.
    ClickScene(1);
    QCOMPARE(o->SelectedScene(), 1);
    QVERIFY(ShowsPicture(o->Tile(0)->Picture, UIPic::SceneNotSelected));
    QVERIFY(!b->ButUitvoeren->isEnabled() && !b->ButTimer->isEnabled());
    ClickScene(2);
    QVERIFY(b->ButUitvoeren->isEnabled() && b->ButTimer->isEnabled());
    // The timer button opens the scene's programme: target 17 + scene.
    QTest::mouseClick(b->ButTimer, Qt::LeftButton);
    QVERIFY(o->Timer() && o->Timer()->IsShown());
    QCOMPARE(o->Timer()->Ruimte, 19);
    o->Timer()->Back();
    QVERIFY(o->IsShown() && b->IsShown());
    QTest::mouseClick(b->ButTerug, Qt::LeftButton);
    QVERIFY(!o->IsShown() && !b->IsShown());

    // Select mode: empty scenes cannot be chosen; OK reports the choice.
    TScenesOverzichtHandler* s = Overview(true);
    TScenesOverzichtButHandler* sb = s->Buttons();
    int chosen = -1;
    s->Show(2, [&](int scene) { chosen = scene; });
    QVERIFY(sb->ButOK->isVisible() && !sb->ButTimer->isVisible() && !sb->ButUitvoeren->isVisible());
    ClickScene(1);
    QCOMPARE(s->SelectedScene(), 2);
    QVERIFY(!s->Tile(1)->IsSelected());
    ClickScene(0);
    QTest::mouseClick(sb->ButOK, Qt::LeftButton);
    QCOMPARE(chosen, 0);
    QVERIFY(!s->IsShown());
    // Opened on an empty scene, OK waits for a scene with items.
    chosen = -1;
    s->Show(1, [&](int scene) { chosen = scene; });
    QVERIFY(!sb->ButOK->isEnabled());
    s->OK();
    QCOMPARE(chosen, -1);
    QVERIFY(s->IsShown());
    // No double-click editing in select mode.
    QTest::mouseDClick(s->Tile(0)->Picture, Qt::LeftButton);
    QVERIFY(!s->Content());
  }

  // The grid takes arrows by lines of four; Enter opens, and each screen in
  // front takes the focus and gives it back.
  void keysOnTheSceneScreens() {
    Installation();
    TScenesOverzichtHandler* o = Overview(false);
    o->Show(0);
    const auto focus = [this] { return host_->window.focusWidget(); };
    QCOMPARE(focus(), o->Tile(0)->Picture);
    QTest::keyClick(focus(), Qt::Key_Down);
    QTest::keyClick(focus(), Qt::Key_Right);
    QTest::keyClick(focus(), Qt::Key_Up);
    QCOMPARE(o->SelectedScene(), 1);
    QCOMPARE(focus(), o->Tile(1)->Picture);
    QTest::keyClick(focus(), Qt::Key_Return);
    TSceneInhoudHandler* c = o->Content();
    QVERIFY(c && c->IsOpen());
    QCOMPARE(focus(), c->DescriptionBox());
    QTest::keyClick(focus(), Qt::Key_Tab);
    QCOMPARE(focus(), c->Row(0)->Background);
    QTest::keyClick(focus(), Qt::Key_Right);  // no item there yet
    QCOMPARE(c->SelectedRow(), 0);
    // The blank row: compose room 0's first device; Enter on it is OK.
    QTest::keyClick(focus(), Qt::Key_Return);
    QVERIFY(c->Composition() && c->Composition()->IsShown());
    QTest::keyClick(focus(), Qt::Key_Down);
    QTest::keyClick(focus(), Qt::Key_Right);
    QTest::keyClick(focus(), Qt::Key_Return);
    QVERIFY(!c->Composition()->IsShown());
    QCOMPARE(c->WorkingCopy().ItemCount(), 1);
    QCOMPARE(c->WorkingCopy().Akties[0].Apparaat, 1);
    QCOMPARE(focus(), c->Row(0)->Background);

    // Select mode: Enter is OK.
    TScenesOverzichtHandler* s = Overview(true);
    int chosen = -1;
    s->Show(2, [&](int scene) { chosen = scene; });
    QCOMPARE(focus(), s->Tile(2)->Picture);
    QTest::keyClick(focus(), Qt::Key_Left);  // scene 1 has no items
    QTest::keyClick(focus(), Qt::Key_Return);
    QCOMPARE(chosen, 2);
  }

  void executeSyncsTheTableOnlyWhenItDiffers() {
    Installation();
    TScenesOverzichtHandler* o = Overview(false);
    o->Show(0);
    // No box: the user is told, nothing is sent.
    MeldUser user;
    user.Expect(1);
    QTest::mouseClick(o->Buttons()->ButUitvoeren, Qt::LeftButton);
    QCOMPARE(user.seen, QStringList{GetText(TextId::Attention) + QLatin1Char('|') +
                                    GetText(TextId::TheKLV820IsNotConnected)});

    PlugBox();
    ClickScene(2);
    QTest::mouseClick(o->Buttons()->ButUitvoeren, Qt::LeftButton);
    const QString first = Letters(*box_);
    QVERIFY2(first.startsWith(QStringLiteral("cccccccc")) && first.contains(QLatin1Char('C')),
             qPrintable(first));
    QVERIFY(first.endsWith(QLatin1Char('S')));
    QCOMPARE(box_->Received().back()[2], uint8_t(2));
    TCommunicatie expected;
    expected.BuildSceneTable();
    QCOMPARE(box_->SceneTable, expected.SceneTable);
    // The box holds the table now: read back, not sent again.
    box_->ClearLog();
    ClickScene(0);
    QTest::mouseClick(o->Buttons()->ButUitvoeren, Qt::LeftButton);
    QCOMPARE(Letters(*box_), QStringLiteral("ccccccccS"));
    QCOMPARE(box_->Received().back()[2], uint8_t(0));
  }

  void contentPagesLedsAndDelete() {
    Installation();
    std::vector<TSceneAktie> seven;
    for (int i = 0; i < 7; ++i) seven.push_back(Item(i, i % 3, i == 0 ? 0 : i == 1 ? 17 : i));
    SetScene(3, QStringLiteral("Seven"), seven);
    std::vector<TSceneAktie> eight = seven;
    eight.push_back(Item(7, 0));
    SetScene(4, QStringLiteral("Eight"), eight);
    TScenesOverzichtHandler* o = Overview(false);
    o->Show(0);

    TSceneInhoudHandler* c = OpenContent(3);
    QVERIFY(c);
    QCOMPARE(c->ScenePanel()->caption(), GetText(TextId::Scene) + QStringLiteral(" 4: Seven"));
    QCOMPARE(c->Row(0)->Room->text(), QStringLiteral("Room 0"));
    QCOMPARE(c->Row(2)->Device->text(), QStringLiteral("Device 2.2"));
    QVERIFY(!c->Row(2)->Picture->picture().isNull());
    QCOMPARE(Led(c->Row(0)), int(UIPic::LedsRed));
    QCOMPARE(Led(c->Row(1)), int(UIPic::LedsGreen));
    QCOMPARE(Led(c->Row(2)), int(UIPic::LedsYellow));
    QCOMPARE(Led(c->Row(7)), int(UIPic::LedsNone));
    QVERIFY(c->Row(7)->Device->text().isEmpty() && c->Row(7)->Picture->picture().isNull());
    // Seven items: one page; the blank eighth row can be selected.
    QCOMPARE(DotPicture(c->Indicator()->Indicators[1]->Image), int(UIPic::PIDisabled));
    ClickRow(c, 7);
    QCOMPARE(c->SelectedRow(), 7);
    QTest::mouseClick(c->Buttons()->ButExit(), Qt::LeftButton);
    QVERIFY(!c->IsOpen());

    // Eight items: page 1 holds only the blank row.
    c = OpenContent(4);
    QCOMPARE(DotPicture(c->Indicator()->Indicators[1]->Image), int(UIPic::PINotSel));
    QTest::mouseClick(c->Indicator()->Indicators[1]->Image, Qt::LeftButton);
    QCOMPARE(c->CurrentPage(), 1);
    QCOMPARE(c->SelectedRow(), 0);
    QVERIFY(c->Row(0)->IsSelected());
    ClickRow(c, 1);
    QCOMPARE(c->SelectedRow(), 0);
    for (int i = 0; i < 8; ++i) QCOMPARE(Led(c->Row(i)), int(UIPic::LedsNone));
    // Delete on the blank row changes nothing.
    QTest::mouseClick(c->Buttons()->ButWissen(), Qt::LeftButton);
    QCOMPARE(c->WorkingCopy().ItemCount(), 8);

    // Delete in the middle: the later items move up, the last slot frees.
    QTest::mouseClick(c->Indicator()->Indicators[0]->Image, Qt::LeftButton);
    ClickRow(c, 2);
    QTest::mouseClick(c->Buttons()->ButWissen(), Qt::LeftButton);
    const TScene& w = c->WorkingCopy();
    QCOMPARE(w.ItemCount(), 7);
    QCOMPARE(w.Akties[2].Ruimte, 3);
    QCOMPARE(w.Akties[6].Ruimte, 7);
    QCOMPARE(w.Akties[7].Apparaat, -1);
    QCOMPARE(c->Row(2)->Room->text(), QStringLiteral("Room 3"));
    QCOMPARE(DotPicture(c->Indicator()->Indicators[1]->Image), int(UIPic::PIDisabled));
    // Only the copy changed.
    QCOMPARE(TLoadSave::Instance()->Scenes[4].ItemCount(), 8);
    QTest::mouseClick(c->Buttons()->ButExit(), Qt::LeftButton);
    QCOMPARE(TLoadSave::Instance()->Scenes[4].ItemCount(), 8);
  }

  void contentDescriptionOkAndCancel() {
    Installation();
    TScenesOverzichtHandler* o = Overview(false);
    o->Show(0);
    TSceneInhoudHandler* c = OpenContent(2);
    QLineEdit* box = c->DescriptionBox();
    QCOMPARE(box->text(), QStringLiteral("Night"));
    // The caption follows the typing.
    box->clear();
    QTest::keyClicks(box, QStringLiteral("Late"));
    QCOMPARE(c->ScenePanel()->caption(), GetText(TextId::Scene) + QStringLiteral(" 3: Late"));
    // A scene with items needs a description.
    box->clear();
    QTest::mouseClick(c->Buttons()->ButOK(), Qt::LeftButton);
    QVERIFY(c->IsOpen());
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::red));
    QTest::keyClicks(box, QStringLiteral("Late night"));
    QCOMPARE(box->palette().color(QPalette::Base), QColor(Qt::white));
    QTest::mouseClick(c->Buttons()->ButOK(), Qt::LeftButton);
    QVERIFY(!c->IsOpen());
    QVERIFY(o->IsShown());
    QCOMPARE(TLoadSave::Instance()->Scenes[2].Naam, QStringLiteral("Late night"));
    QCOMPARE(o->Tile(2)->Name->text(), QStringLiteral("Late night"));

    // Without items and without a description OK is accepted; deleting the
    // scene's only item empties it, and the overview's buttons follow.
    c = OpenContent(2);
    QVERIFY(o->Buttons()->ButUitvoeren->isEnabled());
    c->DeleteItem();
    box->clear();
    c->OK();
    QVERIFY(!c->IsOpen());
    QVERIFY(TLoadSave::Instance()->Scenes[2].IsEmpty());
    QVERIFY(!o->Buttons()->ButUitvoeren->isEnabled());

    // Cancel drops every change.
    const TScene before = TLoadSave::Instance()->Scenes[0];
    c = OpenContent(0);
    c->DeleteItem();
    QTest::keyClicks(box, QStringLiteral(" changed"));
    QTest::mouseClick(c->Buttons()->ButExit(), Qt::LeftButton);
    const TScene& after = TLoadSave::Instance()->Scenes[0];
    QCOMPARE(after.Naam, before.Naam);
    QCOMPARE(after.ItemCount(), 3);
    QCOMPARE(after.Akties[0].Waarde, before.Akties[0].Waarde);
  }

  void composingAppendsAndChangesItems() {
    Installation();
    TScenesOverzichtHandler* o = Overview(false);
    o->Show(0);
    TSceneInhoudHandler* c = OpenContent(0);
    // Double-click on the first blank row opens the composition on it.
    QTest::mouseDClick(c->Row(3)->Background, Qt::LeftButton);
    TSceneRuimteUIHandler* comp = c->Composition();
    QVERIFY(comp && comp->IsShown());
    QTest::mouseClick(comp->Tile(1)->Caption, Qt::LeftButton);                // room 1
    QTest::mouseClick(comp->Devices()->Tile(1)->Background, Qt::LeftButton);  // device 1 (a dimmer)
    QTest::mouseClick(comp->Buttons()->ButDimDn, Qt::LeftButton);
    QTest::mouseClick(comp->Buttons()->ButOK, Qt::LeftButton);
    QVERIFY(!comp->IsShown());
    QVERIFY(c->IsOpen());
    const TSceneAktie& a = c->WorkingCopy().Akties[3];
    QCOMPARE(a.Ruimte, 1);
    QCOMPARE(a.Apparaat, 1);
    QCOMPARE(a.Waarde, 7);
    QCOMPARE(c->Row(3)->Device->text(), QStringLiteral("Device 1.1"));
    QCOMPARE(Led(c->Row(3)), int(UIPic::LedsYellow));
    // A double-click beyond the blank row opens nothing.
    QTest::mouseDClick(c->Row(6)->Background, Qt::LeftButton);
    QVERIFY(!comp->IsShown());
    // Changing an item keeps its place; back reports nothing.
    QTest::mouseDClick(c->Row(0)->Room, Qt::LeftButton);
    QVERIFY(comp->IsShown());
    QTest::mouseClick(comp->Buttons()->ButOn, Qt::LeftButton);
    QTest::mouseClick(comp->Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(c->WorkingCopy().Akties[0].Waarde, 6);
    QTest::mouseDClick(c->Row(0)->Room, Qt::LeftButton);
    QTest::mouseClick(comp->Buttons()->ButOn, Qt::LeftButton);
    QTest::mouseClick(comp->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(c->WorkingCopy().Akties[0].Waarde, 17);
    QCOMPARE(c->WorkingCopy().ItemCount(), 4);
  }

  void scenesFollowDeletedDevices() {
    Installation();
    // Scene 5: a device of room 1 twice around one of room 0; scene 6: only
    // the device about to go.
    SetScene(5, QStringLiteral("Mixed"), {Item(1, 2, 17), Item(0, 1, 3), Item(1, 0, 0)});
    SetScene(6, QStringLiteral("Lonely"), {Item(1, 1, 17)});
    auto home = std::make_unique<TRuimteUIHandler>(host_->main, host_->buttons);
    home->Show();
    AttachScenesOverview(home.get(), host_->main, host_->buttons);
    ShowHost();
    // Device 1 of room 1 goes: device 2 becomes 1.
    QTest::mouseClick(home->Tile(1)->Caption, Qt::LeftButton);
    home->Devices()->DeleteItem(1);

    // "scenes" builds the overview once, owned by the home screen.
    QTest::mouseClick(home->Buttons()->ButScene, Qt::LeftButton);
    auto* o = home->findChild<TScenesOverzichtHandler*>();
    QVERIFY(o && o->IsShown());
    QTest::mouseClick(o->Buttons()->ButTerug, Qt::LeftButton);
    QTest::mouseClick(home->Buttons()->ButScene, Qt::LeftButton);
    QCOMPARE(home->findChildren<TScenesOverzichtHandler*>().size(), 1);

    QTest::mouseClick(o->Tile(6)->Name, Qt::LeftButton);
    QVERIFY(TLoadSave::Instance()->Scenes[6].IsEmpty());
    QVERIFY(!o->Buttons()->ButUitvoeren->isEnabled());
    QCOMPARE(o->Tile(6)->Name->text(), QStringLiteral("Lonely"));
    QTest::mouseDClick(o->Tile(5)->Picture, Qt::LeftButton);
    TSceneInhoudHandler* c = o->Content();
    QVERIFY(c && c->IsOpen());
    QCOMPARE(c->WorkingCopy().ItemCount(), 3);
    QCOMPARE(c->Row(0)->Device->text(), QStringLiteral("Device 1.2"));
    QCOMPARE(c->WorkingCopy().Akties[0].Apparaat, 1);
    QCOMPARE(c->Row(2)->Device->text(), QStringLiteral("Device 1.0"));
    c->Cancel();
    o->Hide();
    home.reset();
  }
};

QTEST_MAIN(TstScenes)
#include "tst_scenes.moc"
