// The timer programme screen driven with clicks, keys and its dialogs: the
// lines and their colours, scrolling, add/copy/delete, the random limit,
// targets and pickers, back and OK against a simulated box, and the way in
// from the home screen of the main window.
#include <QFile>
#include <QLineEdit>
#include <QtTest>

#include "core/device/Communicatie.h"
#include "core/device/SimulatedBox.h"
#include "core/model/Recovery.h"
#include "core/shell/Language.h"
#include "gui/rooms/HomeTestSupport.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/UIImages.h"
#include "gui/timers/ProgSelAktie.h"
#include "gui/timers/ProgSelDayDate.h"
#include "gui/timers/ProgSelMonth.h"
#include "gui/timers/ProgSetTime.h"
#include "gui/timers/TimerButHandler.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/Colours.h"
#include "ui_ProgSelAktie.h"
#include "ui_ProgSelDayDate.h"
#include "ui_ProgSelMonth.h"
#include "ui_ProgSetTime.h"
#include "ui_Timer.h"

namespace {

constexpr uint16_t VkUp = 0x26, VkDown = 0x28;

ProgAktiePtr Scene(int scene, int hour) {
  ProgAktiePtr e = Entry(17 + scene, 0, hour);
  return e;
}

// Made a day ago, so that copies made by the test sort after them.
void Install(const std::vector<ProgAktiePtr>& entries) {
  for (const ProgAktiePtr& e : entries) {
    e->Aangemaakt -= 1.0;
    TLoadSave::Instance()->Programma->AddUnique(e);
  }
}

}  // namespace

class TstTimerScreen : public QObject {
  Q_OBJECT
  std::unique_ptr<TempWorkspace> ws_;
  std::unique_ptr<HomeHost> host_;
  std::unique_ptr<TTimerHandler> timer_;
  TTimerHandler* t_ = nullptr;  // the screen under test
  std::shared_ptr<SimulatedBox> box_;
  QStringList opened_;  // dialogs that opened, by class name

