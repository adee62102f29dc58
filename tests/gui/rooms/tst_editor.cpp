// The room/device editor driven as a user would: clicks on pictures, dots and
// buttons, typing into the name box, and code learning against a simulated box.
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <optional>

#include "TestSupport.h"
#include "core/device/DeviceTestSupport.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/ImageList.h"
#include "core/model/LoadSave.h"
#include "core/shell/Language.h"
#include "gui/rooms/RuimteAppSelButHandler.h"
#include "gui/rooms/RuimteAppSelHandler.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"
#include "ui_RuimteAppSelInterface.h"

namespace {

struct Stored {
  QString name;
  int picture = 0, code = 0;
  bool codeWheel = false, dimmable = false, changed = false;
};

// Types text as key events carrying it (QTest::keyClicks knows only ASCII).
void Type(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
  }
}

QImage Solid(QColor c, int w = 130, int h = 80) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(c);
  return img;
}

// Presses the message dialog's first button once it shows; remembers line 2.
struct MeldPresser {
  QString line2;
  int shown = 0;
  void Arm() {
    // The rounded dialog asks for a window mask, which offscreen lacks.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
      QTest::ignoreMessage(QtWarningMsg, "This plugin does not support setting window masks");
    QTimer::singleShot(0, [this] {
      if (!frmMeld) return;
      ++shown;
      line2 = frmMeld->Label2()->text();
      frmMeld->btn1()->click();
    });
  }
};

}  // namespace

class TstEditor : public QObject {
  Q_OBJECT

  std::unique_ptr<TempWorkspace> ws_;
  std::unique_ptr<QWidget> window_;
  QWidget* main_ = nullptr;
  QWidget* buttons_ = nullptr;
  std::unique_ptr<TRuimteAppSelHandler> room_, device_;
  std::shared_ptr<SimulatedBox> box_;
  std::optional<Stored> stored_;

