// The box link: arrival, departure, identity checks and faults, against the
// simulated box.
#include <QElapsedTimer>

#include "DeviceTestSupport.h"
#include "core/device/Communicatie.h"
#include "core/shell/Language.h"

namespace {

const int kTimeout = 50;

QString NotConnected() {
  return GetText(TextId::Attention) + QLatin1Char('|') + GetText(TextId::TheKLV820IsNotConnected);
}

std::shared_ptr<SimulatedBox> ValidBox() {
  auto b = std::make_shared<SimulatedBox>();
  GiveValidAddress(*b);
  return b;
}

}  // namespace

class TestBoxLink : public QObject {
  Q_OBJECT

  BoxTestWorkspace ws_;
  HookRecorder hooks_;

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void init() {
    FailOnUnexpectedWarnings();
    ws_.Begin(kTimeout);
    TLoadSave::Instance()->InitData();
    TLoadSave::Instance()->Programma->AllItems.clear();
    hooks_ = HookRecorder();
    hooks_.Install();
    FirmwareUpdateStarted = false;
    BoxConnected = false;
  }

  void cleanup() { ws_.End(); }

  // Expected firmware: clock set with the PC's time, then the address checked
  // (an invalid one replaced).
  void arrivalWithExpectedFirmware() {
    auto box = std::make_shared<SimulatedBox>();  // invalid address
    CreateSimulatedBoxLink(box);
    QVERIFY(BoxConnected);
    QCOMPARE(LinkState, BoxLinkState::Ready);
    QCOMPARE(BoxVersion, QStringLiteral("1.1"));
    QCOMPARE(Letters(*box), QStringLiteral("TddD"));  // the bad check byte read twice
    QVERIFY(box->ClockOffset.has_value());
    QVERIFY(qAbs(*box->ClockOffset) <= 2);
    QCOMPARE(int(box->ClockDayOfWeek), QDate::currentDate().dayOfWeek() % 7 + 1);
    QVERIFY(box->AddressValid());
    QVERIFY(hooks_.messages.isEmpty());
    QCOMPARE(hooks_.timerArmed, 0);
    QVERIFY(hooks_.completions.isEmpty());
  }

  void arrivalWithOtherFirmware_data() {
    QTest::addColumn<int>("productId");
    QTest::addColumn<int>("version");
    QTest::newRow("1.0") << 2050 << 0x0100;
    QTest::newRow("loader") << 2049 << 0x0101;
  }
  void arrivalWithOtherFirmware() {
    QFETCH(int, productId);
    QFETCH(int, version);
    auto box = ValidBox();
    box->ProductId = uint16_t(productId);
    box->Version = uint16_t(version);
    CreateSimulatedBoxLink(box);
    QCOMPARE(hooks_.timerArmed, 1);
    QVERIFY(!BoxConnected);
    QCOMPARE(LinkState, BoxLinkState::UpdateNeeded);
    QVERIFY(BoxDevice);
    QVERIFY(box->Log().empty());
    QVERIFY(hooks_.messages.isEmpty());
  }

  // A connected box seen again with other firmware arms the timer and leaves
  // BoxConnected as it was; nothing reaches the box.
  void otherFirmwareLeavesConnectedAlone() {
    auto box = ValidBox();
    SimulatedHidTransport* t = CreateSimulatedBoxLink(box);
    QVERIFY(BoxConnected);
    box->ClearLog();
    box->Version = 0x0100;
    t->NotifyChanged();
    DeliverNotifications();
    QCOMPARE(hooks_.timerArmed, 1);
    QCOMPARE(LinkState, BoxLinkState::UpdateNeeded);
    QVERIFY(BoxConnected);
    QCOMPARE(BoxVersion, QStringLiteral("1.0"));
    QVERIFY(box->Log().empty());
  }

  // CreateBoxLink() without a transport takes a test's factory first, else
  // the system's layer the program registered, else a bus without devices.
  void transportChoice() {
    auto registered = ValidBox();
    SetSystemHidTransportFactory([registered] {
      auto t = std::make_unique<SimulatedHidTransport>();
      t->AddBox(registered);
      return std::unique_ptr<HidTransport>(std::move(t));
    });
    CreateBoxLink();
    QVERIFY(BoxConnected);
    QVERIFY(!registered->Received().empty());
    UseSimulatedBus(nullptr);
    CreateBoxLink();
    QCOMPARE(LinkState, BoxLinkState::NoBox);
    QVERIFY(HidController->Devices().empty());
    SetBoxTransportFactory({});
    SetSystemHidTransportFactory({});
    CreateBoxLink();
    QCOMPARE(LinkState, BoxLinkState::NoBox);
    QVERIFY(HidController->Devices().empty());
    HidOpenStatus status = HidOpenStatus::Ok;
    QVERIFY(!HidController->Transport()->Open(registered->Path, &status));
    QCOMPARE(status, HidOpenStatus::Failed);
  }