  void Open(int ruimte, int apparaat) {
    if (!host_) {
      host_ = std::make_unique<HomeHost>();
      timer_ = std::make_unique<TTimerHandler>(host_->main, host_->buttons);
      t_ = timer_.get();
      host_->window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&host_->window));
    }
    timer_->Show(ruimte, apparaat);
  }
  const PlineClass& L(int i) const { return t_->Line(i); }
  int Selected() const { return t_->Editing->SelectedIndex(); }
  int First() const { return t_->FirstIndex(); }
  TTimerButHandler* B() const { return t_->Buttons(); }
  static QColor Colour(const TLabel* l) { return l->fontColor(); }
  static bool IsRed(const TLabel* l) { return l->fontColor() == FromWinColor(WinColour::Red); }

  // Acts on the next modal dialog of type D once it is open (the dialogs run
  // their own event loop inside the double-click).
  template <class D>
  void OnDialog(std::function<void(D*)> act) {
    auto* poll = new QTimer(this);
    poll->setInterval(5);
    connect(poll, &QTimer::timeout, this, [this, poll, act] {
      auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
      if (!d || !d->isVisible()) return;
      poll->stop();
      poll->deleteLater();
      opened_ << QString::fromLatin1(d->metaObject()->className());
      act(d);
    });
    poll->start();
  }
  // As a mouse does it: a click, then the double-click.
  static void DoubleClick(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
    QTest::mouseDClick(w, Qt::LeftButton);
  }
  void DoubleClick(int line, PlineClass::Column c) { DoubleClick(L(line).Label(c)); }

  int SelectedLine() const { return t_->Editing->SelectedIndex() - t_->FirstIndex(); }

  // Sets up the selected entry through the four dialogs.
  void SetUpEntry(int month, std::function<void(TFormDagDatum*)> days, std::function<void(TFormTijd*)> time,
                  bool on) {
    OnDialog<TFormMaand>([month](TFormMaand* d) {
      QTest::mouseClick(d->Button(month), Qt::LeftButton);
      QTest::mouseClick(d->ui->ButOK, Qt::LeftButton);
    });
    DoubleClick(SelectedLine(), PlineClass::Month);
    OnDialog<TFormDagDatum>([days](TFormDagDatum* d) {
      days(d);
      QTest::mouseClick(d->ui->ButOK, Qt::LeftButton);
    });
    DoubleClick(SelectedLine(), PlineClass::Day);
    OnDialog<TFormTijd>([time](TFormTijd* d) {
      time(d);
      QTest::mouseClick(d->ui->ButOK, Qt::LeftButton);
    });
    DoubleClick(SelectedLine(), PlineClass::Time);
    OnDialog<TFormAktie>([on](TFormAktie* d) {
      QTest::mouseClick(on ? d->ui->ButOn : d->ui->ButOff, Qt::LeftButton);
      QTest::mouseClick(d->ui->ButOK, Qt::LeftButton);
    });
    DoubleClick(SelectedLine(), PlineClass::Action);
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
    opened_.clear();
    FillInstallation(2, {3, 2});
  }
  void cleanup() {
    t_ = nullptr;
    timer_.reset();
    host_.reset();
    ReleaseBoxLink();
    box_.reset();
    ws_.reset();
  }

  void newEntryColoursAndBusy() {
    // Alone in an empty programme: one blank entry, OK allowed, storing nothing.
    Open(0, 0);
    QCOMPARE(t_->Editing->Items.size(), size_t(1));
    QVERIFY(L(0).Selected && IsRed(L(0).LM) && IsRed(L(0).LD) && IsRed(L(0).LT) && !IsRed(L(0).LA));
    QCOMPARE(L(0).Panel->palette().color(QPalette::Window), FromWinColor(WinColour::Selected));
    QVERIFY(B()->ButOK->isEnabled() && !B()->butToevoegen->isEnabled() && !B()->ButKopie->isEnabled());
    QVERIFY(B()->ButWissen->isEnabled() && !t_->Form()->ui->LinesDn->isEnabled());
    QCOMPARE(t_->Form()->ui->pnlTimer->caption(), GetText(TextId::ProgramTimer));
    QCOMPARE(t_->Form()->ui->pnlTimer->toolTip(), GetText(TextId::DoubleClickToSetUpTimer));
    QVERIFY(t_->AppPanel()->Panel->isVisible() && !t_->ScenePanel()->Panel->isVisible());
    QCOMPARE(t_->AppPanel()->lblSA3->text(), QStringLiteral("Device 0.0"));
    QCOMPARE(t_->AppPanel()->Panel->mapTo(host_->buttons, QPoint()), QPoint(12, 255));
    QTest::mouseClick(B()->ButOK, Qt::LeftButton);
    QVERIFY(!t_->IsShown() && !B()->IsShown());
    QCOMPARE(TLoadSave::Instance()->Programma->Count(), 0);

    // Among other targets' entries, which show grey in sort order.
    auto e1 = Entry(0, 1, 8), e2 = Entry(0, 1, 9), e3 = Entry(1, 0, 7);
    e3->DagDatum = 31;
    e3->Maand = 4;  // 31 April: incomplete, but not selected, so not red
    Install({e1, e2, e3});
    Open(0, 0);
    QCOMPARE(t_->Editing->Items.size(), size_t(4));
    QCOMPARE(L(1).Aktie, e1);
    QCOMPARE(L(3).Aktie, e3);
    for (int i : {1, 2, 3}) QCOMPARE(Colour(L(i).LT), FromWinColor(WinColour::LightGrey));
    QCOMPARE(L(1).Panel->palette().color(QPalette::Window), FromWinColor(WinColour::Cream));
    QVERIFY(!L(4).Aktie && L(4).LM->text().isEmpty());
    QCOMPARE(t_->Form()->ui->lblDown->text(), QStringLiteral("3"));
    QVERIFY(!B()->ButOK->isEnabled());  // an incomplete entry among others

    // Leaving the incomplete entry is refused, and double-clicks then open nothing.
    OnDialog<TFormMaand>([](TFormMaand* d) { d->done(2); });
    DoubleClick(1, PlineClass::Month);
    QVERIFY(t_->Busy && L(0).Selected);
    QVERIFY(opened_.isEmpty());
    QTest::mouseClick(L(0).LA, Qt::LeftButton);
    QVERIFY(!t_->Busy);

    // A day the month lacks marks month and day once selected.
    QTest::mouseClick(B()->ButWissen, Qt::LeftButton);
    QCOMPARE(t_->Editing->Selected, e1);
    QTest::mouseClick(L(2).LM, Qt::LeftButton);
    QCOMPARE(t_->Editing->Selected, e3);
    QVERIFY(IsRed(L(2).LM) && IsRed(L(2).LD) && !IsRed(L(2).LT));
    QVERIFY(t_->AppPanel()->lblSR3->text() == QStringLiteral("Room 1"));
    DoubleClick(2, PlineClass::Month);  // the month dialog driver set above closes it
    QCOMPARE(opened_, QStringList{QStringLiteral("TFormMaand")});
    QTest::mouseClick(B()->ButExit, Qt::LeftButton);
    QCOMPARE(TLoadSave::Instance()->Programma->Count(), 3);
  }

  void scrollingAddCopyDeleteAndBack() {
    std::vector<ProgAktiePtr> own;
    for (int h = 0; h < 12; ++h) own.push_back(Entry(0, 0, h));
    Install(own);
    auto other = Entry(0, 1, 5);
    Install({other});
    Open(0, 0);
    QCOMPARE(Selected(), 0);
    QTest::mouseClick(L(9).LT, Qt::LeftButton);
    QCOMPARE(Selected(), 9);
    t_->KeyPressed(VkDown);  // from line 10: the window moves one on
    QCOMPARE(Selected(), 10);
    QCOMPARE(First(), 1);
    QVERIFY(L(9).Selected);
    QCOMPARE(t_->Form()->ui->lblUp->text(), QStringLiteral("10"));
    QCOMPARE(t_->Form()->ui->lblDown->text(), QStringLiteral("2"));
    QTest::mouseClick(t_->Form()->ui->LinesDn, Qt::LeftButton);
    QCOMPARE(Selected(), 11);
    QCOMPARE(First(), 2);
    QCOMPARE(t_->Form()->ui->LinesDn->picture(), TImageFetcher::Instance()->Picture(UIPic::PlineDnU));
    t_->KeyPressed(VkDown);  // the last entry of the target, then the other target's
    t_->KeyPressed(VkDown);
    QCOMPARE(Selected(), 12);
    t_->KeyPressed(VkDown);
    QCOMPARE(Selected(), 12);
    QCOMPARE(First(), 3);
    t_->KeyPressed(VkUp);
    QTest::mouseClick(t_->Form()->ui->LinesUp, Qt::LeftButton);
    QCOMPARE(Selected(), 10);
    QCOMPARE(First(), 3);

    // Copy: a clone right after its original, selected.
    const ProgAktiePtr original = t_->Editing->Selected;
    QTest::mouseClick(B()->ButKopie, Qt::LeftButton);
    QCOMPARE(t_->Editing->Items.size(), size_t(14));
    QVERIFY(t_->Editing->Selected != original);
    QCOMPARE(t_->Editing->Selected->Uur, 10);
    QCOMPARE(Selected(), 11);

    // Add: a blank entry, which sorts first; the window follows it.
    QTest::mouseClick(B()->butToevoegen, Qt::LeftButton);
    QCOMPARE(Selected(), 0);
    QCOMPARE(First(), 0);
    QVERIFY(L(0).Selected && IsRed(L(0).LM));
    QVERIFY(!B()->butToevoegen->isEnabled() && !B()->ButKopie->isEnabled());
    t_->KeyPressed(VkDown);  // blocked while incomplete
    QCOMPARE(Selected(), 0);
    QTest::mouseClick(B()->ButWissen, Qt::LeftButton);
    QCOMPARE(t_->Editing->Selected, own[0]);

    // The last entry of the target, followed by another target's: the one before.
    QTest::mouseClick(L(9).LM, Qt::LeftButton);
    t_->KeyPressed(VkDown);
    t_->KeyPressed(VkDown);
    t_->KeyPressed(VkDown);
    QCOMPARE(t_->Editing->Selected, own[11]);
    QTest::mouseClick(B()->ButWissen, Qt::LeftButton);
    QCOMPARE(t_->Editing->Selected->Uur, 10);
    QCOMPARE(t_->Editing->Deleted.size(), size_t(2));

    // Back: additions and deletions are dropped; a field change stays.
    own[3]->Minuut = 45;
    QTest::mouseClick(B()->ButExit, Qt::LeftButton);
    const GlobalProgAktieList& programme = *TLoadSave::Instance()->Programma;
    QCOMPARE(programme.Count(), 13);
    QCOMPARE(programme.AllItems[11].Entry, own[11]);
    QCOMPARE(own[3]->Minuut, 45);
  }

  // A change to an entry the installation holds is made at once (Back keeps
  // it), so it reaches the recovery copy; one to an added entry waits for OK.
  void storedEntryChangesReachTheRecoveryCopy() {
    Install({Entry(0, 0, 7)});
    Open(0, 0);
    QTest::mouseClick(B()->butToevoegen, Qt::LeftButton);
    t_->PickDevice(1, 1);
    Recovery::Flush();
    QVERIFY(!QFile::exists(Recovery::CopyPath()));
    t_->Back();
    Open(0, 0);
    t_->PickDevice(1, 0);
    Recovery::Flush();
    TLoadSave::Release();  // the crash
    QVERIFY(Recovery::Restore());
    QCOMPARE(TLoadSave::Instance()->Programma->Count(), 1);
    QCOMPARE(TLoadSave::Instance()->Programma->AllItems.at(0).Entry->Ruimte, 1);
  }

  void randomLimit() {
    std::vector<ProgAktiePtr> entries;
    for (int i = 0; i < 99; ++i) {
      entries.push_back(Entry(1, 1, i % 24));
      entries.back()->Random = 1;
    }
    auto random = Entry(0, 0, 5), fixed = Entry(0, 0, 6);
    random->Random = 1;
    entries.push_back(random);
    entries.push_back(fixed);
    Install(entries);
    Open(0, 0);
    QCOMPARE(t_->Editing->Selected, random);
    QVERIFY(t_->RandomAllowed());  // it is random itself
    QTest::mouseClick(B()->ButKopie, Qt::LeftButton);
    QCOMPARE(t_->Editing->Selected->Random, uint8_t(0));

    // The window followed the copy, which stands in the original's line.
    QCOMPARE(First(), 1);
    QCOMPARE(L(1).Aktie, fixed);
    QTest::mouseClick(L(1).LT, Qt::LeftButton);
    QCOMPARE(t_->Editing->Selected, fixed);
    QVERIFY(!t_->RandomAllowed());
    bool randomEnabled = true;
    QString hint;
    OnDialog<TFormTijd>([&](TFormTijd* d) {
      randomEnabled = d->ui->ButRandom->isEnabled();
      hint = d->toolTip();
      QTest::mouseClick(d->ui->ButRandom, Qt::LeftButton);
      QTest::mouseClick(d->ui->ButOK, Qt::LeftButton);
    });
    DoubleClick(1, PlineClass::Time);
    QVERIFY(!randomEnabled);
    QCOMPARE(hint, GetText(TextId::MaximumNumberOfRandomActionsReached));
    QCOMPARE(fixed->Random, uint8_t(0));
  }

  void scenesTargetsAndPickers() {
    TLoadSave::Instance()->Scenes[2].Naam = QStringLiteral("Evening");
    auto device = Entry(0, 0, 8), scene = Scene(2, 20);
    Install({device, scene});
    Open(19, 0);
    QCOMPARE(t_->Editing->Selected, scene);
    QVERIFY(t_->ScenePanel()->Panel->isVisible() && !t_->AppPanel()->Panel->isVisible());
    QCOMPARE(t_->ScenePanel()->lblNr1->text(), QStringLiteral("3"));
    QCOMPARE(t_->ScenePanel()->lblS1->text(), QStringLiteral("Evening"));
    QCOMPARE(L(1).LA->text(), GetText(TextId::Execute));
    DoubleClick(1, PlineClass::Action);  // a scene entry has no action to choose
    QVERIFY(opened_.isEmpty());

    int pickedScene = -1;
    std::pair<int, int> pickedDevice{-1, -1};
    t_->OpenScenePicker = [&](int s) { pickedScene = s; };
    t_->OpenDevicePicker = [&](int r, int d) { pickedDevice = {r, d}; };
    DoubleClick(t_->ScenePanel()->lblS1);
    QCOMPARE(pickedScene, 2);
    QVERIFY(t_->TargetSelected);
    t_->PickScene(4);
    QCOMPARE(scene->Ruimte, 21);
    QCOMPARE(t_->ScenePanel()->lblNr1->text(), QStringLiteral("5"));
    QCOMPARE(device->Ruimte, 0);

    // With a target panel highlighted the keys jump between targets.
    QTest::mouseClick(t_->ScenePanel()->imgS1, Qt::LeftButton);
    t_->KeyPressed(VkUp);
    QCOMPARE(t_->Editing->Selected, device);
    QVERIFY(t_->TargetSelected && t_->AppPanel()->Panel->isVisible());
    DoubleClick(t_->AppPanel()->imgSA3);
    QCOMPARE(pickedDevice, std::make_pair(0, 0));
    t_->PickDevice(1, 1);
    QCOMPARE(std::make_pair(device->Ruimte, device->Apparaat), std::make_pair(1, 1));
    QCOMPARE(scene->Ruimte, 21);
    QCOMPARE(t_->AppPanel()->lblSA3->text(), QStringLiteral("Device 1.1"));
  }

  // From the home screen's "timer" to the box: the two entries of a
  // typical evening, OK, and the box holds them.
  void mainWindowTimerToBox() {
    box_ = std::make_shared<SimulatedBox>();
    box_->Address = {0x12, 0x34, 0x56};
    box_->AddressCheck = 0x63;
    TLoadSave::Instance()->Scenes[0].Naam = QStringLiteral("Night");
    TLoadSave::Instance()->Scenes[0].Akties[0] = Item(0, 0, 17);
    SetBoxTransportFactory([box = box_] {
      auto transport = std::make_unique<SimulatedHidTransport>();
      transport->AddBox(box);
      return std::unique_ptr<HidTransport>(std::move(transport));
    });
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(BoxConnected);
    auto* home = form.findChild<TRuimteUIHandler*>();
    QVERIFY(home && !home->findChild<TTimerHandler*>());  // built on first use
    QTest::mouseClick(home->Tile(1)->Caption, Qt::LeftButton);
    QTest::mouseClick(home->Devices()->Tile(1)->Caption, Qt::LeftButton);
    QTest::mouseClick(home->Buttons()->ButTimer, Qt::LeftButton);
    TTimerHandler* timer = home->findChild<TTimerHandler*>();
    QVERIFY(timer && timer->IsShown());
    QCOMPARE(timer->Ruimte, 1);
    QCOMPARE(timer->Apparaat, 1);
    t_ = timer;

    SetUpEntry(
        13,
        [](TFormDagDatum* d) {
          QTest::mouseClick(d->ui->ButWeekdagen, Qt::LeftButton);
          for (TGradBtn* b : {d->ui->ButMaandag, d->ui->ButDinsdag, d->ui->ButWoensdag, d->ui->ButDonderdag,
                              d->ui->ButVrijdag})
            QTest::mouseClick(b, Qt::LeftButton);
        },
        [](TFormTijd* d) {
          QTest::mouseClick(d->ui->ButDaglicht, Qt::LeftButton);
          d->ui->EdZonOffset->selectAll();
          QTest::keyClicks(d->ui->EdZonOffset, QStringLiteral("15"));
          QTest::mouseClick(d->ui->ButVoor, Qt::LeftButton);
          QTest::mouseClick(d->ui->ButZonOnder, Qt::LeftButton);
        },
        true);
    QVERIFY(timer->Editing->Selected->IsValid());
    QCOMPARE(timer->Editing->Selected->TimeText(), QStringLiteral("15") + GetText(TextId::BeforeSunSet));
    QTest::mouseClick(timer->Buttons()->butToevoegen, Qt::LeftButton);
    SetUpEntry(
        13, [](TFormDagDatum* d) { QTest::mouseClick(d->ui->ButElkeDag, Qt::LeftButton); },
        [](TFormTijd* d) {
          d->ui->EdUur->selectAll();
          QTest::keyClicks(d->ui->EdUur, QStringLiteral("23"));
          d->ui->EdMinuut->selectAll();
          QTest::keyClicks(d->ui->EdMinuut, QStringLiteral("00"));
          QTest::mouseClick(d->ui->ButRandom, Qt::LeftButton);
        },
        false);
    QVERIFY(timer->Editing->Selected->IsValid());
    QCOMPARE(timer->Editing->Selected->TimeText(), GetText(TextId::Between) + QStringLiteral("23:00") +
                                                       GetText(TextId::And) + QStringLiteral("00:00"));

    // The main window's key hook reaches the screen.
    const int before = timer->Editing->SelectedIndex();
    QTest::keyClick(&form, before == 0 ? Qt::Key_Down : Qt::Key_Up);
    QVERIFY(timer->Editing->SelectedIndex() != before);

    box_->ClearLog();
    QTest::mouseClick(timer->Buttons()->ButOK, Qt::LeftButton);
    QVERIFY(!timer->IsShown());
    QVERIFY(!form.KeyCallback);
    QCOMPARE(Letters(*box_), QStringLiteral("cccccccc") + QString(9, QLatin1Char('C')) +
                                 QStringLiteral("cccccccc") + QStringLiteral("P"));
    const GlobalProgAktieList& programme = *TLoadSave::Instance()->Programma;
    QCOMPARE(programme.Count(), 2);
    const TCommunicatie::BlockCheck check = TCommunicatie().CheckBlocks();
    QVERIFY(check.ProgrammeEqual && check.SceneTableEqual);  // the sun table is not this screen's
    std::vector<std::tuple<int, int, int, int>> stored;
    for (const KeyedAktie& k : programme.AllItems)
      stored.emplace_back(k.Entry->DagDatum, k.Entry->ZonTijd, int(k.Entry->Random), int(k.Entry->Aktie));
    std::sort(stored.begin(), stored.end());
    QCOMPARE(stored[0], std::make_tuple(128 + 62, 165, 0, 17));
    QCOMPARE(stored[1], std::make_tuple(255, 0, 1, 0));

    // Again, unchanged: the scene table is only read this time.
    QTest::mouseClick(home->Buttons()->ButTimer, Qt::LeftButton);
    box_->ClearLog();
    QTest::mouseClick(timer->Buttons()->ButOK, Qt::LeftButton);
    QCOMPARE(Letters(*box_), QStringLiteral("ccccccccP"));
  }
};

QTEST_MAIN(TstTimerScreen)
#include "tst_timer_screen.moc"
