// The firmware update window over the simulated loader: opened once by the
// main window's timer, completed by the box's return, and every fault.
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>
#include <algorithm>

#include "core/device/DeviceTestSupport.h"
#include "core/shell/Language.h"
#include "gui/device/updateflash.h"
#include "gui/shell/BaseForm.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

namespace {

int OpenUpdateWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    n += qobject_cast<TfrmUpdate*>(w) && w->isVisible() ? 1 : 0;
  return n;
}

// Counts paint events of the widgets it watches.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

class TestUpdateFlash : public QObject {
  Q_OBJECT

  BoxTestWorkspace ws_;
  std::shared_ptr<SimulatedBox> box_;
  std::unique_ptr<QTimer> timer1_;   // stands for the main window's Timer1
  std::unique_ptr<QTimer> watcher_;  // runs inside the window's modal loop
  QPointer<TfrmUpdate> seen_;
  QElapsedTimer shown_;
  QString imagePath_;  // given to each new window before it starts
  // What the watcher saw.
  QStringList errors_;  // texts of the message boxes, each closed with OK
  int maxWindows_ = 0, windows_ = 0;
  QString firstLabel1_, label1_, label2_;
  bool quitVisible_ = false, quitFocused_ = false;
  QList<int> gaugeValues_;
  int gaugeMax_ = 0;
  PaintCounter labelPaints_, gaugePaints_;
  // Runs on each watcher turn while the window is visible.
  std::function<void(TfrmUpdate*)> onWindow_;