  // The box comes back after an update while the update window is open.
  void arrivalCompletesUpdateWindow() {
    hooks_.updateWindowVisible = true;
    CreateSimulatedBoxLink(ValidBox());
    QCOMPARE(hooks_.completions, QStringList{ProductName + GetText(TextId::HasBeenUpdated) +
                                             QLatin1Char('|') + GetText(TextId::AndIsReadyForUse)});
    QVERIFY(BoxConnected);
  }

  // Start without a box: one message; a box plugged in while it is open is
  // found by the re-check after "OK". A mouse arriving later shows it again.
  void startWithoutBox() {
    auto box = ValidBox();
    box->Unplug();
    SimulatedHidTransport* t = nullptr;
    hooks_.duringMessage = [&] {
      if (hooks_.messages.size() == 1) {
        box->Plug();
        DeliverNotifications();  // dropped: the message is open
        QVERIFY(!BoxConnected);
      }
    };
    t = CreateSimulatedBoxLink(box);
    QCOMPARE(hooks_.messages, QStringList{NotConnected()});
    QVERIFY(BoxConnected);
    QCOMPARE(Letters(*box), QStringLiteral("Td"));

    box->Unplug();
    DeliverNotifications();
    QVERIFY(!BoxConnected);
    QCOMPARE(hooks_.messages.size(), 2);
    QCOMPARE(LinkState, BoxLinkState::NoBox);
    t->AddDevice(HidDeviceInfo{0x046D, 0xC077, 0x7200, QStringLiteral("Mouse"),
                               QString::fromLatin1(HidSetupClassGuid), QStringLiteral("sim:mouse")});
    DeliverNotifications();
    QCOMPARE(hooks_.messages.size(), 3);
    // Nothing changed: no notification call, no message.
    t->NotifyChanged();
    DeliverNotifications();
    QCOMPARE(hooks_.messages.size(), 3);
  }

  void unplugWithMessageOpen() {
    auto box = ValidBox();
    CreateSimulatedBoxLink(box);
    QVERIFY(BoxConnected);
    hooks_.messageOpen = true;
    box->Unplug();
    DeliverNotifications();
    QVERIFY(BoxDevice);
    QVERIFY(BoxConnected);
    QVERIFY(hooks_.messages.isEmpty());
    hooks_.messageOpen = false;
  }

  void unplugDuringUpdateIsNotReported() {
    auto box = ValidBox();
    CreateSimulatedBoxLink(box);
    FirmwareUpdateStarted = true;
    box->Unplug();
    DeliverNotifications();
    QVERIFY(hooks_.messages.isEmpty());
    QVERIFY(!BoxDevice);
    FirmwareUpdateStarted = false;
  }

  // Only a vendor feff, HID-class device with product id 2050 or 2049 is a
  // box; of two boxes the first is used.
  void identity() {
    auto foreign = ValidBox();
    foreign->SetupClass = QStringLiteral("{4D36E96F-E325-11CE-BFC1-08002BE10318}");
    foreign->Path = QStringLiteral("sim:a");
    auto other = ValidBox();
    other->ProductId = 2051;
    other->Path = QStringLiteral("sim:b");
    auto first = ValidBox();
    first->SetupClass = first->SetupClass.toLower();  // compared upper-cased
    first->Path = QStringLiteral("sim:c");
    auto second = ValidBox();
    second->Path = QStringLiteral("sim:d");

    auto t = std::make_unique<SimulatedHidTransport>();
    t->AddBox(foreign);
    t->AddBox(other);
    t->AddBox(first);
    t->AddBox(second);
    CreateBoxLink(std::move(t));
    QVERIFY(BoxConnected);
    QCOMPARE(BoxDevice->Info().Path, QStringLiteral("sim:c"));
    QVERIFY(foreign->Log().empty() && other->Log().empty() && second->Log().empty());
    QVERIFY(!first->Log().empty());

    first->Unplug();
    DeliverNotifications();
    QVERIFY(BoxConnected);
    QCOMPARE(BoxDevice->Info().Path, QStringLiteral("sim:d"));
    QVERIFY(hooks_.messages.isEmpty());
  }

  void permissionDenied() {
    auto box = ValidBox();
    box->PermissionDenied = true;
    CreateSimulatedBoxLink(box);
    QVERIFY(!BoxConnected);
    QCOMPARE(LinkState, BoxLinkState::NoPermission);
    QCOMPARE(hooks_.messages.size(), 1);
    QVERIFY(hooks_.messages[0].contains(QLatin1String("70-klv820.rules")));
    QVERIFY(!hooks_.messages[0].contains(GetText(TextId::TheKLV820IsNotConnected)));
    QCOMPARE(hooks_.timerArmed, 0);
    QVERIFY(box->Log().empty());
  }

