// The sun table's exchange with the box: storing, fetching and verifying it,
// report by report against the simulated box.
#include <QDate>
#include <QTest>
#include <cstring>

#include "DeviceTestSupport.h"
#include "TestSupport.h"
#include "core/device/Communicatie.h"
#include "core/device/MyDevFunctions.h"
#include "core/device/SimulatedBox.h"
#include "core/model/LoadSave.h"
#include "core/timers/sunrise.h"

namespace {

// A check against the box with a table of its own, as the protocol object
// makes one per job.
bool VerifyInstallation() {
  tsunrise sun;
  return TCommunicatie().VerifySunTable(sun);
}

bool VerifyAt(const TSunPlace& place, int year) {
  tsunrise sun;
  return TCommunicatie().VerifySunTable(sun, place, year);
}

}  // namespace

class TestSunTable : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void noBoxVerifyPasses() {
    TempWorkspace ws;
    BoxConnected = false;
    std::memset(OutReport, 0xA5, sizeof OutReport);
    tsunrise sun;
    QVERIFY(TCommunicatie().VerifySunTable(sun));
    // The table holds the computed bytes for the installation's place.
    tsunrise expected;
    expected.BuildTable(tsunrise::Place(TLoadSave::Instance()->Location), QDate::currentDate().year());
    QCOMPARE(std::memcmp(sun.SunTable, expected.SunTable, tsunrise::TableSize), 0);
    TCommunicatie().StoreSunTable(sun);
    QVERIFY(!TCommunicatie().FetchSunTable(sun));
    for (uint8_t b : OutReport) QCOMPARE(b, uint8_t(0xA5));  // no report was built
  }

  // --- against the simulated box ---

  void init() {
    FailOnUnexpectedWarnings();
    if (!QByteArray(QTest::currentTestFunction()).startsWith("box")) return;
    box_ = std::make_shared<SimulatedBox>();
    CreateSimulatedBoxLink(box_);
    SetReadTimeout(100);
    QVERIFY(BoxConnected);
    box_->ClearLog();
  }
  void cleanup() {
    ResetBoxLink();
    box_.reset();
  }

  void boxStoreSendsThreeChunks() {
    tsunrise sun;
    sun.BuildTable({52.37, 4.9, 1}, 2026);
    std::memset(OutReport, 0xA5, sizeof OutReport);
    TCommunicatie().StoreSunTable(sun);
    const auto sent = box_->Received();
    QCOMPARE(int(sent.size()), 3);
    const int offsets[] = {0, 60, 120};
    const int lengths[] = {60, 60, 24};
    for (int i = 0; i < 3; ++i) {
      const auto& r = sent[i];
      QCOMPARE(r[0], uint8_t(0));
      QCOMPARE(r[1], uint8_t('E'));
      QCOMPARE(r[2] | (r[3] << 8), offsets[i]);
      QCOMPARE(int(r[4]), lengths[i]);
      QCOMPARE(std::memcmp(r.data() + 5, sun.SunTable + offsets[i], lengths[i]), 0);
      for (size_t k = 5 + lengths[i]; k < r.size(); ++k)
        QCOMPARE(r[k], uint8_t(0));  // nothing of earlier reports
    }
    QCOMPARE(std::memcmp(box_->SunTable.data(), sun.SunTable, tsunrise::TableSize), 0);
    // No answer is expected or read.
    for (const auto& entry : box_->Log()) QVERIFY(entry.ToBox);
  }

  void boxFetchReadsThreePages() {
    for (int i = 0; i < tsunrise::TableSize; ++i) box_->SunTable[i] = uint8_t(i * 7 + 3);
    tsunrise sun;
    std::memset(sun.SunTable, 0xEE, sizeof sun.SunTable);
    QVERIFY(TCommunicatie().FetchSunTable(sun));
    QCOMPARE(std::memcmp(box_->SunTable.data(), sun.SunTable, tsunrise::TableSize), 0);
    const auto sent = box_->Received();
    QCOMPARE(int(sent.size()), 3);
    for (int i = 0; i < 3; ++i) {
      QCOMPARE(sent[i][1], uint8_t('e'));
      QCOMPARE(sent[i][2] | (sent[i][3] << 8), 64 * i);
    }
  }

  void boxVerify() {
    TempWorkspace ws;
    TLocation& location = TLoadSave::Instance()->Location;
    location.LatDeg = 52;
    location.LatMin = 22;
    location.LonDeg = 4;
    location.LonMin = 54;
    location.TzHours = 1;
    {
      tsunrise sun;
      sun.BuildTable(tsunrise::Place(location), QDate::currentDate().year());
      TCommunicatie().StoreSunTable(sun);
    }
    QVERIFY(VerifyInstallation());

    // The last byte comes from the third, short page.
    box_->SunTable[143] ^= 1;
    QVERIFY(!VerifyInstallation());
    box_->SunTable[143] ^= 1;
    QVERIFY(VerifyInstallation());

    location.LatDeg = 53;
    QVERIFY(!VerifyInstallation());
  }

  // A missing answer is a failed check, not a wait and not a pass.
  void boxVerifyFailsWithoutAnswer_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("skip");
    QTest::newRow("first page lost") << int(SimulatedBox::Fault::NoAnswer) << 0;
    QTest::newRow("last page lost") << int(SimulatedBox::Fault::NoAnswer) << 2;
    QTest::newRow("answer too late") << int(SimulatedBox::Fault::LateAnswer) << 1;
    QTest::newRow("unplugged") << int(SimulatedBox::Fault::Unplug) << 1;
  }
  void boxVerifyFailsWithoutAnswer() {
    QFETCH(int, fault);
    QFETCH(int, skip);
    const TSunPlace place{40.4, -3.7, 1};
    tsunrise stored;
    stored.BuildTable(place, 2026);
    std::memcpy(box_->SunTable.data(), stored.SunTable, tsunrise::TableSize);
    box_->InjectFault(SimulatedBox::Fault(fault), 'e', skip);
    QVERIFY(!VerifyAt(place, 2026));
    box_->ClearFaults();
    if (box_->Plugged()) QVERIFY(VerifyAt(place, 2026));
  }

  // Pages that all look alike: a lost answer must still be noticed, and the
  // bytes it should have brought stay zero.
  void boxFetchNoticesLostPage() {
    box_->SunTable.fill(0x42);
    tsunrise sun;
    QVERIFY(TCommunicatie().FetchSunTable(sun));
    box_->InjectFault(SimulatedBox::Fault::NoAnswer, 'e', 2);
    QVERIFY(!TCommunicatie().FetchSunTable(sun));
    for (int i = 0; i < 128; ++i) QCOMPARE(sun.SunTable[i], uint8_t(0x42));
    for (int i = 128; i < tsunrise::TableSize; ++i) QCOMPARE(sun.SunTable[i], uint8_t(0));
  }

 private:
  std::shared_ptr<SimulatedBox> box_;
};

QTEST_GUILESS_MAIN(TestSunTable)
#include "tst_suntable.moc"
