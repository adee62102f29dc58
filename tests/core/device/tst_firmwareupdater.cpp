// The firmware update engine against the simulated loader: the report
// sequence, the box's return, and every fault.
#include "DeviceTestSupport.h"
#include "core/device/FirmwareImage.h"
#include "core/device/FirmwareUpdater.h"
#include "core/shell/Language.h"

namespace {

// A small image: page 0 full, page 0x0100 with one word, the last page's last
// word; every other page erased.
TFirmwareImage SmallImage() {
  TFirmwareImage image = readbuf({});
  for (int i = 0; i < FlashPageSize; ++i) image.Bytes[i] = uint8_t(i * 7 + 1);
  image.Bytes[0x0100] = 0x12;
  image.Bytes[0x0101] = 0x34;
  image.Bytes[0x6FFE] = 0xAA;
  image.Bytes[0x6FFF] = 0x55;
  return image;
}

TFirmwareImage EmbeddedImage() {
  TFirmwareImage image;
  QString error;
  if (!ReadHexFile(QString::fromLatin1(EmbeddedFirmwarePath), &image, &error))
    qFatal("%s", qPrintable(error));
  return image;
}

std::shared_ptr<SimulatedBox> LoaderBox() {
  auto box = std::make_shared<SimulatedBox>();
  box->ProductId = SimulatedBox::LoaderProductId;
  box->ProductString = QStringLiteral("KLV-820 Loader");
  box->Flash.fill(char(0x5A));  // old firmware
  return box;
}

bool FlashEquals(const SimulatedBox& box, const TFirmwareImage& image) {
  return box.Flash == QByteArray(reinterpret_cast<const char*>(image.Bytes.data()), FlashLimit);
}

// Records what the engine asks its window to show.
struct Screen {
  QStringList label1, label2, errors;
  QList<int> progress, maxima;
  int repaints = 0;
  bool gaugeVisible = false, quitVisible = true;

  TFirmwareUpdater::Hooks Hooks() {
    TFirmwareUpdater::Hooks h;
    h.SetLabel1 = [this](const QString& s) { label1 << s; };
    h.SetLabel2 = [this](const QString& s) { label2 << s; };
    h.ShowGauge = [this](bool v) { gaugeVisible = v; };
    h.SetGaugeMaximum = [this](int m) { maxima << m; };
    h.SetGaugeProgress = [this](int p) { progress << p; };
    h.ShowQuitButton = [this](bool v) { quitVisible = v; };
    h.Repaint = [this] { ++repaints; };
    h.ShowError = [this](const QString& s) { errors << s; };
    return h;
  }
};

QString VerifyError(const char* address) {
  return GetText(TextId::VerifyErrorAtAddress) + QLatin1String(address);
}

}  // namespace

class TestFirmwareUpdater : public QObject {
  Q_OBJECT

  BoxTestWorkspace ws_;
  HookRecorder hooks_;
  std::shared_ptr<SimulatedBox> box_;
  Screen screen_;

