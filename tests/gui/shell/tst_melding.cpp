#include <QTimer>
#include <QtTest>
#include <functional>

#include "TestSupport.h"
#include "gui/shell/Melding.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"

// Runs `check` on the open dialog, then `close` to end it.
static void WhileShown(std::function<void(TfrmMeld*)> check, std::function<void(TfrmMeld*)> close) {
  QTimer::singleShot(0, [check, close] {
    QVERIFY(frmMeld && frmMeld->isVisible());
    check(frmMeld);
    close(frmMeld);
  });
}

class TstMelding : public QObject {
  Q_OBJECT
  TempWorkspace ws_;

 private slots:
  void init() { FailOnUnexpectedWarnings(); }
  void initTestCase() { FailOnUnexpectedWarnings(); }

  void designLayout() {
    TfrmMeld d;
    QCOMPARE(d.size(), QSize(480, 360));
    QVERIFY(d.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(d.Image1()->geometry(), QRect(0, 0, 480, 360));
    QVERIFY(!d.Image1()->picture().isNull());
    QCOMPARE(d.Label1()->geometry(), QRect(30, 80, 420, 24));
    QCOMPARE(d.Label2()->geometry(), QRect(30, 128, 420, 24));
    QCOMPARE(d.btn1()->geometry(), QRect(50, 252, 130, 40));
    QCOMPARE(d.btn2()->geometry(), QRect(300, 250, 130, 40));
    QCOMPARE(d.Label1()->font().pixelSize(), 21);
    QCOMPARE(d.btn1()->font().pixelSize(), 19);
    QCOMPARE(d.btn1()->fontColor(), QColor(Qt::black));
    QCOMPARE(d.btn1()->roundCorners(), 20);
    QVERIFY(!d.mask().isEmpty());  // rounded outline
    QVERIFY(!d.mask().contains(QPoint(1, 1)));
  }

  void singleButtonIsCentred() {
    int left1 = -1, left2 = -1;
    bool b2 = true, l2 = false;
    WhileShown(
        [&](TfrmMeld* d) {
          left1 = d->btn1()->x();
          left2 = d->btn2()->x();
          b2 = d->btn2()->isVisible();
          l2 = d->Label2()->isVisible();
        },
        [](TfrmMeld* d) { QTest::mouseClick(d->btn1(), Qt::LeftButton); });
    const int r = ShowMeld("Attention!", "The KLV-820 is not connected", "OK", QString());
    QCOMPARE(r, 1);
    QCOMPARE(left1, 175);
    QCOMPARE(left2, 175);
    QVERIFY(!b2);
    QVERIFY(l2);
    QVERIFY(!frmMeld);
  }

  void twoButtonsKeepTheirPlaces() {
    TfrmMeld d;
    frmMeld = &d;
    int left1 = -1, left2 = -1;
    WhileShown(
        [&](TfrmMeld* m) {
          left1 = m->btn1()->x();
          left2 = m->btn2()->x();
        },
        [](TfrmMeld* m) { QTest::mouseClick(m->btn2(), Qt::LeftButton); });
    QCOMPARE(d.Meld("Save?", "", "yes", "no"), 2);
    QCOMPARE(left1, 50);
    QCOMPARE(left2, 300);

    // A single-button message restores the design places afterwards, so the
    // same dialog can ask a question again.
    WhileShown([](TfrmMeld*) {}, [](TfrmMeld* m) { m->btn1()->click(); });
    QCOMPARE(d.Meld("a", "b", "OK", ""), 1);
    QCOMPARE(d.btn1()->x(), 50);
    QCOMPARE(d.btn2()->x(), 300);
    WhileShown(
        [&](TfrmMeld* m) {
          left1 = m->btn1()->x();
          left2 = m->btn2()->x();
        },
        [](TfrmMeld* m) { m->btn1()->click(); });
    QCOMPARE(d.Meld("a", "b", "yes", "no"), 1);
    QCOMPARE(left1, 50);
    QCOMPARE(left2, 300);
    frmMeld = nullptr;
  }

  void otherWaysOfClosingGiveTwo() {
    WhileShown([](TfrmMeld*) {}, [](TfrmMeld* d) { QTest::keyClick(d, Qt::Key_Escape); });
    QCOMPARE(ShowMeld("x", "y", "OK", "cancel"), 2);
    WhileShown([](TfrmMeld*) {}, [](TfrmMeld* d) { d->close(); });
    QCOMPARE(ShowMeld("x", "y", "OK", QString()), 2);
    WhileShown([](TfrmMeld*) {}, [](TfrmMeld* d) { d->done(7); });
    QCOMPARE(ShowMeld("x", "y", "OK", QString()), 2);
  }

  void enterPressesALoneButtonOnly() {
    WhileShown([](TfrmMeld*) {}, [](TfrmMeld* d) { QTest::keyClick(d, Qt::Key_Return); });
    QCOMPARE(ShowMeld("Attention!", "Device has no code", "OK", QString()), 1);
    WhileShown([](TfrmMeld*) {}, [](TfrmMeld* d) { QTest::keyClick(d, Qt::Key_Enter); });
    QCOMPARE(ShowMeld("x", "", "", "back"), 2);
    // A question stays open on Enter; it still needs a button.
    bool open = false;
    WhileShown([](TfrmMeld*) {},
               [&open](TfrmMeld* d) {
                 QTest::keyClick(d, Qt::Key_Return);
                 open = d->isVisible();
                 d->btn1()->click();
               });
    QCOMPARE(ShowMeld("x", "y", "exit", "Send to KLV"), 1);
    QVERIFY(open);
  }

  void emptyLineStaysHidden() {
    bool l1 = false, l2 = true;
    QRect g1;
    QString text;
    WhileShown(
        [&](TfrmMeld* d) {
          l1 = d->Label1()->isVisible();
          l2 = d->Label2()->isVisible();
          g1 = d->Label1()->geometry();
          text = d->Label1()->text();
        },
        [](TfrmMeld* d) { d->btn1()->click(); });
    ShowMeld(QStringLiteral("first\rsecond"), QString(), "OK");
    QVERIFY(l1);
    QVERIFY(!l2);
    // Two lines do not fit the one-line label: it grows to show both.
    QCOMPARE(g1.topLeft(), QPoint(30, 80));
    QVERIFY(g1.height() >= 2 * 21);
    QCOMPARE(text, QStringLiteral("first\nsecond"));
  }

  void secondButtonOnlyIsCentredToo() {
    int left2 = -1;
    bool b1 = true;
    WhileShown(
        [&](TfrmMeld* d) {
          left2 = d->btn2()->x();
          b1 = d->btn1()->isVisible();
        },
        [](TfrmMeld* d) { d->btn2()->click(); });
    QCOMPARE(ShowMeld("x", "", "", "back"), 2);
    QCOMPARE(left2, 175);
    QVERIFY(!b1);
  }
};

QTEST_MAIN(TstMelding)
#include "tst_melding.moc"