  TRuimteAppSelHandler::StoreCallback Recorder() {
    return [this](const QString& n, int p, int c, bool w, bool d, bool ch) {
      stored_ = Stored{n, p, c, w, d, ch};
    };
  }
  static Ui::TfrmRuimteAppSel* UI(TRuimteAppSelHandler* h) { return h->Form()->ui.get(); }
  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
  static TImage* LibraryImage(TRuimteAppSelHandler* h, int k) {
    auto* ui = UI(h);
    TImage* images[] = {ui->Image1, ui->Image2, ui->Image3, ui->Image4,
                        ui->Image5, ui->Image6, ui->Image7, ui->Image8};
    return images[k];
  }
  std::vector<SimulatedBox::SwitchEvent> Z() const {
    std::vector<SimulatedBox::SwitchEvent> z;
    for (const auto& e : box_->SwitchEvents)
      if (e.Command == 'Z') z.push_back(e);
    return z;
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    window_ = std::make_unique<QWidget>();
    window_->resize(800, 600);
    main_ = new QWidget(window_.get());
    main_->setGeometry(24, 84, 598, 504);
    buttons_ = new QWidget(window_.get());
    buttons_->setGeometry(632, 84, 150, 500);
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
    box_->SwitchEvents.clear();
    room_ = std::make_unique<TRuimteAppSelHandler>(true, buttons_, main_);
    device_ = std::make_unique<TRuimteAppSelHandler>(false, buttons_, main_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    stored_.reset();
  }

  void cleanup() {
    room_.reset();
    device_.reset();
    window_.reset();
    ResetBoxLink();
    box_.reset();
    ws_.reset();
  }

  void emptyLibrariesGetTheBuiltInSets_fullOnesAreKept() {
    TLoadSave* ls = TLoadSave::Instance();
    QCOMPARE(ls->RuimteImageList->Count(), 32);
    QCOMPARE(ls->AppImageList->Count(), 32);
    // A library that already holds pictures is left alone.
    ls->AppImageList->Clear();
    ls->AppImageList->Add(Solid(Qt::red));
    ls->AppImageList->Add(Solid(Qt::blue));
    TRuimteAppSelHandler again(false, buttons_, main_);
    QCOMPARE(ls->AppImageList->Count(), 2);
    QCOMPARE(ls->RuimteImageList->Count(), 32);

    // Positions past the library's end are blank and cannot be picked.
    again.Edit(QStringLiteral("Lamp"), -1, Recorder(), 5, false, false, false);
    QVERIFY(!LibraryImage(&again, 1)->picture().isNull());
    QVERIFY(LibraryImage(&again, 2)->picture().isNull());
    Click(LibraryImage(&again, 4));
    QCOMPARE(again.PictureIndex(), -1);
    QVERIFY(!again.PictureChanged());
    Click(LibraryImage(&again, 1));
    QCOMPARE(again.PictureIndex(), 1);
  }

  void roomEditor_pagesPickAndStore() {
    TLoadSave* ls = TLoadSave::Instance();
    ls->CustomRuimteImageList->Add(Solid(Qt::green));
    room_->Edit(QStringLiteral("Hall"), 0, Recorder(), -1, false, false, false);
    auto* ui = UI(room_.get());
    QVERIFY(room_->IsOpen());
    QVERIFY(ui->AdvSmoothPanel1->parentWidget() == main_);
    QVERIFY(ui->AdvSmoothPanel1->isVisible());
    QCOMPARE(ui->pnlAfbeeldingen->caption(), GetText(TextId::RoomImage));
    QCOMPARE(ui->pnlOmschrijving->caption(), GetText(TextId::RoomDescription));
    QVERIFY(!ui->pnlDimBaar->isVisible());
    QVERIFY(!ui->pnlCode->isVisible());
    QVERIFY(!ui->pnlHeeftCodeSchijf->isVisible());
    QVERIFY(!room_->Buttons()->butLeren()->isVisible());
    QVERIFY(room_->Buttons()->ButOK()->isVisible());
    QVERIFY(!room_->Buttons()->ButWissen()->isEnabled());  // a room with devices
    QCOMPARE(ui->edtOmschrijving->text(), QStringLiteral("Hall"));
    QCOMPARE(ui->LR1->text(), QStringLiteral("Hall"));
    // The preview shows the room's own picture.
    QCOMPARE(ui->imageSelected->picture().pixelColor(10, 10), QColor(Qt::green));

    // 32 pictures: all four dots available; dot 2 shows pictures 16..23.
    Click(ui->imgPIR3);
    QCOMPARE(room_->CurrentPage(), 2);
    QCOMPARE(LibraryImage(room_.get(), 0)->picture(), ls->RuimteImageList->GetMasked(16));
    Click(LibraryImage(room_.get(), 5));
    QCOMPARE(room_->PictureIndex(), 21);
    // The picked picture is ringed on its own page only.
    auto* ring = ui->pnlAfbeeldingen->findChild<TSmoothPanel*>();
    QVERIFY(ring && ring->isVisible());
    QVERIFY(ring->geometry().contains(ui->Image6->geometry()));
    Click(ui->imgPIR1);
    QVERIFY(!ring->isVisible());
    Click(ui->imgPIR3);
    QVERIFY(ring->isVisible());
    QCOMPARE(ui->imageSelected->picture(), ls->RuimteImageList->GetMasked(21));

    ui->edtOmschrijving->selectAll();
    QTest::keyClicks(ui->edtOmschrijving, QStringLiteral("Kitchen"));
    QCOMPARE(ui->LR1->text(), QStringLiteral("Kitchen"));
    Click(room_->Buttons()->ButOK());
    QVERIFY(stored_);
    QCOMPARE(stored_->name, QStringLiteral("Kitchen"));
    QCOMPARE(stored_->picture, 21);
    QVERIFY(stored_->changed);
    QVERIFY(!room_->IsOpen());
    QVERIFY(!room_->Buttons()->IsShown());

    // Reopening starts afresh on page 0 with "picture changed" cleared.
    stored_.reset();
    room_->Edit(QStringLiteral("Kitchen"), 0, Recorder(), -1, false, true, false);
    QCOMPARE(room_->CurrentPage(), 0);
    QVERIFY(room_->Buttons()->ButWissen()->isEnabled());
    Click(room_->Buttons()->ButOK());
    QVERIFY(stored_);
    QCOMPARE(stored_->picture, 0);
    QVERIFY(!stored_->changed);
  }

  void validationColoursAndCancel() {
    room_->Edit(QString(), -1, Recorder(), -1, false, false, false);
    auto* ui = UI(room_.get());
    const QColor normalEdit = ui->edtOmschrijving->palette().color(QPalette::Base);
    const QColor normalFrame = ui->frameSelected->borderColor();
    QVERIFY(normalFrame != QColor(Qt::red));

    // A name without a picture: the frame turns red, nothing is stored.
    QTest::keyClicks(ui->edtOmschrijving, QStringLiteral("Attic"));
    Click(room_->Buttons()->ButOK());
    QVERIFY(!stored_);
    QVERIFY(room_->IsOpen());
    QCOMPARE(ui->frameSelected->borderColor(), QColor(Qt::red));
    Click(LibraryImage(room_.get(), 0));
    QCOMPARE(ui->frameSelected->borderColor(), normalFrame);

    // A picture without a name: the name box turns red and takes the focus.
    ui->edtOmschrijving->clear();
    QLineEdit elsewhere(window_.get());
    elsewhere.show();
    elsewhere.setFocus();
    Click(room_->Buttons()->ButOK());
    QVERIFY(!stored_);
    QCOMPARE(ui->edtOmschrijving->palette().color(QPalette::Base), QColor(Qt::red));
    QCOMPARE(window_->focusWidget(), ui->edtOmschrijving);
    QTest::keyClicks(ui->edtOmschrijving, QStringLiteral("A"));
    QCOMPARE(ui->edtOmschrijving->palette().color(QPalette::Base), normalEdit);

    // Cancel stores nothing; the next Edit restores both colours.
    ui->edtOmschrijving->clear();
    Click(room_->Buttons()->ButOK());
    Click(room_->Buttons()->ButExit());
    QVERIFY(!stored_);
    QVERIFY(!room_->IsOpen());
    room_->Edit(QStringLiteral("x"), -1, Recorder(), -1, false, false, false);
    QCOMPARE(ui->edtOmschrijving->palette().color(QPalette::Base), normalEdit);
  }

  void deleteAndTheBlankSlot() {
    TLoadSave::Instance()->CustomAppImageList->Add(Solid(Qt::yellow));
    // OK on the blank slot with nothing chosen reports "nothing" (-1, empty).
    device_->Edit(QString(), -1, Recorder(), -1, false, false, false);
    Click(device_->Buttons()->ButOK());
    QVERIFY(stored_);
    QVERIFY(stored_->name.isEmpty());
    QCOMPARE(stored_->picture, -1);

    // Delete clears the fields; only OK reports it.
    stored_.reset();
    device_->Edit(QStringLiteral("Lamp"), 0, Recorder(), 17, false, true, true);
    Click(device_->Buttons()->ButWissen());
    auto* ui = UI(device_.get());
    QVERIFY(!stored_);
    QVERIFY(ui->edtOmschrijving->text().isEmpty());
    QVERIFY(ui->LR1->text().isEmpty());
    QVERIFY(ui->imageSelected->picture().isNull());
    QCOMPARE(device_->Code(), -1);
    Click(device_->Buttons()->ButOK());
    QVERIFY(stored_);
    QVERIFY(stored_->name.isEmpty());
    QCOMPARE(stored_->picture, -1);
    QCOMPARE(stored_->code, -1);
  }

  void codeWheels() {
    TLoadSave::Instance()->OldModel = 1;
    device_->Edit(QStringLiteral("Pump"), -1, Recorder(), 0x3C, true, false, true);
    auto* ui = UI(device_.get());
    QVERIFY(ui->pnlHeeftCodeSchijf->isVisible());
    QVERIFY(ui->pnlCode->isVisible());
    QCOMPARE(ui->nummerBox->currentText(), QStringLiteral("4"));
    QCOMPARE(ui->kanaalBox->currentText(), QStringLiteral("M"));
    QCOMPARE(device_->Code(), 0x3C);
    QVERIFY(!device_->Dimmable());  // a code-wheel receiver does not dim
    QVERIFY(device_->Buttons()->butLeren()->isVisible());
    QVERIFY(!device_->Buttons()->butLeren()->isEnabled());
    ui->kanaalBox->setCurrentText(QStringLiteral("B"));
    ui->nummerBox->setCurrentText(QStringLiteral("16"));
    QCOMPARE(device_->Code(), 0xF1);

    // "no" uncovers the dimmer choice, keeps the code and allows learning.
    Click(ui->imgCodeSchijfNee);
    QVERIFY(!device_->HasCodeWheel());
    QVERIFY(!ui->pnlCode->isVisible());
    QVERIFY(ui->pnlDimBaar->isVisible());
    QCOMPARE(device_->Code(), 0xF1);
    QVERIFY(device_->Buttons()->butLeren()->isEnabled());
    Click(ui->imgDimJa);
    QVERIFY(device_->Dimmable());
    // "yes" again clears dimmable.
    Click(ui->imgCodeSchijfJa);
    QVERIFY(device_->HasCodeWheel());
    QVERIFY(!device_->Dimmable());

    ui->edtOmschrijving->selectAll();
    QTest::keyClicks(ui->edtOmschrijving, QStringLiteral("Pump"));
    Click(LibraryImage(device_.get(), 3));
    Click(device_->Buttons()->ButOK());
    QVERIFY(stored_);
    QCOMPARE(stored_->code, 0xF1);
    QVERIFY(stored_->codeWheel);
    QVERIFY(!stored_->dimmable);
    QCOMPARE(stored_->picture, 3);

    // A device without a code opens at "1"/"A"; "no" leaves the code -1.
    device_->Edit(QStringLiteral("New"), -1, Recorder(), -1, false, false, false);
    QCOMPARE(ui->nummerBox->currentText(), QStringLiteral("1"));
    QCOMPARE(ui->kanaalBox->currentText(), QStringLiteral("A"));
    QCOMPARE(device_->Code(), -1);
    QVERIFY(!ui->pnlCode->isVisible());

    // Without the old-model option and without code wheels the panels stay
    // hidden and learning is available, whatever the previous edit left.
    TLoadSave::Instance()->OldModel = 0;
    device_->Edit(QStringLiteral("Pump"), -1, Recorder(), 0x3C, true, false, false);
    QVERIFY(!device_->Buttons()->butLeren()->isEnabled());
    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), 7, false, false, false);
    QVERIFY(!ui->pnlHeeftCodeSchijf->isVisible());
    QVERIFY(!ui->pnlCode->isVisible());
    QVERIFY(device_->Buttons()->butLeren()->isEnabled());
    QCOMPARE(device_->Buttons()->butLeren()->text(), GetText(TextId::LearnCode));
  }

  void deviceWithoutCode_isRefused() {
    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), -1, false, false, false);
    Click(LibraryImage(device_.get(), 0));
    MeldPresser m;
    m.Arm();
    Click(device_->Buttons()->ButOK());
    QCOMPARE(m.shown, 1);
    QCOMPARE(m.line2, GetText(TextId::DeviceHasNoCode));
    QVERIFY(!stored_);
    QVERIFY(device_->IsOpen());
  }

  void previewCaptionIsLaidOutAsTheTile() {
    room_->Edit(QString(), -1, Recorder(), -1, false, false, false);
    auto* ui = UI(room_.get());
    QTest::keyClicks(ui->edtOmschrijving, QStringLiteral("Slaapkamerverdieping"));
    // One long word shrinks to fit the preview instead of running off it.
    QCOMPARE(ui->LR1->text(), QStringLiteral("Slaapkamerverdieping"));
    QVERIFY(QFontMetrics(ui->LR1->font()).horizontalAdvance(ui->LR1->text()) <= ui->LR1->width());
    room_->Edit(QStringLiteral("Hall"), -1, Recorder(), -1, false, false, false);
    QCOMPARE(ui->LR1->text(), QStringLiteral("Hall"));
    QCOMPARE(ui->LR1->font().pixelSize(), 16);
  }

  void nameBoxRefusesWhatCannotBeStored() {
    room_->Edit(QString(), -1, Recorder(), -1, false, false, false);
    QLineEdit* e = UI(room_.get())->edtOmschrijving;
    Type(e, QStringLiteral("Küche €"));
    QCOMPARE(e->text(), QStringLiteral("Küche €"));
    Type(e, QStringLiteral("Ωж"));  // not in Windows-1252
    QCOMPARE(e->text(), QStringLiteral("Küche €"));
    e->insert(QStringLiteral("a\tb"));  // as pasted
    e->insert(QStringLiteral("Ω"));
    QCOMPARE(e->text(), QStringLiteral("Küche €"));
    // Letters the code page lacks become their nearest one, typed or pasted.
    e->clear();
    Type(e, QStringLiteral("Żarówka"));
    e->insert(QStringLiteral(" łő"));
    QCOMPARE(e->text(), QStringLiteral("Zarówka lö"));
    e->clear();
    QTest::keyClicks(e, QString(25, QLatin1Char('x')));
    QCOMPARE(e->text().size(), 20);
    // A longer name made elsewhere survives opening and OK unchanged.
    TLoadSave::Instance()->CustomRuimteImageList->Add(Solid(Qt::gray));
    const QString longName = QString(28, QLatin1Char('n'));
    room_->Edit(longName, 0, Recorder(), -1, false, false, false);
    QCOMPARE(e->text(), longName);
    Click(room_->Buttons()->ButOK());
    QVERIFY(stored_);
    QCOMPARE(stored_->name, longName);
  }

  void learning_sendsEveryOtherTickWithAFreeCode() {
    TLoadSave* ls = TLoadSave::Instance();
    ls->Ruimtes[0].Apparaten[0].Code = 0;
    ls->Ruimtes[0].Apparaten[1].Code = 1;
    ls->Ruimtes[3].Apparaten[9].Code = 3;
    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), -1, false, false, false);
    TGradBtn* learn = device_->Buttons()->butLeren();
    Click(learn);
    QVERIFY(device_->IsLearning());
    QCOMPARE(device_->Code(), 2);
    QCOMPARE(learn->text(), GetText(TextId::StopLearning));
    QCOMPARE(learn->gradientFrom(), QColor(Qt::red));
    QVERIFY(Z().empty());  // nothing before the first tick

    device_->LearnTick();
    QCOMPARE(Z().size(), size_t(1));
    QCOMPARE(Z()[0], (SimulatedBox::SwitchEvent{'Z', 2, 0x23, 5}));
    device_->LearnTick();  // the off phase: grey, no report
    QCOMPARE(Z().size(), size_t(1));
    QCOMPARE(learn->gradientFrom(), QColor(0x80, 0x80, 0x80));
    QCOMPARE(learn->text(), GetText(TextId::StopLearning));
    device_->LearnTick();
    QCOMPARE(Z().size(), size_t(2));
    QCOMPARE(learn->gradientFrom(), QColor(Qt::red));

    // A second click stops at once.
    Click(learn);
    QVERIFY(!device_->IsLearning());
    QCOMPARE(learn->text(), GetText(TextId::LearnCode));
    QCOMPARE(learn->gradientFrom(), QColor(0x80, 0x80, 0x80));
    QCOMPARE(device_->Code(), 2);  // the code stays assigned

    // The real timer drives it too; a dimmable device gets dim level 8.
    box_->SwitchEvents.clear();
    Click(UI(device_.get())->imgDimJa);
    device_->Form()->timerLeren->setInterval(5);
    Click(learn);
    QTRY_VERIFY(Z().size() >= 2);
    Click(device_->Buttons()->ButExit());  // cancel stops learning
    QVERIFY(!device_->IsLearning());
    for (const auto& e : Z()) QCOMPARE(e, (SimulatedBox::SwitchEvent{'Z', 2, 0x11, 5}));
    QVERIFY(!stored_);
  }

  void learning_endsAfter400Ticks_andOnOkOrDelete() {
    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), 0x42, false, true, false);
    Click(device_->Buttons()->butLeren());
    QCOMPARE(device_->Code(), 0x42);  // a device with a code keeps it
    for (int i = 0; i < 400; ++i) device_->LearnTick();
    QVERIFY(device_->IsLearning());
    QCOMPARE(Z().size(), size_t(200));
    QCOMPARE(Z().back(), (SimulatedBox::SwitchEvent{'Z', 0x42, 0x23, 5}));
    device_->LearnTick();
    QVERIFY(!device_->IsLearning());
    QCOMPARE(Z().size(), size_t(200));
    QCOMPARE(device_->Buttons()->butLeren()->text(), GetText(TextId::LearnCode));

    Click(device_->Buttons()->butLeren());
    Click(device_->Buttons()->ButWissen());
    QVERIFY(!device_->IsLearning());

    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), 0x42, false, false, false);
    Click(LibraryImage(device_.get(), 0));
    Click(device_->Buttons()->butLeren());
    Click(device_->Buttons()->ButOK());
    QVERIFY(stored_);
    QVERIFY(!device_->IsLearning());
    QCOMPARE(stored_->code, 0x42);
  }

  void learning_withoutBox() {
    ReleaseBoxLink();
    QVERIFY(!BoxConnected);
    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), -1, false, false, false);
    MeldPresser m;
    m.Arm();
    Click(device_->Buttons()->butLeren());
    QCOMPARE(m.shown, 1);
    QCOMPARE(m.line2, GetText(TextId::TheKLV820IsNotConnected));
    QVERIFY(!device_->IsLearning());
    QCOMPARE(device_->Code(), -1);
    QCOMPARE(device_->Buttons()->butLeren()->text(), GetText(TextId::LearnCode));
  }

  void pickerResultReplacesTheLibraryPicture() {
    TLoadSave* ls = TLoadSave::Instance();
    device_->Edit(QStringLiteral("Lamp"), -1, Recorder(), 1, false, false, false);
    device_->LibraryPictureChosen(Solid(Qt::blue));  // nothing picked yet
    QVERIFY(ls->AppImageList->Get(5) != Solid(Qt::blue));
    Click(LibraryImage(device_.get(), 5));
    QImage chosen = Solid(Qt::blue, 260, 160);
    device_->LibraryPictureChosen(chosen);
    QCOMPARE(ls->AppImageList->Count(), 32);
    QCOMPARE(ls->AppImageList->Get(5).pixelColor(60, 40), QColor(Qt::blue));
    QVERIFY(ls->AppImageList->MaskColour(5).has_value());
    QCOMPARE(*ls->AppImageList->MaskColour(5), qRgb(0, 0, 0) & 0xFFFFFF);
    QCOMPARE(LibraryImage(device_.get(), 5)->picture().pixelColor(60, 40), QColor(Qt::blue));
    QCOMPARE(UI(device_.get())->imageSelected->picture().pixelColor(60, 40), QColor(Qt::blue));
  }
};

QTEST_MAIN(TstEditor)
#include "tst_editor.moc"