  // The box arrives and the update starts, as the main window's timer does it.
  TFirmwareUpdater::Outcome Run(const TFirmwareImage& image) {
    if (!HidController) CreateSimulatedBoxLink(box_);
    FirmwareUpdateStarted = true;
    BoxConnected = true;
    box_->ClearLog();
    TFirmwareUpdater updater(screen_.Hooks());
    return updater.updateprog(image, box_->ProductString);
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void init() {
    FailOnUnexpectedWarnings();
    ws_.Begin(30);
    hooks_ = HookRecorder();
    hooks_.updateWindowVisible = true;
    hooks_.Install();
    FirmwareUpdateStarted = false;
    BoxConnected = false;
    box_ = LoaderBox();
    screen_ = Screen();
  }

  void cleanup() {
    ws_.End();
    FirmwareUpdateStarted = false;
    box_.reset();
  }

  void fullUpdateReportSequence() {
    CreateSimulatedBoxLink(box_);
    QCOMPARE(LinkState, BoxLinkState::UpdateNeeded);
    QCOMPARE(hooks_.timerArmed, 1);

    const TFirmwareImage image = SmallImage();
    const TFirmwareUpdater::Outcome outcome = Run(image);
    QVERIFY(outcome.Ok());
    QCOMPARE(outcome.PagesProgrammed, 3);

    // B B E S, then F + two data + f r r for each used page only, then X.
    const std::vector<Report> sent = box_->Received();
    QString letters;
    for (const Report& r : sent) letters += QLatin1Char(char(r[1]));
    QCOMPARE(sent.size(), size_t(4 + 3 * 6 + 1));
    QCOMPARE(letters.left(4), QStringLiteral("BBES"));
    QCOMPARE(letters.right(1), QStringLiteral("X"));
    const int pages[] = {0x0000, 0x0100, 0x6F80};
    for (int p = 0; p < 3; ++p) {
      const Report* r = &sent[4 + 6 * p];
      QCOMPARE(char(r[0][1]), 'F');
      QCOMPARE(Offset(r[0]), pages[p]);
      for (int half = 0; half < 2; ++half) {
        QCOMPARE(r[1 + half][0], uint8_t(0));
        QVERIFY(std::equal(r[1 + half].begin() + 1, r[1 + half].end(),
                           image.Bytes.begin() + pages[p] + 64 * half));
      }
      QCOMPARE(char(r[3][1]), 'f');
      QCOMPARE(Offset(r[3]), pages[p]);
      QCOMPARE(char(r[4][1]), 'r');
      QCOMPARE(Offset(r[4]), pages[p]);
      QCOMPARE(char(r[5][1]), 'r');
      QCOMPARE(Offset(r[5]), pages[p]);
    }
    // Commands carry nothing beyond their address.
    for (int i : {0, 1, 2, 3, int(sent.size()) - 1}) {
      QVERIFY(std::all_of(sent[i].begin() + 2, sent[i].end(), [](uint8_t b) { return b == 0; }));
    }
    QVERIFY(FlashEquals(*box_, image));

    // What the window showed.
    QVERIFY(screen_.errors.isEmpty());
    QCOMPARE(screen_.label2.value(0), GetText(TextId::Erasing) + QStringLiteral("KLV-820 Loader"));
    QCOMPARE(screen_.label2.value(1), GetText(TextId::Programming) + QStringLiteral("KLV-820"));
    QCOMPARE(screen_.label1.last(), GetText(TextId::WaitForReconnectionOf) + QStringLiteral("KLV-820...."));
    QCOMPARE(screen_.label2.last(), QString());
    QCOMPARE(screen_.maxima, (QList<int>{FlashLimit, 3}));
    QCOMPARE(screen_.progress, (QList<int>{0, 0, 1, 2, 3}));
    QCOMPARE(screen_.repaints, 3);
    QVERIFY(!screen_.gaugeVisible);
    QVERIFY(!screen_.quitVisible);
    QVERIFY(!BoxConnected);

    // The box restarts, leaves and comes back with the application firmware.
    QTRY_COMPARE(LinkState, BoxLinkState::Ready);
    QVERIFY(BoxConnected);
    QCOMPARE(BoxVersion, QStringLiteral("1.1"));
    QCOMPARE(hooks_.completions, QStringList{ProductName + GetText(TextId::HasBeenUpdated) +
                                             QLatin1Char('|') + GetText(TextId::AndIsReadyForUse)});
    // The departure during the update is not reported.
    QVERIFY(hooks_.messages.isEmpty());
  }

  void embeddedImageSkipsErasedPages() {
    const TFirmwareImage image = EmbeddedImage();
    const TFirmwareUpdater::Outcome outcome = Run(image);
    QVERIFY(outcome.Ok());
    QCOMPARE(outcome.PagesProgrammed, image.UsedPages());
    QCOMPARE(box_->Loader.PagesProgrammed, image.UsedPages());
    QVERIFY(FlashEquals(*box_, image));
  }

  void erasedTailIsNotSent() {
    // The last 1000 bytes erased: the pages wholly inside them are skipped,
    // and verification still passes.
    TFirmwareImage image = readbuf({});
    for (int i = 0; i < FlashLimit - 1000; ++i) image.Bytes[i] = uint8_t(i);
    const TFirmwareUpdater::Outcome outcome = Run(image);
    QVERIFY(outcome.Ok());
    const int firstErased = (FlashLimit - 1000 + FlashPageSize - 1) / FlashPageSize * FlashPageSize;
    for (const Report& r : box_->Received()) {
      if (r[1] == 'F') QVERIFY(Offset(r) < firstErased);
    }
    QCOMPARE(outcome.PagesProgrammed, firstErased / FlashPageSize);
  }

  void eraseLeavesBytes() {
    box_->Loader.EraseLeavesBytes = true;
    const TFirmwareUpdater::Outcome outcome = Run(SmallImage());
    QVERIFY(!outcome.EraseOk);
    // The message, and the sequence goes on to the restart.
    QCOMPARE(screen_.errors.value(0), GetText(TextId::ErrorErasing));
    QVERIFY(outcome.RestartSent);
    // The stuck bytes at 0x100 show up again in the read-back.
    QCOMPARE(outcome.VerifyErrorAddress, 0x100);
    QCOMPARE(screen_.errors.value(1), VerifyError("0100"));
  }

  void corruptedPageOnReadBack() {
    TFirmwareImage image = SmallImage();
    for (int i = 0x0A80; i < 0x0B00; ++i) image.Bytes[i] = 0x42;
    box_->Loader.CorruptPage = 0x0A80;
    const TFirmwareUpdater::Outcome outcome = Run(image);
    QVERIFY(outcome.EraseOk);
    QCOMPARE(outcome.VerifyErrorAddress, 0x0A85);
    QCOMPARE(screen_.errors, QStringList{VerifyError("0A85")});
    QVERIFY(outcome.RestartSent);
  }

  void missingAnswersAreNotGoodAnswers() {
    // No answer to 'S' is no proof of an erased flash.
    box_->InjectFault(SimulatedBox::Fault::NoAnswer, 'S');
    TFirmwareUpdater::Outcome outcome = Run(SmallImage());
    QVERIFY(!outcome.EraseOk);
    QCOMPARE(screen_.errors, QStringList{GetText(TextId::ErrorErasing)});
    QVERIFY(!outcome.BoxLost);
    ReleaseBoxLink();

    // A read-back that timed out is a verify error, even where the image is
    // erased and the untouched read-back buffer would agree with it.
    init();
    TFirmwareImage image = readbuf({});
    image.Bytes[0x0070] = 0x00;  // page 0: only its second half holds data
    box_->InjectFault(SimulatedBox::Fault::NoAnswer, 'r');
    outcome = Run(image);
    QVERIFY(outcome.EraseOk);
    QCOMPARE(outcome.VerifyErrorAddress, 0x0000);
    QCOMPARE(screen_.errors, QStringList{VerifyError("0000")});
  }

  void unpluggedInTheMiddle() {
    // Pulled out while a page is programmed: the rest goes nowhere, quickly.
    box_->InjectFault(SimulatedBox::Fault::Unplug, 0, 10);
    const TFirmwareImage image = EmbeddedImage();
    TFirmwareUpdater::Outcome outcome = Run(image);
    QVERIFY(outcome.BoxLost);
    QVERIFY(!outcome.RestartSent);
    QVERIFY(outcome.VerifyErrorAddress >= 0);
    QCOMPARE(screen_.errors.size(), 1);
    QVERIFY(screen_.errors[0].startsWith(GetText(TextId::VerifyErrorAtAddress)));
    QCOMPARE(screen_.label1.last(), GetText(TextId::WaitForReconnectionOf) + QStringLiteral("KLV-820...."));
    QVERIFY(!BoxConnected);
    DeliverNotifications();
    QCOMPARE(LinkState, BoxLinkState::NoBox);
    QVERIFY(hooks_.messages.isEmpty());  // not reported during the update

    // Plugged in again, still in the loader: it asks for the update again,
    // and a second run completes it.
    box_->Plug();
    QTRY_COMPARE(hooks_.timerArmed, 2);
    screen_ = Screen();
    outcome = Run(image);
    QVERIFY(outcome.Ok());
    QVERIFY(FlashEquals(*box_, image));
    QTRY_COMPARE(LinkState, BoxLinkState::Ready);
  }

  void unpluggedBetweenPageAndData() {
    // Pulled out right after 'F': the box plugged in again takes its 'B's as
    // commands, not as the data of that page.
    box_->InjectFault(SimulatedBox::Fault::Unplug, 0, 5);
    const TFirmwareImage image = SmallImage();
    QVERIFY(Run(image).BoxLost);
    QCOMPARE(box_->Loader.PagesProgrammed, 0);
    DeliverNotifications();
    box_->Plug();
    QTRY_COMPARE(hooks_.timerArmed, 2);
    QVERIFY(Run(image).Ok());
    QCOMPARE(box_->Loader.PagesProgrammed, 3);
    QVERIFY(FlashEquals(*box_, image));
  }

  void boxComesBackStillInLoader() {
    box_->Loader.ReturnInLoader = true;
    QVERIFY(Run(SmallImage()).Ok());
    QTRY_COMPARE(hooks_.timerArmed, 2);
    QCOMPARE(LinkState, BoxLinkState::UpdateNeeded);
    QVERIFY(hooks_.completions.isEmpty());
    box_->Loader.ReturnInLoader = false;
    QVERIFY(Run(SmallImage()).Ok());
    QTRY_COMPARE(LinkState, BoxLinkState::Ready);
    QCOMPARE(hooks_.completions.size(), 1);
  }

  void boxNeverComesBack() {
    box_->Loader.NeverComesBack = true;
    QVERIFY(Run(SmallImage()).Ok());
    QTest::qWait(100);
    QCOMPARE(LinkState, BoxLinkState::NoBox);
    QVERIFY(!BoxDevice);
    QVERIFY(!BoxConnected);
    QVERIFY(hooks_.completions.isEmpty());
    QVERIFY(hooks_.messages.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TestFirmwareUpdater)
#include "tst_firmwareupdater.moc"
