// The clock dialog against the simulated box, at report level.
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QTimer>

#include "core/device/DeviceTestSupport.h"
#include "core/device/BoxClock.h"
#include "gui/device/SetDateTime.h"

namespace {

template <typename T>
T* Child(QWidget* w, const char* name) {
  T* c = w->findChild<T*>(QString::fromLatin1(name));
  if (!c) qFatal("no child %s", name);
  return c;
}

// What the dialog shows of the box.
struct BoxFields {
  QDate date;
  QTime time;
  QString sunrise, sunset, season;
  bool operator==(const BoxFields&) const = default;
};

BoxFields Fields(QWidget* d) {
  return {Child<QDateEdit>(d, "SetDate")->date(), Child<QTimeEdit>(d, "SetTime")->time(),
          Child<QLabel>(d, "sunrise")->text(), Child<QLabel>(d, "sunset")->text(),
          Child<QLabel>(d, "Label8")->text()};
}

char* toString(const BoxFields& f) {
  return QTest::toString(
      QStringLiteral("%1 %2 %3 %4 %5")
          .arg(f.date.toString(Qt::ISODate), f.time.toString(Qt::ISODate), f.sunrise, f.sunset, f.season));
}

std::vector<Report> Sent(const SimulatedBox& box, char letter) {
  std::vector<Report> out;
  for (const Report& r : box.Received())
    if (r[1] == uint8_t(letter)) out.push_back(r);
  return out;
}

}  // namespace

class TestSetDateTime : public QObject {
  Q_OBJECT

  BoxTestWorkspace ws_;
  std::shared_ptr<CannedClockBox> box_;

  void Connect(bool expectedFirmware = true) {
    box_ = std::make_shared<CannedClockBox>();
    box_->ClockAnswer = ClockBytes{24, 3, 30, 2, 5, 0, 4, 6, 12, 19, 47, 1};
    GiveValidAddress(*box_);
    if (!expectedFirmware) {
      box_->Mode = SimulatedBox::Firmware::Loader;
      box_->ProductId = SimulatedBox::LoaderProductId;
    }
    CreateSimulatedBoxLink(box_);
    box_->ClearLog();
  }

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void init() {
    FailOnUnexpectedWarnings();
    ws_.Begin(40);
    ClockEdited = true;  // the dialog must clear it itself
  }

  void cleanup() {
    ws_.End();
    box_.reset();
  }

  void showsTheBoxClock() {
    Connect();
    TForm7 d;
    QVERIFY(!ClockEdited);
    QCOMPARE(Fields(&d), (BoxFields{QDate(2024, 3, 30), QTime(2, 5, 0), QStringLiteral("06:12"),
                                    QStringLiteral("19:47"), QStringLiteral("Zomertijd")}));
    QCOMPARE(Sent(*box_, 't').size(), size_t(1));
    QVERIFY(Child<QLabel>(&d, "Label5")->text().contains(QString::number(QDate::currentDate().day())));
    QVERIFY(!Child<QLabel>(&d, "Label9")->text().isEmpty());
    QVERIFY(d.Timer1()->isActive());
    QCOMPARE(d.Timer1()->interval(), 1000);

    // The polls follow the box; showing its values is not an edit.
    box_->ClockAnswer = ClockBytes{24, 12, 1, 17, 30, 9, 1, 8, 41, 16, 29, 0};
    d.Timer1Timer();
    QCOMPARE(Fields(&d), (BoxFields{QDate(2024, 12, 1), QTime(17, 30, 9), QStringLiteral("08:41"),
                                    QStringLiteral("16:29"), QStringLiteral("Wintertijd")}));
    QVERIFY(!ClockEdited);
    QVERIFY(Sent(*box_, 'T').empty());
  }

  void invalidPartsKeepTheirPicker() {
    Connect();
    TForm7 d;
    box_->ClockAnswer = ClockBytes{0, 0, 0, 7, 8, 9, 0, 5, 1, 21, 2, 0};  // date never set
    d.Timer1Timer();
    QCOMPARE(Fields(&d), (BoxFields{QDate(2024, 3, 30), QTime(7, 8, 9), QStringLiteral("05:01"),
                                    QStringLiteral("21:02"), QStringLiteral("Wintertijd")}));
    box_->ClockAnswer = ClockBytes{24, 4, 2, 25, 0, 0, 0, 6, 0, 20, 0, 1};  // hour 25
    d.Timer1Timer();
    QCOMPARE(Fields(&d), (BoxFields{QDate(2024, 4, 2), QTime(7, 8, 9), QStringLiteral("06:00"),
                                    QStringLiteral("20:00"), QStringLiteral("Zomertijd")}));
  }

