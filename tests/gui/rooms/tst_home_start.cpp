// The home screen inside the main window: start-up with and without a box,
// and leaving the program through "exit".
#include <QEventLoop>

#include "HomeTestSupport.h"
#include "core/device/Communicatie.h"
#include "core/device/DeviceTestSupport.h"
#include "core/shell/Language.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/widgets/SmoothPanel.h"

class TstHomeStart : public QObject {
  Q_OBJECT

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void cleanup() { ResetBoxLink(); }

  void startWithoutBox() {
    TempWorkspace ws;
    UseSimulatedBus(nullptr);
    MeldUser user;
    user.Expect(2);  // the main window and the message
    TMainForm form;
    // The message waits until the window has painted its first frame.
    QVERIFY(user.seen.isEmpty());
    form.show();
    QTRY_COMPARE(user.seen,
                 QStringList(GetText(TextId::Attention) + "|" + GetText(TextId::TheKLV820IsNotConnected)));
    QVERIFY(!BoxConnected);
    // The home screen is on the window's panels.
    auto* panel = form.MainPanel->findChild<TSmoothPanel*>(QStringLiteral("pnlRuimteApparaat"));
    QVERIFY(panel && !panel->isHidden());
    auto* exit = form.ButtonPanel->findChild<TGradBtn*>(QStringLiteral("ButExit"));
    QVERIFY(exit && !exit->isHidden());
    QCOMPARE(exit->text(), GetText(TextId::Exit));
  }

  void exitSendsAndEndsTheProgram() {
    TempWorkspace ws;
    FillInstallation(2, {2, 1});
    auto box = std::make_shared<SimulatedBox>();
    UseSimulatedBus(box);
    MeldUser user;
    user.answers = {2};
    user.Expect(2);  // the main window and the exit question
    TMainForm form;
    QVERIFY(BoxConnected);
    QVERIFY(user.seen.isEmpty());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* exit = form.ButtonPanel->findChild<TGradBtn*>(QStringLiteral("ButExit"));
    QVERIFY(exit);
    // The box's own pause after sending, shortened: the simulated box needs none.
    auto* home = form.findChild<TRuimteUIHandler*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(home);
    home->SendPauseMs = 10;

    QEventLoop loop;
    QTimer::singleShot(0, exit, [exit] { QTest::mouseClick(exit, Qt::LeftButton); });
    QTimer::singleShot(20000, &loop, [&loop] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);  // the exit sequence ended the event loop
    QCOMPARE(user.seen.size(), 1);
    QVERIFY(QFile::exists(ws.file("kvl820.dat")));
    TCommunicatie check;
    QVERIFY(check.VerifyBox());
  }
};

QTEST_MAIN(TstHomeStart)
#include "tst_home_start.moc"
