#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "TestSupport.h"
#include "core/device/DeviceTestSupport.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "gui/rooms/RuimteAppHandler.h"
#include "gui/shell/BaseForm.h"
#include "gui/shell/HintWindow.h"
#include "gui/shell/Melding.h"
#include "gui/shell/RoundForm.h"
#include "gui/widgets/Backdrop.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/SmoothPanel.h"

class TestMainForm : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    FailOnUnexpectedWarnings();
    // The window starts the box link: an empty simulated bus instead of the
    // system's.
    UseSimulatedBus(nullptr);
  }
  void cleanup() { ResetBoxLink(); }
  void initTestCase() {
    FailOnUnexpectedWarnings();
    // The start-up message "not connected" is closed at once.
    auto* closer = new QTimer(this);
    connect(closer, &QTimer::timeout, [] {
      if (frmMeld && frmMeld->isVisible()) frmMeld->btn1()->click();
    });
    closer->start(5);
  }

  void layoutAndSettings() {
    TempWorkspace ws;
    TMainForm form;
    QCOMPARE(TMainForm::Instance(), &form);
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.size(), QSize(800, 600));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QCOMPARE(form.font().family(), QStringLiteral("Arial"));
    QCOMPARE(form.font().pixelSize(), 16);
    QCOMPARE(form.geometry().center(), form.screen()->availableGeometry().center());

    QCOMPARE(form.Image1->geometry(), QRect(0, 0, 800, 600));
    QVERIFY(form.Image1->hasBanded());
    QCOMPARE(form.MainPanel->geometry(), QRect(24, 84, 598, 504));
    QCOMPARE(form.MainPanel->cornerRadius(), 10);
    QVERIFY(form.MainPanel->transparentFill());
    QVERIFY(!form.MainPanel->borderVisible());
    QCOMPARE(form.ButtonPanel->geometry(), QRect(632, 84, 150, 500));
    QCOMPARE(form.ButtonPanel->cornerRadius(), 10);
    QVERIFY(form.ButtonPanel->transparentFill());
    QCOMPARE(form.imgLogo->geometry(), QRect(38, 26, 130, 39));
    QCOMPARE(form.imgLogo->pixmap().size(), QSize(130, 39));

    QCOMPARE(form.Timer1->interval(), 500);
    QVERIFY(!form.Timer1->isActive());
    QVERIFY(!form.KeyCallback);

    QCOMPARE(ProductName, QStringLiteral("KLV-820"));
    QCOMPARE(ExpectedFirmwareVersion, QStringLiteral("1.1"));
    QCOMPARE(ExpectedProductId, 2050);
    QCOMPARE(ProgramVersion, QStringLiteral("1"));

    // Application-wide hints.
    QCOMPARE(QToolTip::palette().color(QPalette::ToolTipBase), QColor(255, 255, 0));
    QCOMPARE(QToolTip::font().family(), QStringLiteral("Arial"));
    QCOMPARE(QToolTip::font().pointSize(), 10);
    QCOMPARE(form.style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, &form), 1000);
    auto* tipped = new QPushButton(QStringLiteral("x"), form.ButtonPanel);
    tipped->setToolTip(QStringLiteral("tip"));
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), tipped->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(tipped, &help);
    QCOMPARE(tipped->toolTipDuration(), 3000);
    QToolTip::hideText();
  }

  void logoFollowsLanguage() {
    for (int language : {0, 1, 5}) {
      TempWorkspace ws;
      TLoadSave::Instance()->Language = language;
      TMainForm form;
      QCOMPARE(form.imgLogo->isVisibleTo(&form), language != 0);
    }
  }

  void roundedOutline() {
    TempWorkspace ws;
    TMainForm form;
    const QRegion mask = form.mask();
    QVERIFY(!mask.isEmpty());
    // The corners are cut off along an ellipse of 60 x 60.
    for (const QPoint& p : {QPoint(0, 0), QPoint(1, 1), QPoint(5, 5), QPoint(794, 5), QPoint(5, 594),
                            QPoint(794, 594), QPoint(0, 300), QPoint(400, 0)})
      QVERIFY2(!mask.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPoint& p : {QPoint(400, 300), QPoint(1, 300), QPoint(799, 300), QPoint(400, 1),
                            QPoint(400, 599), QPoint(31, 3), QPoint(12, 12), QPoint(787, 587)})
      QVERIFY2(mask.contains(p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    QCOMPARE(mask, RoundedRegion(QSize(800, 600), 60));
  }

  void roundFormOnAnyWindow() {
    // A dialog rounded later keeps its edge above children added afterwards
    // and follows its size.
    QWidget dialog(nullptr, Qt::FramelessWindowHint);
    dialog.resize(200, 100);
    RoundForm(&dialog, 20);
    auto* child = new QLabel(QStringLiteral("text"), &dialog);
    child->setGeometry(dialog.rect());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QWidget* edge = dialog.findChild<QWidget*>(QStringLiteral("RoundFormEdge"));
    QVERIFY(edge);
    QCOMPARE(dialog.children().last(), edge);
    QVERIFY(edge->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(!dialog.mask().contains(QPoint(2, 2)));
    dialog.resize(300, 150);
    QCOMPARE(dialog.mask(), RoundedRegion(QSize(300, 150), 20));
    QCOMPARE(edge->geometry(), dialog.rect());

    // The edge is antialiased: along the diagonal of a corner there are
    // blended pixels between the edge colour and the white content.
    child->setStyleSheet(QStringLiteral("background: white"));
    const QImage shot = dialog.grab().toImage();
    int blended = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        if (shot.pixelColor(x, y).red() > 75 && shot.pixelColor(x, y).red() < 240) ++blended;
    QVERIFY(blended >= 4);
    // At the new size the far corner and the sides have their edge too.
    int blendedFar = 0;
    for (int y = 140; y < 150; ++y)
      for (int x = 290; x < 300; ++x)
        if (shot.pixelColor(x, y).red() > 75 && shot.pixelColor(x, y).red() < 240) ++blendedFar;
    QVERIFY(blendedFar >= 4);
    for (const QPoint& side : {QPoint(150, 1), QPoint(150, 148), QPoint(1, 75), QPoint(298, 75)})
      QVERIFY2(shot.pixelColor(side).red() < 240,
               qPrintable(QStringLiteral("%1,%2").arg(side.x()).arg(side.y())));

    RoundForm(&dialog, 0);
    QVERIFY(dialog.mask().isEmpty());
    QCOMPARE(dialog.findChildren<QWidget*>(QStringLiteral("RoundFormEdge")).size(), 1);
  }

  void keyCallbackGetsVirtualKeys() {
    TempWorkspace ws;
    TMainForm form;
    auto* edit = new QLineEdit(form.MainPanel);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QList<uint16_t> keys;

    // Without a callback nothing is called and the keys work as usual.
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("ab"));
    QCOMPARE(edit->text(), QStringLiteral("ab"));

    form.KeyCallback = [&](uint16_t key) { keys << key; };
    // Keys for a focused control inside a panel: seen once each, and the
    // control still gets them. Return is ignored by the line edit and so
    // travels up to the window, which must not count it again.
    QTest::keyClick(edit, Qt::Key_C);
    QTest::keyClick(edit, Qt::Key_Left);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_7);
    QTest::keyClick(edit, Qt::Key_7, Qt::KeypadModifier);
    QCOMPARE(keys, (QList<uint16_t>{0x43, 0x25, 0x0D, 0x0D, 0x37, 0x67}));
    QCOMPARE(edit->text(), QStringLiteral("ab77c"));

    // Keys arriving at the window itself, as from the platform.
    keys.clear();
    for (Qt::Key k : {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete,
                      Qt::Key_Insert, Qt::Key_Escape, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right, Qt::Key_Z})
      QTest::keyClick(form.windowHandle(), k);
    QCOMPARE(keys, (QList<uint16_t>{0x21, 0x22, 0x24, 0x23, 0x2E, 0x2D, 0x1B, 0x26, 0x28, 0x27, 0x5A}));

    // Keys of another window do not reach it.
    keys.clear();
    QLineEdit other;
    QTest::keyClick(&other, Qt::Key_A);
    QVERIFY(keys.isEmpty());

    // Clearing it stops the calls.
    form.KeyCallback = nullptr;
    QTest::keyClick(edit, Qt::Key_A);
    QVERIFY(keys.isEmpty());
  }

  void dragByBackgroundOnly() {
    TempWorkspace ws;
    TMainForm form;
    auto* control = new QPushButton(QStringLiteral("b"), form.ButtonPanel);
    control->setGeometry(10, 10, 80, 40);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    auto drag = [&](QWidget* target, QPoint local, QPoint delta) {
      const QPoint start = target->mapToGlobal(local);
      QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(start), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &press);
      for (int step = 1; step <= 2; ++step) {
        const QPoint g = start + delta * step / 2;
        QMouseEvent move(QEvent::MouseMove, QPointF(target->mapFromGlobal(g)), QPointF(g), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
      }
      const QPoint end = start + delta;
      QMouseEvent release(QEvent::MouseButtonRelease, QPointF(target->mapFromGlobal(end)), QPointF(end),
                          Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(target, &release);
    };

    const QPoint origin = form.pos();
    drag(form.Image1, QPoint(300, 40), QPoint(50, 30));
    QCOMPARE(form.pos(), origin + QPoint(50, 30));

    // A move after the release no longer drags.
    const QPoint after = form.pos();
    QMouseEvent stray(QEvent::MouseMove, QPointF(10, 10), QPointF(form.Image1->mapToGlobal(QPoint(90, 90))),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(form.Image1, &stray);
    QCOMPARE(form.pos(), after);

    drag(form.MainPanel, QPoint(100, 100), QPoint(40, 40));
    drag(form.ButtonPanel, QPoint(100, 300), QPoint(40, 40));
    drag(control, QPoint(5, 5), QPoint(40, 40));
    drag(form.imgLogo, QPoint(5, 5), QPoint(40, 40));
    QCOMPARE(form.pos(), after);
  }

  void firmwareTimerOpensOneUpdate() {
    TempWorkspace ws;
    TLoadSave::Instance()->Language = 1;
    TMainForm form;
    QStringList opened;
    form.OpenFirmwareUpdate = [&](const QString& line) { opened << line; };

    // Without a box the ticks do nothing and the timer runs on.
    form.Timer1->start();
    form.Timer1Timer();
    QVERIFY(opened.isEmpty());
    QVERIFY(form.Timer1->isActive());
    form.Timer1->stop();

    // A box in loader mode arms the timer; its ticks open one update only.
    BoxLinkHooks hooks;
    hooks.ArmUpdateTimer = [&] { form.Timer1->start(); };
    SetBoxLinkHooks(hooks);
    auto box = std::make_shared<SimulatedBox>();
    box->ProductId = SimulatedBox::LoaderProductId;
    box->Mode = SimulatedBox::Firmware::Loader;
    box->ProductString = QStringLiteral("KLV-820 Loader");
    CreateSimulatedBoxLink(box);
    QVERIFY(form.Timer1->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(opened.size(), 1, 2000);
    QCOMPARE(opened.first(), QStringLiteral("updating KLV-820 Loader to KLV-820 1.1"));
    QVERIFY(FirmwareUpdateStarted);
    QVERIFY(BoxConnected);
    QVERIFY(!form.Timer1->isActive());
    form.Timer1->start();  // armed again while the update runs: its ticks open nothing
    form.Timer1Timer();
    form.Timer1Timer();
    QCOMPARE(opened.size(), 1);

    SetBoxLinkHooks({});
    ReleaseBoxLink();
    FirmwareUpdateStarted = false;
  }

  void closingTheWindowRunsTheExitSequence() {
    TempWorkspace ws;
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* home = form.findChild<TRuimteUIHandler*>();
    QVERIFY(home);
    int ended = 0;
    home->Terminate = [&ended] { ++ended; };
    TLoadSave::Instance()->Ruimtes[0].Naam = QStringLiteral("Hall");
    QVERIFY(!QFile::exists(ws.file(QStringLiteral("kvl820.dat"))));

    // The window system's close: the changes are saved, the program ends
    // through the sequence, and the window does not vanish on its own.
    QVERIFY(form.windowHandle());
    form.windowHandle()->close();
    QCOMPARE(ended, 1);
    QVERIFY(QFile::exists(ws.file(QStringLiteral("kvl820.dat"))));
    QVERIFY(form.isVisible());
    TLoadSave::Release();
    QCOMPARE(TLoadSave::Instance()->Ruimtes[0].Naam, QStringLiteral("Hall"));
  }

  void bringToFrontRestores() {
    TempWorkspace ws;
    TMainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.showMinimized();
    QTRY_VERIFY(form.isMinimized());
    form.BringToFront();
    QTRY_VERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());
  }

  void smoothPanelPainting() {
    QWidget host;
    host.resize(220, 140);
    host.setAutoFillBackground(true);
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    host.setPalette(pal);
    auto* panel = new TSmoothPanel(&host);
    panel->setGeometry(10, 10, 200, 120);
    panel->setCornerRadius(20);
    panel->setGradient(QColor(255, 0, 0), QColor(0, 255, 0));
    panel->setBorderVisible(false);

    QImage img = host.grab().toImage();
    auto at = [&](int x, int y) { return img.pixelColor(x + 10, y + 10); };
    QCOMPARE(at(0, 0), QColor(0, 0, 255));                           // rounded-off corner shows the parent
    QVERIFY(at(100, 2).red() > 200 && at(100, 2).green() < 40);      // top: gradientFrom
    QVERIFY(at(100, 117).green() > 200 && at(100, 117).red() < 40);  // bottom: gradientTo
    // Antialiased: some corner pixels are mixtures.
    int mixed = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) mixed += at(x, y).blue() > 30 && at(x, y).blue() < 225;
    QVERIFY(mixed >= 8);

    panel->setTransparentFill(true);
    img = host.grab().toImage();
    QCOMPARE(at(100, 60), QColor(0, 0, 255));

    panel->setBorderVisible(true);
    panel->setBorderColor(QColor(255, 255, 255));
    panel->setBorderWidth(2);
    img = host.grab().toImage();
    QCOMPARE(at(100, 0), QColor(255, 255, 255));
    QCOMPARE(at(100, 60), QColor(0, 0, 255));

    // A caption takes a band at the top, pushes the contents down and is drawn there.
    QCOMPARE(panel->captionHeight(), 0);
    panel->setCaption(QStringLiteral("Rooms"));
    panel->setCaptionBand(false);
    panel->setCaptionColor(QColor(255, 255, 0));
    QVERIFY(panel->captionHeight() > 10);
    QCOMPARE(panel->contentsRect().top(), panel->captionHeight());
    img = host.grab().toImage();
    bool text = false;
    for (int y = 0; y < panel->captionHeight() && !text; ++y)
      for (int x = 60; x < 140 && !text; ++x)
        text = at(x, y).red() > 200 && at(x, y).green() > 200 && at(x, y).blue() < 60;
    QVERIFY(text);
    panel->setCaption(QString());
    QCOMPARE(panel->contentsRect().top(), 0);
  }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