  void writesAre65Bytes() {
    auto box = ValidBox();
    CreateSimulatedBoxLink(box);
    box->ClearLog();
    uint8_t buf[65] = {9, 'Z', 1, 2, 3};
    buf[64] = 0x5A;
    QVERIFY(WriteReport(buf, 3));
    const Report got = box->Received()[0];
    QCOMPARE(got[0], uint8_t(0));  // report id
    QCOMPARE(got[64], uint8_t(0x5A));
    BoxConnected = false;
    QVERIFY(!WriteReport(buf));
    QCOMPARE(int(box->Received().size()), 1);
  }

  // A silent box: every request ends after the time limit with no answer.
  void noAnswer() {
    auto box = ValidBox();
    box->InjectFault(SimulatedBox::Fault::NoAnswer, 0, 0, true);
    QElapsedTimer clock;
    clock.start();
    CreateSimulatedBoxLink(box);
    QVERIFY(BoxConnected);
    QVERIFY(!LastAddressCheck.Answered);
    QCOMPARE(Letters(*box), QStringLiteral("Td"));  // no 'D' without an answer

    InReport[1] = 0x77;
    uint8_t before[65];
    std::memcpy(before, InReport, 65);
    box->ClearLog();
    TCommunicatie c;
    c.SyncSceneTable();  // unanswered read-back: the table is sent
    QVERIFY(Letters(*box).contains(QLatin1String("CCCCCCCCC")));
    QCOMPARE(0, std::memcmp(before, InReport, 65));  // buffer untouched
    QVERIFY(!TCommunicatie().VerifyBox());
    // 1 + 8 + 8 + 8 reads, each at most the limit plus slack.
    QVERIFY2(clock.elapsed() < 25 * (kTimeout + 40), qPrintable(QString::number(clock.elapsed())));
  }

  // A late answer is drained before the next request: answers never slip.
  void lateAnswer() {
    auto box = ValidBox();
    for (int i = 0; i < 512; ++i) box->SceneTable[i] = uint8_t(i / 64 + 1);
    box->InjectFault(SimulatedBox::Fault::LateAnswer, 'd');
    CreateSimulatedBoxLink(box);
    QVERIFY(!LastAddressCheck.Answered);
    QCOMPARE(Letters(*box), QStringLiteral("Td"));

    box->InjectFault(SimulatedBox::Fault::LateAnswer, 'c', 1);
    TCommunicatie c;
    // The read gives up at the page that went unanswered, so a silent box
    // costs one time limit, not one per page.
    QVERIFY(!c.ReadSceneTable());
    for (int i = 0; i < 512; ++i) QCOMPARE(c.BoxSceneTable[i], uint8_t(i < 64 ? 1 : 0));
    QCOMPARE(Letters(*box).count(QLatin1Char('c')), 2);
    // The late answer is drained first: every page lands where it belongs.
    QVERIFY(c.ReadSceneTable());
    for (int i = 0; i < 512; ++i) QCOMPARE(c.BoxSceneTable[i], uint8_t(i / 64 + 1));
  }

  void garbageAnswer() {
    auto box = ValidBox();
    CreateSimulatedBoxLink(box);
    {
      TCommunicatie c;
      c.SyncSceneTable();
      c.SendSunTable();
      c.UploadProgramme();
    }
    QVERIFY(TCommunicatie().VerifyBox());
    box->InjectFault(SimulatedBox::Fault::Garbage, 'p');
    QVERIFY(!TCommunicatie().VerifyBox());
    box->InjectFault(SimulatedBox::Fault::Garbage, 'c', 3);
    box->ClearLog();
    TCommunicatie().SyncSceneTable();
    QVERIFY(Letters(*box).contains(QLatin1Char('C')));
    QVERIFY(TCommunicatie().VerifyBox());
  }

  // Pulled out in the middle of an upload: the rest is skipped at once, and
  // the departure is reported when the notification arrives.
  void unplugMidTransfer() {
    auto box = ValidBox();
    CreateSimulatedBoxLink(box);
    for (int i = 0; i < 300; ++i) {
      auto e = std::make_shared<ProgAktie>();
      e->Ruimte = 0;
      e->Apparaat = 0;
      e->Maand = 13;
      e->DagDatum = 1;
      e->Uur = 1;
      TLoadSave::Instance()->Programma->AllItems.push_back(KeyedAktie{QString(), e});
    }
    box->ClearLog();
    box->InjectFault(SimulatedBox::Fault::Unplug, 'P', 3);
    QElapsedTimer clock;
    clock.start();
    TCommunicatie c;
    c.UploadProgramme();
    QVERIFY(!TCommunicatie().VerifyBox());
    QVERIFY(clock.elapsed() < kTimeout);
    QCOMPARE(Letters(*box), QStringLiteral("PPP"));
    QVERIFY(!BoxConnected);
    DeliverNotifications();
    QCOMPARE(hooks_.messages, QStringList{NotConnected()});
    QVERIFY(!BoxDevice);

    box->Plug();
    DeliverNotifications();
    QVERIFY(BoxConnected);
  }

