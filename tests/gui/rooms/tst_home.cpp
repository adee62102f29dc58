// The home screen driven with clicks: tile, page and selection rules, the
// button column, switching and dimming against a simulated box, deletion with
// its renumbering, and the exit sequence.
#include <QDir>
#include <QFile>

#include "HomeTestSupport.h"
#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/shell/UIImages.h"
#include "gui/shell/Utilities.h"
#include "ui_RuimteAppInterface.h"

using Ev = SimulatedBox::SwitchEvent;

class TstHome : public HomeScreenTest {
  Q_OBJECT

  int terminated_ = 0;

  void Start() {
    ShowHome([this] { ++terminated_; });
    home_->SendPauseMs = 0;
  }
  void PlugBox() {
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
    box_->SwitchEvents.clear();
    box_->ClearLog();
  }
  TAppUIHandler* Apps() { return home_->Devices(); }
  TRuimteAppButHandler* Buttons() { return home_->Buttons(); }
  void ClickRoom(int pos) { QTest::mouseClick(home_->Tile(pos)->Caption, Qt::LeftButton); }
  void ClickDevice(int pos) { QTest::mouseClick(Apps()->Tile(pos)->Background, Qt::LeftButton); }
  static bool LooksSelected(TRuimteAppUI* t) {
    return t->Background->picture() == TImageFetcher::Instance()->Picture(UIPic::Selected) &&
           t->Caption->fontColor() == QColor(Qt::white);
  }
  static int DotPicture(TImage* dot) {
    for (int n : {UIPic::PISel, UIPic::PINotSel, UIPic::PIDisabled})
      if (dot->picture() == TImageFetcher::Instance()->Picture(n)) return n;
    return 0;
  }
  std::vector<Ev> Events() const { return box_->SwitchEvents; }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    terminated_ = 0;
  }
  void cleanup() { ReleaseHome(); }

  void emptyInstallation() {
    Start();
    TRuimteAppUIHandler* rooms = home_.get();
    QVERIFY(LooksSelected(rooms->Tile(0)));
    ClickRoom(2);  // beyond the blank slot
    QCOMPARE(rooms->SelectedPosition(), 0);
    QVERIFY(!LooksSelected(rooms->Tile(2)));
    QCOMPARE(DotPicture(rooms->Indicator()->Indicators[0]->Image), UIPic::PISel);
    QCOMPARE(DotPicture(rooms->Indicator()->Indicators[1]->Image), UIPic::PIDisabled);
    // The device row of an empty room: four plain tiles that do not select.
    for (int i = 0; i < 4; ++i) QVERIFY(!LooksSelected(Apps()->Tile(i)));
    ClickDevice(0);
    for (int i = 0; i < 4; ++i) QVERIFY(!LooksSelected(Apps()->Tile(i)));
    QCOMPARE(home_->Form()->ui->lblRuimtes->text(), GetText(TextId::Rooms));
    QCOMPARE(home_->Form()->ui->lblApparaten->text(), GetText(TextId::Devices));
  }

  void tilesPagesAndSelection() {
    FillInstallation(5, {3, 6});
    Start();
    TRuimteAppUIHandler* rooms = home_.get();
    QCOMPARE(rooms->Tile(3)->Caption->text(), QStringLiteral("Room 3"));
    QVERIFY(!rooms->Tile(0)->Picture->picture().isNull());
    // Two pages: 4 rooms, then room 4 and the blank slot.
    QCOMPARE(DotPicture(rooms->Indicator()->Indicators[1]->Image), UIPic::PINotSel);
    QCOMPARE(DotPicture(rooms->Indicator()->Indicators[2]->Image), UIPic::PIDisabled);
    ClickRoom(2);
    QCOMPARE(rooms->AbsoluteIndex(), 2);
    // A dot of the shown page keeps the selection.
    QTest::mouseClick(rooms->Indicator()->Indicators[0]->Image, Qt::LeftButton);
    QCOMPARE(rooms->AbsoluteIndex(), 2);
    QTest::mouseClick(rooms->Indicator()->Indicators[1]->Image, Qt::LeftButton);
    QCOMPARE(rooms->CurrentPage(), 1);
    QCOMPARE(rooms->AbsoluteIndex(), 4);
    QVERIFY(LooksSelected(rooms->Tile(0)));
    QCOMPARE(rooms->Tile(0)->Caption->text(), QStringLiteral("Room 4"));
    QCOMPARE(rooms->Tile(1)->Caption->text(), QString());
    QVERIFY(rooms->Tile(1)->Picture->picture().isNull());
    ClickRoom(1);  // the blank slot after the last room
    QCOMPARE(rooms->AbsoluteIndex(), 5);
    ClickRoom(2);
    QCOMPARE(rooms->AbsoluteIndex(), 5);
    QVERIFY(!LooksSelected(rooms->Tile(2)));
    // Unavailable dots ignore clicks.
    QTest::mouseClick(rooms->Indicator()->Indicators[3]->Image, Qt::LeftButton);
    QCOMPARE(rooms->CurrentPage(), 1);

    // A room click shows that room's devices, selecting the first.
    QTest::mouseClick(rooms->Indicator()->Indicators[0]->Image, Qt::LeftButton);
    ClickRoom(1);
    QCOMPARE(Apps()->Room(), 1);
    QCOMPARE(Apps()->Tile(0)->Caption->text(), QStringLiteral("Device 1.0"));
    QTest::mouseClick(Apps()->Indicator()->Indicators[1]->Image, Qt::LeftButton);
    QCOMPARE(Apps()->Tile(1)->Caption->text(), QStringLiteral("Device 1.5"));
    ClickDevice(2);  // the blank slot after device 5
    QCOMPARE(Apps()->AbsoluteIndex(), 6);
    ClickDevice(3);
    QCOMPARE(Apps()->AbsoluteIndex(), 6);
    ClickRoom(0);
    QCOMPARE(Apps()->Room(), 0);
    QCOMPARE(Apps()->AbsoluteIndex(), 0);
    QVERIFY(LooksSelected(Apps()->Tile(0)));
  }

  void sixteenRoomsHaveNoBlankSlot() {
    FillInstallation(16, {});
    Start();
    QTest::mouseClick(home_->Indicator()->Indicators[3]->Image, Qt::LeftButton);
    ClickRoom(3);
    QCOMPARE(home_->AbsoluteIndex(), 15);
    QCOMPARE(home_->Tile(3)->Caption->text(), QStringLiteral("Room 15"));
  }

  void buttonColumn() {
    FillInstallation(1, {2});
    TLoadSave::Instance()->Ruimtes[0].Apparaten[1].DimNiveau = 11;
    Start();
    TRuimteAppButHandler* b = Buttons();
    QVERIFY(b->IsShown());
    QCOMPARE(b->MainBtnContainer()->parentWidget(), host_->buttons);
    QVERIFY(b->ButOK->isHidden());
    for (TGradBtn* btn : {b->ButExit, b->ButExtra, b->ButScene, b->ButTimer, b->ButOn, b->ButDimmer,
                          b->ButDimDn, b->ButDimUp, b->ButOff})
      QVERIFY2(!btn->isHidden(), qPrintable(btn->objectName()));
    QVERIFY(!b->LDimmer->isHidden());
    QCOMPARE(b->ButExit->text(), GetText(TextId::Exit));
    QCOMPARE(b->ButDimmer->text(), GetText(TextId::DimValue));
    QCOMPARE(b->ButDimDn->text(), QStringLiteral("--"));

    // Device 0 switches only, device 1 dims.
    QVERIFY(!b->ButDimmer->isEnabled() && !b->ButDimUp->isEnabled() && !b->LDimmer->isEnabled());
    QVERIFY(b->ButOn->isEnabled());
    ClickDevice(1);
    QVERIFY(b->ButDimmer->isEnabled() && b->ButDimDn->isEnabled());
    QCOMPARE(b->LDimmer->text(), QStringLiteral("11"));
    // The blank slot: nothing to switch.
    ClickDevice(2);
    QVERIFY(!b->ButOn->isEnabled() && !b->ButOff->isEnabled() && !b->ButTimer->isEnabled());

    // The timer button hands on the selected room and device.
    int room = -1, device = -1;
    home_->OpenTimer = [&](int r, int d) { room = r, device = d; };
    ClickDevice(1);
    QTest::mouseClick(b->ButTimer, Qt::LeftButton);
    QCOMPARE(room, 0);
    QCOMPARE(device, 1);
    // Screens not attached yet: the buttons do nothing.
    QTest::mouseClick(b->ButScene, Qt::LeftButton);
    QTest::mouseClick(b->ButExtra, Qt::LeftButton);
  }

  void switchAndDimReports() {
    FillInstallation(1, {});
    TRuimte& room = TLoadSave::Instance()->Ruimtes[0];
    room.Apparaten[0] = TApparaat{QStringLiteral("Wheel"), 0, 1, 1, (3 - 1) * 16 + 1, 16};  // B3
    room.Apparaten[1] = TApparaat{QStringLiteral("Learned"), 0, 0, 1, 200, 1};
    PlugBox();
    Start();
    TRuimteAppButHandler* b = Buttons();
    QTest::mouseClick(b->ButOn, Qt::LeftButton);
    QTest::mouseClick(b->ButOff, Qt::LeftButton);
    QTest::mouseClick(b->ButDimUp, Qt::LeftButton);  // stays at 16
    QTest::mouseClick(b->ButDimDn, Qt::LeftButton);
    QCOMPARE(Events(),
             (std::vector<Ev>{{'Z', 33, 0x22, 5}, {'Z', 33, 0x00, 5}, {'Z', 33, 33, 5}, {'Z', 33, 31, 5}}));
    QCOMPARE(room.Apparaten[0].DimNiveau, 15);
    QCOMPARE(b->LDimmer->text(), QStringLiteral("15"));

    box_->SwitchEvents.clear();
    ClickDevice(1);
    QTest::mouseClick(b->ButOn, Qt::LeftButton);
    QTest::mouseClick(b->ButOff, Qt::LeftButton);
    QTest::mouseClick(b->ButDimDn, Qt::LeftButton);  // stays at 1
    QTest::mouseClick(b->ButDimUp, Qt::LeftButton);
    QTest::mouseClick(b->ButDimmer, Qt::LeftButton);
    QCOMPARE(
        Events(),
        (std::vector<Ev>{
            {'Z', 200, 0x23, 5}, {'Z', 200, 0x01, 5}, {'Z', 200, 3, 5}, {'Z', 200, 5, 5}, {'Z', 200, 5, 5}}));
    QCOMPARE(room.Apparaten[1].DimNiveau, 2);
  }

  // The dim level is stored with no OK to wait for: a crash right after it
  // loses nothing.
  void dimLevelReachesTheRecoveryCopy() {
    FillInstallation(1, {2});
    QVERIFY(TLoadSave::Instance()->Save().Ok);
    PlugBox();
    Start();
    ClickDevice(1);
    const int before = TLoadSave::Instance()->Ruimtes[0].Apparaten[1].DimNiveau;
    QTest::mouseClick(Buttons()->ButDimDn, Qt::LeftButton);
    Recovery::Flush();
    home_.reset();
    TLoadSave::Release();  // the crash: nothing saved
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Apparaten[1].DimNiveau, before);
    QVERIFY(Recovery::CopyPending());
    QVERIFY(Recovery::Restore());
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Apparaten[1].DimNiveau, before - 1);
  }

  void noBoxAndNoCodeAreTold() {
    FillInstallation(1, {});
    TRuimte& room = TLoadSave::Instance()->Ruimtes[0];
    room.Apparaten[0] = TApparaat{QStringLiteral("Lamp"), 0, 0, 1, 7, 8};
    room.Apparaten[1] = TApparaat{QStringLiteral("New"), 0, 0, 1, -1, 8};
    Start();
    MeldUser user;
    user.Expect(2);
    QTest::mouseClick(Buttons()->ButOn, Qt::LeftButton);
    QTest::mouseClick(Buttons()->ButDimUp, Qt::LeftButton);
    const QString notConnected = GetText(TextId::Attention) + "|" + GetText(TextId::TheKLV820IsNotConnected);
    QCOMPARE(user.seen, QStringList({notConnected, notConnected}));
    QCOMPARE(room.Apparaten[0].DimNiveau, 8);  // unchanged without a box

    PlugBox();
    ClickDevice(1);
    user.Expect(2);
    QTest::mouseClick(Buttons()->ButOn, Qt::LeftButton);
    QTest::mouseClick(Buttons()->ButDimUp, Qt::LeftButton);
    const QString noCode = GetText(TextId::Attention) + "|" + GetText(TextId::DeviceHasNoCode);
    QCOMPARE(user.seen.mid(2), QStringList({noCode, noCode}));
    QVERIFY(Events().empty());
    QCOMPARE(room.Apparaten[1].DimNiveau, 9);  // the level moved; nothing was sent
  }

  void storeFromTheEditor() {
    FillInstallation(1, {1});
    Start();
    TLoadSave* ls = TLoadSave::Instance();
    // A new room in the blank slot, picture 4 of the library.
    ClickRoom(1);
    const QString longName(40, QLatin1Char('k'));
    home_->StoreItem(longName, 4, -1, false, false, true);
    QCOMPARE(ls->Ruimtes[1].Naam, longName.left(30));
    const int pic = ls->Ruimtes[1].ImageIndex;
    QCOMPARE(pic, 1);
    QCOMPARE(ls->CustomRuimteImageList->Get(pic), ls->RuimteImageList->Get(4));
    QCOMPARE(ls->RoomCount(), 2);
    QCOMPARE(home_->Tile(1)->Caption->text().remove(QLatin1Char('\n')), longName.left(30));
    // The new room's (empty) device row is selectable now.
    QCOMPARE(Apps()->Room(), 1);
    QVERIFY(LooksSelected(Apps()->Tile(0)));

    // Renaming keeps the picture; a new picture replaces it in place.
    home_->StoreItem(QStringLiteral("Hall"), pic, -1, false, false, false);
    home_->StoreItem(QString(), 7, -1, false, false, true);
    QCOMPARE(ls->Ruimtes[1].Naam, QStringLiteral("Hall"));
    QCOMPARE(ls->Ruimtes[1].ImageIndex, pic);
    QCOMPARE(ls->CustomRuimteImageList->Count(), 2);
    QCOMPARE(ls->CustomRuimteImageList->Get(pic), ls->RuimteImageList->Get(7));

    // A device with code wheels in the new room.
    Apps()->StoreItem(QStringLiteral("Lamp"), 2, 33, true, true, true);
    const TApparaat& d = ls->Ruimtes[1].Apparaten[0];
    QCOMPARE(d.Naam, QStringLiteral("Lamp"));
    QCOMPARE(d.Code, 33);
    QCOMPARE(d.CodeSchijf, uint8_t(1));
    QCOMPARE(d.Dimbaar, uint8_t(1));
    QCOMPARE(ls->CustomAppImageList->Get(d.ImageIndex), ls->AppImageList->Get(2));
    const auto mask = ls->CustomAppImageList->MaskColour(d.ImageIndex);
    QVERIFY(mask.has_value());
    QCOMPARE(int(*mask & 0xFFFFFF), TUtilities::UnusedColour(ls->AppImageList->Get(2)));
    QVERIFY(Buttons()->ButDimmer->isEnabled());
    QCOMPARE(Apps()->Tile(0)->Caption->text(), QStringLiteral("Lamp"));

    // Picture -1 deletes.
    Apps()->StoreItem(QString(), -1, -1, false, false, false);
    QCOMPARE(ls->Ruimtes[1].DeviceCount(), 0);
    QVERIFY(!Buttons()->ButOn->isEnabled());
  }

  void deviceDeletionRenumbers() {
    FillInstallation(2, {3, 5});
    TLoadSave* ls = TLoadSave::Instance();
    TScene& s = ls->Scenes[0];
    s.Akties[0] = Item(1, 2);
    s.Akties[1] = Item(1, 3, 5);
    s.Akties[2] = Item(0, 2);
    s.Akties[3] = Item(1, 4);
    ls->Scenes[1].Akties[0] = Item(1, 2);
    ls->Programma->AddUnique(Entry(1, 2, 6));
    ls->Programma->AddUnique(Entry(1, 3, 7));
    ls->Programma->AddUnique(Entry(1, 1, 8));
    ls->Programma->AddUnique(Entry(0, 2, 9));
    ls->Programma->AddUnique(Entry(17, 0, 10));
    const TApparaat moved = ls->Ruimtes[1].Apparaten[3];
    Start();
    ClickRoom(1);
    ClickDevice(2);
    Apps()->StoreItem(QString(), -1, -1, false, false, false);

    QCOMPARE(s.Akties[0].Ruimte, 1);
    QCOMPARE(s.Akties[0].Apparaat, 2);  // formerly (1, 3)
    QCOMPARE(s.Akties[0].Waarde, 5);
    QCOMPARE(s.Akties[1].Apparaat, 2);  // (0, 2) untouched
    QCOMPARE(s.Akties[1].Ruimte, 0);
    QCOMPARE(s.Akties[2].Apparaat, 3);  // formerly (1, 4)
    for (int i = 3; i < ItemsPerScene; ++i) QCOMPARE(s.Akties[i].Apparaat, -1);
    QCOMPARE(ls->Scenes[1].Akties[0].Apparaat, -1);

    QStringList left;
    for (const KeyedAktie& k : ls->Programma->AllItems)
      left << QStringLiteral("%1,%2@%3").arg(k.Entry->Ruimte).arg(k.Entry->Apparaat).arg(k.Entry->Uur);
    left.sort();
    QCOMPARE(left, QStringList({"0,2@9", "1,1@8", "1,2@7", "17,0@10"}));

    const auto& devs = ls->Ruimtes[1].Apparaten;
    QCOMPARE(devs[2].Naam, moved.Naam);
    QCOMPARE(devs[2].Code, moved.Code);
    QCOMPARE(ls->Ruimtes[1].DeviceCount(), 4);
    QVERIFY(devs[15].IsEmpty());
    QCOMPARE(devs[15].Code, -1);
    QCOMPARE(Apps()->Tile(2)->Caption->text(), moved.Naam);
  }

  void roomDeletionRenumbers() {
    FillInstallation(4, {1, 0, 2, 1});
    TLoadSave* ls = TLoadSave::Instance();
    TScene& s = ls->Scenes[3];
    s.Akties[0] = Item(2, 1);
    s.Akties[1] = Item(0, 0);
    s.Akties[2] = Item(3, 0, 4);
    ls->Programma->AddUnique(Entry(2, 0, 6));
    ls->Programma->AddUnique(Entry(3, 0, 7));
    ls->Programma->AddUnique(Entry(0, 0, 8));
    ls->Programma->AddUnique(Entry(17 + 2, 0, 9));  // scene entry: not a room
    const QString room2 = ls->Ruimtes[2].Naam;
    Start();
    ClickRoom(1);
    home_->StoreItem(QString(), -1, -1, false, false, false);

    QCOMPARE(ls->RoomCount(), 3);
    QCOMPARE(ls->Ruimtes[1].Naam, room2);
    QCOMPARE(ls->Ruimtes[1].DeviceCount(), 2);
    QVERIFY(ls->Ruimtes[15].IsEmpty());
    QVERIFY(ls->Ruimtes[15].Apparaten[0].IsEmpty());
    QCOMPARE(s.Akties[0].Ruimte, 1);
    QCOMPARE(s.Akties[0].Apparaat, 1);
    QCOMPARE(s.Akties[1].Ruimte, 0);
    QCOMPARE(s.Akties[2].Ruimte, 2);
    QCOMPARE(s.Akties[2].Waarde, 4);
    QStringList rooms;
    for (const KeyedAktie& k : ls->Programma->AllItems)
      rooms << QStringLiteral("%1@%2").arg(k.Entry->Ruimte).arg(k.Entry->Uur);
    rooms.sort();
    QCOMPARE(rooms, QStringList({"0@8", "19@9", "1@6", "2@7"}));
    // The room now in the selected slot shows its devices.
    QCOMPARE(Apps()->Room(), 1);
    QCOMPARE(Apps()->Tile(0)->Caption->text(), ls->Ruimtes[1].Apparaten[0].Naam);
    QCOMPARE(home_->Tile(1)->Caption->text(), room2);
  }

  void exitSendsWhenTheBoxDiffers() {
    FillInstallation(2, {2, 1});
    TLoadSave::Instance()->Scenes[0].Naam = QStringLiteral("Evening");
    TLoadSave::Instance()->Scenes[0].Akties[0] = Item(0, 1, 9);
    TLoadSave::Instance()->Programma->AddUnique(Entry(1, 0, 7));
    PlugBox();
    Start();
    MeldUser user;
    user.answers = {2};
    user.Expect(1);
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(user.seen,
             QStringList(GetText(TextId::ChangesInEffectOnly) + "|" + GetText(TextId::AfterClickingOn) +
                         " '" + GetText(TextId::SendToKLV) + "'"));
    QCOMPARE(terminated_, 1);
    QVERIFY(QFile::exists(ws_->file("kvl820.dat")));
    QVERIFY(QFile::exists(ws_->file("CustomAppImageList.dat")));
    TCommunicatie check;
    QVERIFY(check.CheckBlocks().AllEqual());

    // The box is now up to date: leaving again asks nothing.
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(terminated_, 2);
  }

  void exitWithoutSending() {
    FillInstallation(1, {1});
    PlugBox();
    Start();
    MeldUser user;
    user.answers = {1};
    user.Expect(1);
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(terminated_, 1);
    for (const auto& r : box_->Received()) QVERIFY(r[1] != 'C' && r[1] != 'E' && r[1] != 'P');
    // Without a box nothing is asked.
    ReleaseBoxLink();
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(terminated_, 2);
  }

  void escapeOrCloseOnTheExitQuestionStays() {
    FillInstallation(1, {1});
    PlugBox();
    Start();
    MeldUser user;
    user.answers = {0, -1};
    user.Expect(2);
    for (int i = 1; i <= 2; ++i) {
      QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
      QCOMPARE(user.seen.size(), i);
      QCOMPARE(terminated_, 0);
    }
    for (const auto& r : box_->Received()) QVERIFY(r[1] != 'C' && r[1] != 'E' && r[1] != 'P');
    // The changes were saved all the same.
    QVERIFY(QFile::exists(ws_->file("kvl820.dat")));
  }

  void exitWhenSaveFails() {
    FillInstallation(1, {1});
    Start();
    // A folder where the main data file belongs cannot be replaced by a file.
    QVERIFY(QDir().mkpath(ws_->file("kvl820.dat") + "/blocker"));
    MeldUser user;
    user.answers = {2, 1};  // try again (still failing), then leave anyway
    user.Expect(2);
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(user.seen.size(), 2);
    QVERIFY2(user.seen[0].contains("kvl820.dat"), qPrintable(user.seen[0]));
    QCOMPARE(terminated_, 1);

    // Trying again after the cause is gone saves and ends.
    user.seen.clear();
    user.answers = {2};
    user.whileOpen = [this] { QVERIFY(QDir(ws_->file("kvl820.dat")).removeRecursively()); };
    user.Expect(1);
    QTest::mouseClick(Buttons()->ButExit, Qt::LeftButton);
    QCOMPARE(user.seen.size(), 1);
    QCOMPARE(terminated_, 2);
    QVERIFY(QFileInfo(ws_->file("kvl820.dat")).isFile());
  }

  void settingsClosedFollowsTheInstallation() {
    FillInstallation(5, {2});
    Start();
    QTest::mouseClick(home_->Indicator()->Indicators[1]->Image, Qt::LeftButton);
    TLoadSave::Instance()->ShowHints = 0;
    home_->SettingsClosed(false);
    QCOMPARE(home_->CurrentPage(), 1);
    QVERIFY(home_->Panel()->toolTip().isEmpty());
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Renamed");
    TLoadSave::Instance()->ShowHints = 1;
    home_->SettingsClosed(true);
    QCOMPARE(home_->CurrentPage(), 0);
    QCOMPARE(home_->Tile(0)->Caption->text(), QStringLiteral("Renamed"));
    QCOMPARE(home_->Panel()->toolTip(), GetText(TextId::DoubleClickToEdit));
  }
};

QTEST_MAIN(TstHome)
#include "tst_home.moc"
