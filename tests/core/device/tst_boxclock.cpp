// The box clock reports, byte for byte, and their traffic over the simulated box.
#include "DeviceTestSupport.h"
#include "core/device/BoxClock.h"

namespace {

Report Answer(std::initializer_list<int> bytes) {
  Report r{};
  int i = 1;
  for (int v : bytes) r[i++] = uint8_t(v);
  return r;
}

}  // namespace

class TestBoxClock : public QObject {
  Q_OBJECT

  BoxTestWorkspace ws_;
  std::shared_ptr<CannedClockBox> box_;

  void Connect() {
    box_ = std::make_shared<CannedClockBox>();
    GiveValidAddress(*box_);
    CreateSimulatedBoxLink(box_);
    QVERIFY(BoxConnected);
    box_->ClearLog();
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void init() {
    FailOnUnexpectedWarnings();
    ws_.Begin(40);
  }

  void cleanup() {
    ws_.End();
    box_.reset();
  }

  void dayOfWeek_data() {
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("expected");
    QTest::newRow("Sunday") << QDate(2024, 3, 31) << 1;
    QTest::newRow("Monday") << QDate(2024, 4, 1) << 2;
    QTest::newRow("leap day Thursday") << QDate(2024, 2, 29) << 5;
    QTest::newRow("Friday") << QDate(2000, 1, 7) << 6;
    QTest::newRow("Saturday") << QDate(2024, 3, 30) << 7;
  }
  void dayOfWeek() {
    QFETCH(QDate, date);
    QFETCH(int, expected);
    QCOMPARE(int(BoxDayOfWeek(date)), expected);
  }

  void setReportLayout() {
    Report r;
    r.fill(0xAA);  // every byte is written, not left over
    BuildClockReport(QDate(2024, 2, 29), QTime(13, 45, 7), r.data());
    QCOMPARE(r, Rep({0, 'T', 24, 2, 29, 13, 45, 7, 5}));
    // Only the low 8 bits of year - 2000 fit.
    BuildClockReport(QDate(2300, 12, 31), QTime(23, 59, 59), r.data());
    QCOMPARE(r, Rep({0, 'T', 44, 12, 31, 23, 59, 59, BoxDayOfWeek(QDate(2300, 12, 31))}));
  }

  void decodeAnswer() {
    const Report a = Answer({24, 3, 30, 2, 5, 0, 4, 6, 12, 19, 47, 1});
    const BoxClockReading r = DecodeClockAnswer(a.data());
    QVERIFY(r.DateValid);
    QVERIFY(r.TimeValid);
    QCOMPARE(r.Date, QDate(2024, 3, 30));
    QCOMPARE(r.Time, QTime(2, 5, 0));
    QCOMPARE(r.Sunrise, QStringLiteral("06:12"));
    QCOMPARE(r.Sunset, QStringLiteral("19:47"));
    QVERIFY(r.SummerTime);

    const BoxClockReading w = DecodeClockAnswer(Answer({24, 12, 1, 0, 0, 0, 1, 8, 5, 16, 0, 0}).data());
    QCOMPARE(w.Sunrise, QStringLiteral("08:05"));
    QCOMPARE(w.Sunset, QStringLiteral("16:00"));
    QVERIFY(!w.SummerTime);
    QVERIFY(DecodeClockAnswer(Answer({24, 6, 1, 0, 0, 0, 1, 5, 0, 22, 0, 2}).data()).SummerTime);
  }

  void decodeInvalidParts_data() {
    QTest::addColumn<Report>("answer");
    QTest::addColumn<bool>("dateValid");
    QTest::addColumn<bool>("timeValid");
    QTest::newRow("never set") << Answer({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}) << false << true;
    QTest::newRow("month 13") << Answer({24, 13, 1, 10, 0, 0}) << false << true;
    QTest::newRow("29 Feb 2023") << Answer({23, 2, 29, 10, 0, 0}) << false << true;
    QTest::newRow("29 Feb 2000") << Answer({0, 2, 29, 10, 0, 0}) << true << true;
    QTest::newRow("hour 24") << Answer({24, 1, 1, 24, 0, 0}) << true << false;
    QTest::newRow("second 60") << Answer({24, 1, 1, 0, 0, 60}) << true << false;
  }
  void decodeInvalidParts() {
    QFETCH(Report, answer);
    QFETCH(bool, dateValid);
    QFETCH(bool, timeValid);
    const BoxClockReading r = DecodeClockAnswer(answer.data());
    QCOMPARE(r.DateValid, dateValid);
    QCOMPARE(r.TimeValid, timeValid);
    QCOMPARE(r.Date.isValid(), dateValid);
    QCOMPARE(r.Time.isValid(), timeValid);
    QCOMPARE(r.Raw[1], answer[2]);
  }

  void setAndReadBack() {
    Connect();
    QVERIFY(SetBoxClock(QDate(2024, 2, 29), QTime(23, 59, 30)));
    QCOMPARE(box_->Received().size(), size_t(1));
    QCOMPARE(box_->Received()[0], Rep({0, 'T', 24, 2, 29, 23, 59, 30, 5}));
    QCOMPARE(box_->ClockDayOfWeek, uint8_t(5));

    // The box's own clock, read back: running on from what was set.
    const std::optional<BoxClockReading> r = RequestBoxClock();
    QVERIFY(r);
    QCOMPARE(box_->Received().back(), Rep({0, 't'}));
    QCOMPARE(r->Date, QDate(2024, 2, 29));
    QVERIFY(r->Time >= QTime(23, 59, 30) && r->Time <= QTime(23, 59, 33));
  }

  void timeoutGivesNothing() {
    Connect();
    box_->ClockAnswer = ClockBytes{24, 3, 30, 2, 5, 0, 4, 6, 12, 19, 47, 1};
    box_->InjectFault(SimulatedBox::Fault::NoAnswer, 't');
    QVERIFY(!RequestBoxClock());
    QVERIFY(BoxConnected);
    // A late answer is not taken for the next request's.
    box_->InjectFault(SimulatedBox::Fault::LateAnswer, 't');
    QVERIFY(!RequestBoxClock());
    box_->ClockAnswer = ClockBytes{25, 1, 2, 3, 4, 5, 0, 8, 0, 17, 0, 0};
    const std::optional<BoxClockReading> r = RequestBoxClock();
    QVERIFY(r);
    QCOMPARE(r->Date, QDate(2025, 1, 2));
  }

  void nothingWithoutABox() {
    // A box that needs a firmware update is held but not connected: nothing
    // may reach it.
    box_ = std::make_shared<CannedClockBox>();
    box_->Mode = SimulatedBox::Firmware::Loader;
    box_->ProductId = SimulatedBox::LoaderProductId;
    CreateSimulatedBoxLink(box_);
    QVERIFY(!BoxConnected);
    box_->ClearLog();
    QVERIFY(!SetBoxClock(QDate(2024, 1, 1), QTime(12, 0)));
    QVERIFY(!RequestBoxClock());
    QVERIFY(box_->Received().empty());

    ReleaseBoxLink();
    QVERIFY(!SetBoxClock(QDate(2024, 1, 1), QTime(12, 0)));
    QVERIFY(!RequestBoxClock());
  }

  void invalidInputNotSent() {
    Connect();
    QVERIFY(!SetBoxClock(QDate(), QTime(12, 0)));
    QVERIFY(!SetBoxClock(QDate(2024, 1, 1), QTime()));
    QVERIFY(box_->Received().empty());
  }
};

QTEST_GUILESS_MAIN(TestBoxClock)
#include "tst_boxclock.moc"