  // A new window is set up as it is shown, before its update starts.
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* w = qobject_cast<TfrmUpdate*>(watched);
    if (w && event->type() == QEvent::Show && w != seen_) {
      seen_ = w;
      shown_.start();
      ++windows_;
      firstLabel1_ = w->Label1()->text();
      if (!imagePath_.isEmpty()) w->SetImagePath(imagePath_);
      connect(w->Gauge1(), &QProgressBar::valueChanged, this, [this](int v) { gaugeValues_ << v; });
      w->Label2()->installEventFilter(&labelPaints_);
      w->Gauge1()->installEventFilter(&gaugePaints_);
    }
    return false;
  }

  void Watch() {
    maxWindows_ = std::max(maxWindows_, OpenUpdateWindows());
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      errors_ << box->text();
      box->button(QMessageBox::Ok)->click();
      return;
    }
    TfrmUpdate* w = TfrmUpdate::Current();
    if (!w) return;
    // A test that went wrong must not leave its modal window open for good.
    if (shown_.isValid() && shown_.elapsed() > 9000) w->quitClick();
    if (!w->isVisible()) return;
    label1_ = w->Label1()->text();
    label2_ = w->Label2()->text();
    quitVisible_ = w->btnQuit()->isVisible();
    quitFocused_ = w->btnQuit()->hasFocus();
    gaugeMax_ = w->Gauge1()->maximum();
    if (onWindow_) onWindow_(w);
  }

  // The box arrives (the link arms the timer) and the window runs until it
  // is closed.
  void Run() {
    CreateSimulatedBoxLink(box_);
    QTRY_VERIFY_WITH_TIMEOUT(windows_ > 0 && !FirmwareUpdateStarted && !TfrmUpdate::Current(), 10000);
  }

  static void QuitWhenDone(TfrmUpdate* w) {
    if (w->state() == TfrmUpdate::State::Done) w->btnQuit()->click();
  }

 private slots:
  void initTestCase() {
    FailOnUnexpectedWarnings();
    qApp->installEventFilter(this);
  }

  void init() {
    FailOnUnexpectedWarnings();
    ws_.Begin(30);
    FirmwareUpdateStarted = false;
    BoxConnected = false;
    box_ = std::make_shared<SimulatedBox>();
    box_->ProductId = SimulatedBox::LoaderProductId;
    box_->ProductString = QStringLiteral("KLV-820 Loader");
    seen_ = nullptr;
    imagePath_.clear();
    errors_.clear();
    maxWindows_ = windows_ = 0;
    firstLabel1_.clear();
    gaugeValues_.clear();
    labelPaints_.paints = gaugePaints_.paints = 0;
    onWindow_ = QuitWhenDone;

    timer1_ = std::make_unique<QTimer>();
    timer1_->setInterval(20);
    connect(timer1_.get(), &QTimer::timeout, this, [this] { FirmwareTimerTick(timer1_.get(), nullptr); });
    BoxLinkHooks hooks;
    hooks.ArmUpdateTimer = [this] { timer1_->start(); };
    AddUpdateWindowHooks(hooks);
    SetBoxLinkHooks(hooks);

    watcher_ = std::make_unique<QTimer>();
    watcher_->setInterval(5);
    connect(watcher_.get(), &QTimer::timeout, this, [this] { Watch(); });
    watcher_->start();
  }

  void cleanup() {
    watcher_.reset();
    timer1_.reset();
    ws_.End();
    FirmwareUpdateStarted = false;
    box_.reset();
  }

  void windowLayout() {
    TfrmUpdate w(QStringLiteral("KLV-820"));
    QCOMPARE(w.size(), QSize(480, 360));
    QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(w.windowTitle(), GetText(TextId::UpdatingTo) + QStringLiteral("KLV-820"));
    QCOMPARE(w.Label1()->pos(), QPoint(24, 60));
    QCOMPARE(w.Label2()->pos(), QPoint(24, 102));
    QCOMPARE(w.Gauge1()->geometry(), QRect(24, 211, 433, 22));
    QVERIFY(w.Gauge1()->isHidden());
    QCOMPARE(w.Gauge1()->value(), 0);
    QCOMPARE(w.btnQuit()->geometry(), QRect(326, 260, 130, 40));
    QCOMPARE(w.btnQuit()->text(), QStringLiteral("OK"));
    QVERIFY(!w.mask().isEmpty());
    QCOMPARE(TfrmUpdate::Current(), &w);
  }

  void fullUpdateOpensOneWindow() {
    onWindow_ = [this](TfrmUpdate* w) {
      if (w->state() == TfrmUpdate::State::Waiting) {
        QVERIFY(!w->btnQuit()->isVisible());
        QVERIFY(w->Gauge1()->isHidden());
        // The timer keeps firing while the window is open: no second window.
        timer1_->start();
      }
      QuitWhenDone(w);
    };
    Run();

    QCOMPARE(windows_, 1);
    QCOMPARE(maxWindows_, 1);
    QCOMPARE(firstLabel1_, GetText(TextId::Updating) + QStringLiteral("KLV-820 Loader") +
                               GetText(TextId::To) + QStringLiteral("KLV-820 1.1"));
    QCOMPARE(label1_, QStringLiteral("KLV-820") + GetText(TextId::HasBeenUpdated));
    QCOMPARE(label2_, GetText(TextId::AndIsReadyForUse));
    QVERIFY(quitVisible_);
    QVERIFY(quitFocused_);
    QVERIFY(errors_.isEmpty());
    QCOMPARE(LinkState, BoxLinkState::Ready);
    QVERIFY(BoxConnected);

    // The bar moved forward to full and was painted on the way, although no
    // event was handled during the transfer (at most every 100 ms, so the
    // number of steps depends on the machine's speed).
    TFirmwareImage image;
    QVERIFY(ReadHexFile(QString::fromLatin1(EmbeddedFirmwarePath), &image, nullptr));
    const int pages = image.UsedPages();
    QCOMPARE(gaugeMax_, pages);
    QCOMPARE(gaugeValues_.last(), pages);
    const qsizetype full = gaugeValues_.indexOf(pages);
    QVERIFY(std::is_sorted(gaugeValues_.begin() + gaugeValues_.lastIndexOf(0, full),
                           gaugeValues_.begin() + full));
    QVERIFY(gaugePaints_.paints >= 2);
    // Erasing, programming and the emptied line while waiting.
    QVERIFY(labelPaints_.paints >= 3);
    QVERIFY(box_->Flash == QByteArray(reinterpret_cast<const char*>(image.Bytes.data()), FlashLimit));
  }

  void mainWindowTimerOpensTheWindow() {
    // The real path: the main window's hooks arm its Timer1, whose tick opens
    // the window; the link completes it when the box is back.
    SetBoxLinkHooks({});
    UseSimulatedBus(box_);
    {
      TMainForm form;
      QTRY_VERIFY_WITH_TIMEOUT(windows_ > 0 && !FirmwareUpdateStarted && !TfrmUpdate::Current(), 10000);
      QVERIFY(!form.Timer1->isActive());
    }
    SetBoxTransportFactory(nullptr);
    QCOMPARE(windows_, 1);
    QCOMPARE(label1_, QStringLiteral("KLV-820") + GetText(TextId::HasBeenUpdated));
    QVERIFY(quitVisible_);
    QCOMPARE(box_->Loader.Restarts, 1);
    QCOMPARE(int(box_->ProductId), 2050);
  }

  void tickLeavesABoxOnTheApplicationAlone() {
    // The loader started the application on its own before the tick came.
    BoxLinkHooks hooks;
    AddUpdateWindowHooks(hooks);
    SetBoxLinkHooks(hooks);
    CreateSimulatedBoxLink(box_);
    QCOMPARE(LinkState, BoxLinkState::UpdateNeeded);
    GiveValidAddress(*box_);
    box_->Unplug();
    DeliverNotifications();
    box_->ProductId = SimulatedBox::ApplicationProductId;
    box_->Plug();
    DeliverNotifications();
    QCOMPARE(LinkState, BoxLinkState::Ready);
    box_->ClearLog();

    timer1_->start();
    FirmwareTimerTick(timer1_.get(), nullptr);
    QCOMPARE(windows_, 0);
    QVERIFY(!FirmwareUpdateStarted);
    QVERIFY(box_->Received().empty());

    // The main window's own tick, likewise.
    UseSimulatedBus(box_);
    {
      TMainForm form;
      QStringList opened;
      form.OpenFirmwareUpdate = [&](const QString& line) { opened << line; };
      QCOMPARE(LinkState, BoxLinkState::Ready);
      form.Timer1->start();
      form.Timer1Timer();
      QVERIFY(opened.isEmpty());
      QVERIFY(!FirmwareUpdateStarted);
    }
    SetBoxTransportFactory(nullptr);
  }

  void verifyErrorIsShownAndUpdateGoesOn() {
    box_->Loader.CorruptPage = 0x0080;
    Run();
    QCOMPARE(errors_, QStringList{GetText(TextId::VerifyErrorAtAddress) + QStringLiteral("0085")});
    QCOMPARE(label1_, QStringLiteral("KLV-820") + GetText(TextId::HasBeenUpdated));
  }

  void corruptImageIsNotFlashed() {
    QTemporaryFile hex;
    QVERIFY(hex.open());
    hex.write(":0400000001020304F2\n:0400100001020304E3\n:00000001FF\n");
    hex.close();
    imagePath_ = hex.fileName();
    bool quitShown = false;
    onWindow_ = [&](TfrmUpdate* w) {
      if (w->state() != TfrmUpdate::State::Aborted) return;
      quitShown = w->btnQuit()->isVisible();
      w->btnQuit()->click();
    };
    CreateSimulatedBoxLink(box_);
    box_->ClearLog();
    QTRY_VERIFY_WITH_TIMEOUT(windows_ > 0 && !FirmwareUpdateStarted && !TfrmUpdate::Current(), 10000);
    QVERIFY(quitShown);
    QCOMPARE(errors_, QStringList{GetText(TextId::FileCorruptChecksumError)});
    QVERIFY(box_->Received().empty());
    QVERIFY(!BoxConnected);
    // Nothing starts again by itself: the timer that opens an update is off
    // and no queued event brings one.
    QVERIFY(!timer1_->isActive());
    QCoreApplication::processEvents();
    QCOMPARE(windows_, 1);
  }

  void boxComesBackInLoaderAndIsUpdatedAgain() {
    box_->Loader.ReturnInLoader = true;
    onWindow_ = [this](TfrmUpdate* w) {
      if (box_->Loader.Restarts >= 1) box_->Loader.ReturnInLoader = false;
      QuitWhenDone(w);
    };
    Run();
    QCOMPARE(box_->Loader.Restarts, 2);
    QCOMPARE(box_->Loader.Erases, 2);
    QCOMPARE(windows_, 1);
    QCOMPARE(LinkState, BoxLinkState::Ready);
  }

  void boxAlwaysBackInLoaderStopsAfterThreeRuns() {
    box_->Loader.ReturnInLoader = true;
    onWindow_ = [](TfrmUpdate* w) {
      if (w->state() == TfrmUpdate::State::Aborted) w->btnQuit()->click();
    };
    Run();
    QCOMPARE(box_->Loader.Erases, TfrmUpdate::MaxRuns);
    QCOMPARE(windows_, 1);
    QCOMPARE(label1_, GetText(MoreTextId::TooManyTries));
    QCOMPARE(label2_, GetText(MoreTextId::UpdateGivenUp));
    QVERIFY(quitVisible_);
  }

  void boxThatNeverComesBackLeavesTheWindowWaiting() {
    box_->Loader.NeverComesBack = true;
    QElapsedTimer waited;
    bool stillOpenAfterEscape = false;
    onWindow_ = [&](TfrmUpdate* w) {
      if (w->state() != TfrmUpdate::State::Waiting) return;
      if (!waited.isValid()) {
        waited.start();
        QTest::keyClick(w, Qt::Key_Escape);
        stillOpenAfterEscape = w->isVisible();
      }
      // The window's own loop keeps running, so this watcher is called.
      if (waited.elapsed() > 300) w->quitClick();
    };
    Run();
    QVERIFY(stillOpenAfterEscape);
    QVERIFY(waited.elapsed() >= 300);
    QCOMPARE(label1_, GetText(TextId::WaitForReconnectionOf) + QStringLiteral("KLV-820...."));
    QCOMPARE(label2_, QString());
    QVERIFY(!quitVisible_);
    QCOMPARE(LinkState, BoxLinkState::NoBox);
  }

  void unpluggedInTheMiddleThenBack() {
    box_->InjectFault(SimulatedBox::Fault::Unplug, 0, 40);
    bool replugged = false;
    onWindow_ = [&](TfrmUpdate* w) {
      if (w->state() == TfrmUpdate::State::Waiting && !box_->Plugged() && !replugged) {
        replugged = true;
        box_->Plug();  // still the loader: updated again in the same window
      }
      QuitWhenDone(w);
    };
    Run();
    QVERIFY(replugged);
    QCOMPARE(errors_.size(), 1);
    QVERIFY(errors_[0].startsWith(GetText(TextId::VerifyErrorAtAddress)));
    QCOMPARE(box_->Loader.Restarts, 1);
    QCOMPARE(windows_, 1);
    QCOMPARE(LinkState, BoxLinkState::Ready);
  }
};

QTEST_MAIN(TestUpdateFlash)
#include "tst_updateflash.moc"
