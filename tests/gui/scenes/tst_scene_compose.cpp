// The scene composition screen: opening on an item, the remembered device
// that brings the opening action back in any room, the action buttons, target
// mode and the slots that cannot be chosen.
#include "SceneTestSupport.h"
#include "core/shell/Language.h"
#include "gui/rooms/RuimteAppButHandler.h"
#include "gui/scenes/SceneSamenstellenHandler.h"
#include "ui_RuimteAppInterface.h"

class TstSceneCompose : public SceneScreenTest {
  Q_OBJECT

  std::unique_ptr<TSceneRuimteUIHandler> comp_;
  struct Result {
    int room = -2, device = -2, action = -2;
  } result_;

  TSceneRuimteUIHandler* Make(bool targetMode) {
    comp_ = std::make_unique<TSceneRuimteUIHandler>(host_->main, targetMode, host_->buttons);
    ShowHost();
    return comp_.get();
  }
  void Open(int room, int device, int action) {
    result_ = {};
    comp_->Show(room, device, action, [this](int r, int d, int a) { result_ = {r, d, a}; });
  }
  TSceneAppUIHandler* Apps() const { return comp_->Devices(); }
  TRuimteAppButHandler* Buttons() const { return comp_->Buttons(); }
  void ClickRoom(int pos) { QTest::mouseClick(comp_->Tile(pos)->Caption, Qt::LeftButton); }
  void ClickDevice(int pos) { QTest::mouseClick(Apps()->Tile(pos)->Background, Qt::LeftButton); }
  int Led(int pos) const {
    const TImage* led = Apps()->Tile(pos)->Led;
    if (!led || led->isHidden()) return 0;
    for (int n : {UIPic::LedsNone, UIPic::LedsRed, UIPic::LedsGreen, UIPic::LedsYellow})
      if (ShowsPicture(led, n)) return n;
    return -1;
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() { Begin(); }
  void cleanup() {
    comp_.reset();
    End();
  }

  void openingItemAndRememberedDevice() {
    // Seven rooms with eight devices each.
    FillInstallation(7, std::vector<int>(7, 8));
    Make(false);
    QCOMPARE(comp_->Design()->ui->lblRuimtes->text(), GetText(TextId::SceneRooms));
    Open(5, 6, 17);
    QVERIFY(comp_->IsShown());
    QCOMPARE(comp_->CurrentPage(), 1);
    QCOMPARE(comp_->SelectedPosition(), 1);
    QVERIFY(comp_->Tile(1)->IsSelected() && !comp_->Tile(0)->IsSelected());
    QCOMPARE(Apps()->Room(), 5);
    QCOMPARE(Apps()->CurrentPage(), 1);
    QCOMPARE(Apps()->SelectedPosition(), 2);
    QCOMPARE(Led(2), int(UIPic::LedsGreen));
    QCOMPARE(Led(0), int(UIPic::LedsNone));

    // Another device is off; the opening one brings its action back.
    ClickDevice(3);
    QCOMPARE(Apps()->Action(), 0);
    QCOMPARE(Led(3), int(UIPic::LedsRed));
    QCOMPARE(Led(2), int(UIPic::LedsNone));
    ClickDevice(2);
    QCOMPARE(Apps()->Action(), 17);
    // The remembered position is a device index only: in room 4 too.
    ClickRoom(0);
    QCOMPARE(Apps()->Room(), 4);
    QCOMPARE(Apps()->CurrentPage(), 0);
    QCOMPARE(Apps()->Action(), 0);
    QTest::mouseClick(Apps()->Indicator()->Indicators[1]->Image, Qt::LeftButton);
    ClickDevice(2);
    QCOMPARE(Apps()->AbsoluteIndex(), 6);
    QCOMPARE(Apps()->Action(), 17);
    QTest::mouseClick(Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(result_.room, 4);
    QCOMPARE(result_.device, 6);
    QCOMPARE(result_.action, 17);
    QVERIFY(!comp_->IsShown() && !Buttons()->IsShown());

    // A dimmed opening item: yellow, its level in LDimmer.
    Open(2, 1, 6);
    QCOMPARE(Led(1), int(UIPic::LedsYellow));
    QCOMPARE(Buttons()->LDimmer->text(), QStringLiteral("6"));
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(result_.room, -2);
  }

  void actionButtonsSendNothing() {
    FillInstallation(2, {2, 3});
    PlugBox();
    Make(false);
    // Nothing chosen yet: room 0, device 0; the given action stays, no LED.
    Open(-1, -1, 9);
    QCOMPARE(comp_->AbsoluteIndex(), 0);
    QCOMPARE(Apps()->AbsoluteIndex(), 0);
    QCOMPARE(Apps()->Action(), 9);
    QCOMPARE(Led(0), int(UIPic::LedsNone));
    // Device 1 is a dimmer: "--" stops at 1, "+" at 16.
    ClickDevice(1);
    QVERIFY(Buttons()->ButDimDn->isEnabled());
    Buttons()->LDimmer->setText(QStringLiteral("2"));
    QTest::mouseClick(Buttons()->ButDimDn, Qt::LeftButton);
    QTest::mouseClick(Buttons()->ButDimDn, Qt::LeftButton);
    QCOMPARE(Buttons()->LDimmer->text(), QStringLiteral("1"));
    QCOMPARE(Apps()->Action(), 1);
    QCOMPARE(Led(1), int(UIPic::LedsYellow));
    Buttons()->LDimmer->setText(QStringLiteral("15"));
    QTest::mouseClick(Buttons()->ButDimUp, Qt::LeftButton);
    QTest::mouseClick(Buttons()->ButDimUp, Qt::LeftButton);
    QCOMPARE(Buttons()->LDimmer->text(), QStringLiteral("16"));
    QTest::mouseClick(Buttons()->ButOn, Qt::LeftButton);
    QCOMPARE(Led(1), int(UIPic::LedsGreen));
    QTest::mouseClick(Buttons()->ButOff, Qt::LeftButton);
    QCOMPARE(Apps()->Action(), 0);
    // Device 0 is no dimmer.
    ClickDevice(0);
    QVERIFY(!Buttons()->ButDimmer->isEnabled() && Buttons()->ButOn->isEnabled());
    QTest::mouseClick(Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(result_.action, 9);
    QVERIFY(box_->Received().empty());
  }

  void targetModeAndBlankSlots() {
    // Five rooms; room 4 has no devices.
    FillInstallation(5, {2, 1, 1, 1, 0});
    Make(true);
    comp_->SetTitles(GetText(TextId::TimerRooms), GetText(TextId::TimerDevices));
    QCOMPARE(comp_->Design()->ui->lblApparaten->text(), GetText(TextId::TimerDevices));
    Open(0, 1, 0);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Buttons()->ButOn, Buttons()->ButOff, Buttons()->ButDimmer,
                                         Buttons()->ButDimDn, Buttons()->ButDimUp, Buttons()->LDimmer,
                                         Buttons()->ButExtra, Buttons()->ButScene, Buttons()->ButTimer})
      QVERIFY(!w->isVisible());
    QVERIFY(Buttons()->ButOK->isVisible() && Buttons()->ButExit->isVisible());
    QCOMPARE(Buttons()->ButExit->text(), GetText(TextId::Back));
    for (int i = 0; i < 4; ++i) QCOMPARE(Led(i), 0);
    // The blank device slot cannot be chosen.
    ClickDevice(2);
    QCOMPARE(Apps()->SelectedPosition(), 1);
    // Room page 1 shows one room; its blank tiles cannot be chosen.
    QCOMPARE(DotPicture(comp_->Indicator()->Indicators[1]->Image), int(UIPic::PINotSel));
    QCOMPARE(DotPicture(comp_->Indicator()->Indicators[2]->Image), int(UIPic::PIDisabled));
    QTest::mouseClick(comp_->Indicator()->Indicators[1]->Image, Qt::LeftButton);
    QCOMPARE(comp_->Tile(0)->Caption->text(), QStringLiteral("Room 4"));
    QVERIFY(comp_->Tile(1)->Caption->text().isEmpty());
    ClickRoom(1);
    QCOMPARE(comp_->SelectedPosition(), 0);
    // Room 4 has no device: OK is disabled and reports nothing.
    QCOMPARE(Apps()->Room(), 4);
    QVERIFY(!Buttons()->ButOK->isEnabled());
    comp_->OK();
    QCOMPARE(result_.room, -2);
    QVERIFY(comp_->IsShown());
    QTest::mouseClick(comp_->Indicator()->Indicators[0]->Image, Qt::LeftButton);
    ClickRoom(3);
    QVERIFY(Buttons()->ButOK->isEnabled());
    QTest::mouseClick(Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(result_.room, 3);
    QCOMPARE(result_.device, 0);
    // With four rooms the room row has one page.
    TLoadSave::Instance()->Ruimtes[4] = TRuimte{};
    Open(0, 0, 0);
    QCOMPARE(DotPicture(comp_->Indicator()->Indicators[0]->Image), int(UIPic::PISel));
    QCOMPARE(DotPicture(comp_->Indicator()->Indicators[1]->Image), int(UIPic::PIDisabled));
  }
};

QTEST_MAIN(TstSceneCompose)
#include "tst_scene_compose.moc"
