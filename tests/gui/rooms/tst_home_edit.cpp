// The home screen together with the room/device editor: a room and a device
// built with clicks and keys, a code-wheel code and a learned code switched at
// the simulated box.
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>

#include "HomeTestSupport.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "gui/common/TileKeys.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "ui_RuimteAppSelInterface.h"

using Ev = SimulatedBox::SwitchEvent;

class TstHomeEdit : public HomeScreenTest {
  Q_OBJECT

  Ui::TfrmRuimteAppSel* EditorUi(TRuimteAppUIHandler* row) { return row->Editor()->Form()->ui.get(); }
  void Ok(TRuimteAppUIHandler* row) { QTest::mouseClick(row->Editor()->Buttons()->ButOK(), Qt::LeftButton); }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    TLoadSave::Instance()->OldModel = 1;
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    ShowHome([] {});
    box_->SwitchEvents.clear();
  }
  void cleanup() { ReleaseHome(); }

  void buildRoomAndCodeWheelDevice() {
    TLoadSave* ls = TLoadSave::Instance();
    // A new room: double-click the blank tile, pick a picture, name it.
    QTest::mouseDClick(home_->Tile(0)->Picture, Qt::LeftButton);
    QVERIFY(home_->Editor()->IsOpen());
    // The editor's column covers the home column while it is open.
    QVERIFY(home_->Buttons()->MainBtnContainer()->isHidden());
    Ui::TfrmRuimteAppSel* ui = EditorUi(home_.get());
    QTest::mouseClick(ui->Image3, Qt::LeftButton);
    QTest::keyClicks(ui->edtOmschrijving, "Kitchen");
    Ok(home_.get());
    QVERIFY(!home_->Editor()->IsOpen());
    QCOMPARE(ls->Ruimtes[0].Naam, QStringLiteral("Kitchen"));
    QCOMPARE(ls->CustomRuimteImageList->Get(ls->Ruimtes[0].ImageIndex), ls->RuimteImageList->Get(2));
    QCOMPARE(home_->Tile(0)->Caption->text(), QStringLiteral("Kitchen"));
    QVERIFY(!home_->Buttons()->MainBtnContainer()->isHidden());

    // A switch set by code wheels to B 3 (such receivers do not dim).
    TAppUIHandler* apps = home_->Devices();
    QTest::mouseDClick(apps->Tile(0)->Background, Qt::LeftButton);
    QVERIFY(apps->Editor()->IsOpen());
    ui = EditorUi(apps);
    QTest::mouseClick(ui->Image1, Qt::LeftButton);
    QTest::keyClicks(ui->edtOmschrijving, "Spot");
    QTest::mouseClick(ui->imgCodeSchijfJa, Qt::LeftButton);
    ui->kanaalBox->setCurrentIndex(1);
    ui->nummerBox->setCurrentIndex(2);
    Ok(apps);
    const TApparaat& d = ls->Ruimtes[0].Apparaten[0];
    QCOMPARE(d.Naam, QStringLiteral("Spot"));
    QCOMPARE(d.Code, 33);
    QCOMPARE(d.CodeSchijf, uint8_t(1));
    QCOMPARE(d.Dimbaar, uint8_t(0));

    TRuimteAppButHandler* b = home_->Buttons();
    QVERIFY(b->ButOn->isEnabled() && !b->ButDimmer->isEnabled());
    QTest::mouseClick(b->ButOn, Qt::LeftButton);
    QTest::mouseClick(b->ButOff, Qt::LeftButton);
    QCOMPARE(box_->SwitchEvents, (std::vector<Ev>{{'Z', 33, 0x22, 5}, {'Z', 33, 0x00, 5}}));

    // A room with devices cannot be deleted; an empty one can.
    QTest::mouseDClick(home_->Tile(0)->Caption, Qt::LeftButton);
    QVERIFY(!home_->Editor()->Buttons()->ButWissen()->isEnabled());
    QTest::mouseClick(home_->Editor()->Buttons()->ButExit(), Qt::LeftButton);
    QTest::mouseDClick(home_->Tile(1)->Caption, Qt::LeftButton);
    QCOMPARE(home_->Devices()->Room(), 1);
    QVERIFY(home_->Editor()->Buttons()->ButWissen()->isEnabled());
    QTest::mouseClick(home_->Editor()->Buttons()->ButExit(), Qt::LeftButton);
    QCOMPARE(ls->RoomCount(), 1);
  }

  void learnACode() {
    FillInstallation(1, {});
    TLoadSave* ls = TLoadSave::Instance();
    ls->Ruimtes[0].Apparaten[0] = TApparaat{QStringLiteral("Used"), -1, 0, 0, 0, 8};
    ls->Ruimtes[0].Apparaten[0].ImageIndex = ls->CustomAppImageList->Add(ls->AppImageList->Get(0));
    home_->ShowPage(0);
    home_->TileClick(home_->Tile(0)->Background);
    TAppUIHandler* apps = home_->Devices();
    QTest::mouseClick(apps->Tile(1)->Background, Qt::LeftButton);
    QTest::mouseDClick(apps->Tile(1)->Background, Qt::LeftButton);
    Ui::TfrmRuimteAppSel* ui = EditorUi(apps);
    QTest::mouseClick(ui->Image2, Qt::LeftButton);
    QTest::keyClicks(ui->edtOmschrijving, "Heater");
    QTest::mouseClick(apps->Editor()->Buttons()->butLeren(), Qt::LeftButton);
    QVERIFY(apps->Editor()->IsLearning());
    // The first tick teaches the receiver the first free code (1).
    QTRY_VERIFY_WITH_TIMEOUT(!box_->SwitchEvents.empty(), 3000);
    QCOMPARE(box_->SwitchEvents.front(), (Ev{'Z', 1, 0x23, 5}));
    Ok(apps);
    QVERIFY(!apps->Editor()->IsLearning());
    QCOMPARE(ls->Ruimtes[0].Apparaten[1].Code, 1);
    QCOMPARE(ls->Ruimtes[0].Apparaten[1].CodeSchijf, uint8_t(0));

    box_->SwitchEvents.clear();
    QTest::mouseClick(home_->Buttons()->ButOn, Qt::LeftButton);
    QCOMPARE(box_->SwitchEvents, (std::vector<Ev>{{'Z', 1, 0x23, 5}}));
  }

  // The selected tile holds the focus, keys move it and the frame with it,
  // Tab and Down go to the devices, Enter opens the editor, which takes the
  // keys until it closes and hands the focus back.
  void keyboardOnTheTiles() {
    FillInstallation(6, {3});
    home_->Show();
    QApplication::setActiveWindow(&host_->window);
    QVERIFY(QTest::qWaitForWindowActive(&host_->window));
    TTileRow* rooms = home_->Row();
    TTileRow* devices = home_->Devices()->Row();
    QCOMPARE(QApplication::focusWidget(), home_->Tile(0)->Background);
    const auto focused = [](const TTileRow* row, int p) {
      QAccessibleInterface* a = QAccessible::queryAccessibleInterface(row->Tile(p)->Background);
      return QApplication::focusWidget() == row->Tile(p)->Background && a && a->state().focused;
    };

    // A click moves the focus without a frame; a key shows it.
    QTest::mouseClick(home_->Tile(1)->Caption, Qt::LeftButton);
    QVERIFY(focused(rooms, 1));
    QCOMPARE(rooms->Keys()->FramedPosition(), -1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(rooms->AbsoluteIndex(), 2);
    QVERIFY(focused(rooms, 2));
    QCOMPARE(rooms->Keys()->FramedPosition(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);  // the next page
    QCOMPARE(rooms->AbsoluteIndex(), 4);
    QCOMPARE(rooms->Keys()->FramedPosition(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);  // back to its last tile
    QCOMPARE(rooms->AbsoluteIndex(), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    QCOMPARE(rooms->AbsoluteIndex(), 0);

    // Room 0's devices: Down, then Right; Tab goes back to the rooms.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QVERIFY(focused(devices, 0));
    QCOMPARE(rooms->Keys()->FramedPosition(), -1);
    QCOMPARE(devices->Keys()->FramedPosition(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(devices->AbsoluteIndex(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(focused(rooms, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QVERIFY(focused(devices, 1));

    // Enter: the editor of device 1 has the keys; the covered tiles do not.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    TRuimteAppSelHandler* editor = home_->Devices()->Editor();
    QVERIFY(editor->IsOpen());
    QCOMPARE(QApplication::focusWidget(), EditorUi(home_->Devices())->edtOmschrijving);
    // Tab reaches the library pictures, where the arrows pick.
    Ui::TfrmRuimteAppSel* ui = EditorUi(home_->Devices());
    for (int i = 0; i < 8 && QApplication::focusWidget() != ui->Image1; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY(!home_->Panel()->isAncestorOf(QApplication::focusWidget()));
    }
    QCOMPARE(QApplication::focusWidget(), ui->Image1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(QApplication::focusWidget(), ui->Image2);
    QCOMPARE(ui->imageSelected->picture(), ui->Image2->picture());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!editor->IsOpen());
    QVERIFY(focused(devices, 1));
    QCOMPARE(devices->Keys()->FramedPosition(), 1);
  }

  void deleteThroughTheEditor() {
    FillInstallation(1, {3});
    TLoadSave* ls = TLoadSave::Instance();
    ls->Scenes[0].Akties[0] = Item(0, 1);
    ls->Scenes[0].Akties[1] = Item(0, 2);
    ls->Programma->AddUnique(Entry(0, 2, 6));
    home_->ShowPage(0);
    TAppUIHandler* apps = home_->Devices();
    QTest::mouseDClick(apps->Tile(1)->Caption, Qt::LeftButton);
    QVERIFY(apps->Editor()->Buttons()->ButWissen()->isEnabled());
    QTest::mouseClick(apps->Editor()->Buttons()->ButWissen(), Qt::LeftButton);
    if (apps->Editor()->IsOpen()) Ok(apps);  // deletion may wait for OK
    QCOMPARE(ls->Ruimtes[0].DeviceCount(), 2);
    QCOMPARE(ls->Scenes[0].Akties[0].Apparaat, 1);  // formerly device 2
    QCOMPARE(ls->Scenes[0].Akties[1].Apparaat, -1);
    QCOMPARE(ls->Programma->AllItems.front().Entry->Apparaat, 1);
  }
};

QTEST_MAIN(TstHomeEdit)
#include "tst_home_edit.moc"