  void editHoldsUntilSetTime() {
    Connect();
    TForm7 d;
    auto* time = Child<QTimeEdit>(&d, "SetTime");
    time->setFocus();
    time->setCurrentSection(QDateTimeEdit::HourSection);
    QTest::keyClick(time, Qt::Key_Up);
    QCOMPARE(time->time(), QTime(3, 5, 0));
    QVERIFY(ClockEdited);

    const BoxFields held = Fields(&d);
    box_->ClockAnswer = ClockBytes{24, 3, 31, 9, 9, 9, 1, 7, 0, 20, 0, 0};
    d.Timer1Timer();
    d.Timer1Timer();
    QCOMPARE(Fields(&d), held);

    QTest::mouseClick(Child<QPushButton>(&d, "btn"), Qt::LeftButton);
    QVERIFY(!ClockEdited);
    const std::vector<Report> t = Sent(*box_, 'T');
    QCOMPARE(t.size(), size_t(1));
    QCOMPARE(t[0], Rep({0, 'T', 24, 3, 30, 3, 5, 0, 7}));

    d.Timer1Timer();
    QCOMPARE(Fields(&d).date, QDate(2024, 3, 31));
    QCOMPARE(Fields(&d).time, QTime(9, 9, 9));
  }

  void dateEditSendsLeapDay() {
    Connect();
    TForm7 d;
    Child<QDateEdit>(&d, "SetDate")->setDate(QDate(2024, 2, 29));
    QVERIFY(ClockEdited);
    d.Timer1Timer();
    QCOMPARE(Fields(&d).date, QDate(2024, 2, 29));
    d.btnClick();
    QCOMPARE(Sent(*box_, 'T').back(), Rep({0, 'T', 24, 2, 29, 2, 5, 0, 5}));
  }

  void closeSendsThePickers() {
    Connect();
    TForm7 d;
    QTest::mouseClick(Child<QPushButton>(&d, "OKBut"), Qt::LeftButton);
    QCOMPARE(d.result(), 1);
    const std::vector<Report> t = Sent(*box_, 'T');
    QCOMPARE(t.size(), size_t(1));
    QCOMPARE(t[0], Rep({0, 'T', 24, 3, 30, 2, 5, 0, 7}));
  }

  void synchroniseSendsThePcClock() {
    Connect();
    TForm7 d;
    ClockEdited = true;
    const QDateTime before = QDateTime::currentDateTime();
    QTest::mouseClick(Child<QPushButton>(&d, "Button1"), Qt::LeftButton);
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(!ClockEdited);
    const QDateTime shown(Fields(&d).date, Fields(&d).time);
    QVERIFY(shown >= before.addMSecs(-before.time().msec()) && shown <= after);
    const std::vector<Report> t = Sent(*box_, 'T');
    QCOMPARE(t.size(), size_t(1));
    uint8_t expected[65];
    BuildClockReport(shown.date(), shown.time(), expected);
    QCOMPARE(t[0], Rep({expected[0], expected[1], expected[2], expected[3], expected[4], expected[5],
                        expected[6], expected[7], expected[8]}));
  }

  void timeoutChangesNothing() {
    Connect();
    TForm7 d;
    const BoxFields shown = Fields(&d);
    box_->ClockAnswer = ClockBytes{25, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    box_->InjectFault(SimulatedBox::Fault::NoAnswer, 't');
    d.Timer1Timer();
    QCOMPARE(Fields(&d), shown);
    QVERIFY(!ClockEdited);
    d.Timer1Timer();  // the next poll is answered again
    QCOMPARE(Fields(&d).date, QDate(2025, 1, 1));
  }

  void noBoxNothingSentNothingChanged() {
    Connect(false);
    QVERIFY(!BoxConnected);
    TForm7 d;
    const BoxFields shown = Fields(&d);
    QCOMPARE(shown.season, QStringLiteral("Wintertijd"));
    QVERIFY(shown.sunrise.isEmpty());
    d.Timer1Timer();
    d.btnClick();
    QCOMPARE(Fields(&d), shown);
    d.Button1Click();
    d.Timer1Timer();
    QCOMPARE(Fields(&d).sunrise, QString());
    d.OKButClick();
    QCOMPARE(d.result(), 1);
    QVERIFY(box_->Received().empty());
  }

  void layoutFitsTheClientArea() {
    Connect();
    TForm7 d;
    QCOMPARE(d.size(), QSize(438, 494));
    const QList<QWidget*> all = d.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* w : all) {
      QVERIFY2(d.rect().contains(w->geometry()), qPrintable(w->objectName()));
      for (QWidget* c : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!c->isVisibleTo(&d) || !qobject_cast<QGroupBox*>(w)) continue;
        QVERIFY2(w->rect().contains(c->geometry()), qPrintable(c->objectName()));
        for (QWidget* o : w->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
          if (o != c && o->isVisibleTo(&d))
            QVERIFY2(!o->geometry().intersects(c->geometry()), qPrintable(c->objectName() + o->objectName()));
      }
      for (QWidget* o : all)
        if (o != w) QVERIFY2(!o->geometry().intersects(w->geometry()), qPrintable(w->objectName()));
    }
  }
};

QTEST_MAIN(TestSetDateTime)
#include "tst_setdatetime.moc"