  void stateFileRoundTrip() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("box.json"));
    SimulatedBox a;
    QVERIFY(a.LoadState(path, nullptr));  // missing: a new box
    QVERIFY(!a.AddressValid());
    QCOMPARE(a.Version, uint16_t(0x0101));
    a.Programme[1500] = 0xF0;
    a.SceneTable[3] = 9;
    a.SunTable[143] = 7;
    a.Address = {1, 2, 3};
    a.AddressCheck = 249;
    a.Flash[100] = 0;
    a.ClockOffset = -3600;
    a.ProductId = 2049;
    a.Version = 0x0100;
    QString err;
    QVERIFY(a.SaveState(path, &err));
    SimulatedBox b;
    QVERIFY2(b.LoadState(path, &err), qPrintable(err));
    QCOMPARE(b.ToJson(), a.ToJson());
    QVERIFY(b.AddressValid());

    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"sceneTable": "abc"})");
    f.close();
    SimulatedBox c;
    QVERIFY(!c.LoadState(path, &err));
    QVERIFY(err.contains(QLatin1String("sceneTable")));
  }

  void boxClockAndSunTimes() {
    SimulatedBox b;
    QVERIFY(!SimulatedBox::IsSummerTime(QDateTime(QDate(2024, 3, 31), QTime(1, 59), Qt::UTC)));
    QVERIFY(SimulatedBox::IsSummerTime(QDateTime(QDate(2024, 3, 31), QTime(2, 0), Qt::UTC)));
    QVERIFY(SimulatedBox::IsSummerTime(QDateTime(QDate(2024, 10, 27), QTime(2, 59), Qt::UTC)));
    QVERIFY(!SimulatedBox::IsSummerTime(QDateTime(QDate(2024, 10, 27), QTime(3, 0), Qt::UTC)));
    // 1 January 08:50, getting earlier by 30 s a day.
    b.SunTable[0] = 0x88;
    b.SunTable[1] = 0x32;
    b.SunTable[2] = 0x1E;
    QCOMPARE(b.SunMinutes(false, QDate(2026, 1, 1)), 8 * 60 + 50);
    QCOMPARE(b.SunMinutes(false, QDate(2026, 1, 5)), 8 * 60 + 48);
    // Sunset of 16 June 21:00, later by 1 min 6 s a day.
    const int at = 72 + 3 * 11;
    b.SunTable[at] = 21;
    b.SunTable[at + 1] = 0;
    b.SunTable[at + 2] = 64 + 6;
    QCOMPARE(b.SunMinutes(true, QDate(2026, 6, 26)), 21 * 60 + 11);
  }

  // 't' after the arrival set the clock: today's date, the table's sun times
  // with the summer hour added, and the summer-time byte.
  void readClock() {
    auto box = ValidBox();
    for (int i = 0; i < 24; ++i) {
      box->SunTable[3 * i] = 7;        // sunrise 07:30, no step
      box->SunTable[3 * i + 1] = 30;
      box->SunTable[72 + 3 * i] = 19;  // sunset 19:05
      box->SunTable[72 + 3 * i + 1] = 5;
    }
    CreateSimulatedBoxLink(box);
    std::memset(OutReport, 0, 65);
    OutReport[1] = 't';
    WriteReport(OutReport);
    QVERIFY(ReadReport(InReport));
    const QDateTime now = QDateTime::currentDateTime();
    QCOMPARE(int(InReport[1]), now.date().year() - 2000);
    QCOMPARE(int(InReport[2]), now.date().month());
    QCOMPARE(int(InReport[3]), now.date().day());
    const bool summer = SimulatedBox::IsSummerTime(box->Clock());
    QCOMPARE(int(InReport[8]), summer ? 8 : 7);
    QCOMPARE(int(InReport[9]), 30);
    QCOMPARE(int(InReport[10]), summer ? 20 : 19);
    QCOMPARE(int(InReport[11]), 5);
    QCOMPARE(int(InReport[12]), summer ? 1 : 0);
  }
};

QTEST_GUILESS_MAIN(TestBoxLink)
#include "tst_boxlink.moc"
