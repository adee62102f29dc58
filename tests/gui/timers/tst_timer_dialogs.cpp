// The timer screen's choice dialogs driven with clicks and keys: the codes
// they return, their validation and their looks.
#include <QLineEdit>
#include <QtTest>

#include "TestSupport.h"
#include "core/shell/Language.h"
#include "gui/timers/ProgSelAktie.h"
#include "gui/timers/ProgSelDayDate.h"
#include "gui/timers/ProgSelMonth.h"
#include "gui/timers/ProgSetTime.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "ui_ProgSelAktie.h"
#include "ui_ProgSelDayDate.h"
#include "ui_ProgSelMonth.h"
#include "ui_ProgSetTime.h"

namespace {

bool LooksSelected(const TGradBtn* b) {
  return b->fontColor() == QColor(Qt::white) && b->gradientFrom() == FromWinColor(WinColour::Selected);
}

void Click(TGradBtn* b) { QTest::mouseClick(b, Qt::LeftButton); }

void Type(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  if (text.isEmpty())
    QTest::keyClick(edit, Qt::Key_Backspace);
  else
    QTest::keyClicks(edit, text);
}

}  // namespace

class TstTimerDialogs : public QObject {
  Q_OBJECT
  std::unique_ptr<TempWorkspace> ws_;

 private slots:
  void initTestCase() { FailOnUnexpectedWarnings(); }
  void init() {
    FailOnUnexpectedWarnings();
    ws_ = std::make_unique<TempWorkspace>();
  }
  void cleanup() { ws_.reset(); }

  void timeDialogFixedRandomAndValidation() {
    TFormTijd d;
    d.show();  // a new entry: Uur 24, ZonTijd 0
    QCOMPARE(d.size(), QSize(497, 272));
    QVERIFY(!d.ui->pnlTijdstip->isHidden() && d.ui->pnlDaglicht->isHidden());
    QCOMPARE(d.ui->EdUur->text(), QStringLiteral("12"));
    QCOMPARE(d.ui->EdMinuut->text(), QStringLiteral("00"));
    QVERIFY(LooksSelected(d.ui->ButVasteTijd) && !LooksSelected(d.ui->ButRandom));
    QCOMPARE(d.ui->LRandom->text(), GetText(TextId::FixedTime));
    QVERIFY(d.toolTip().isEmpty());
    QTest::mouseClick(d.ui->EdMinuut, Qt::LeftButton);  // a click selects the whole text
    QCoreApplication::processEvents();
    QCOMPARE(d.ui->EdMinuut->selectedText(), QStringLiteral("00"));

    for (const char* bad : {"24", "x", "", "-1"}) {
      Type(d.ui->EdUur, QString::fromLatin1(bad));
      QVERIFY2(TTimerDialog::EditIsRed(d.ui->EdUur), bad);
      QCOMPARE(d.ui->LRandom->text(), GetText(TextId::InvalidTime));
      Click(d.ui->ButOK);
      QVERIFY(d.isVisible());
    }
    Type(d.ui->EdUur, QStringLiteral("0"));
    QVERIFY(!TTimerDialog::EditIsRed(d.ui->EdUur));
    Type(d.ui->EdMinuut, QStringLiteral("60"));
    QVERIFY(TTimerDialog::EditIsRed(d.ui->EdMinuut));
    Click(d.ui->ButOK);
    QVERIFY(d.isVisible());
    Type(d.ui->EdMinuut, QStringLiteral("00"));
    Click(d.ui->ButRandom);
    QCOMPARE(d.ui->LRandom->text(), GetText(TextId::Maximum1Hour));
    Type(d.ui->EdUur, QStringLiteral("23"));
    Click(d.ui->ButOK);
    QCOMPARE(d.result(), 1);
    QCOMPARE(d.Uur, 23);
    QCOMPARE(d.Minuut, 0);
    QCOMPARE(d.ZonTijd, 0);
    QCOMPARE(int(d.Random), 1);

    TFormTijd back;
    back.Uur = 7;
    back.show();
    Click(back.ui->ButExit);
    QCOMPARE(back.result(), 2);
  }

  void timeDialogSunCodes() {
    struct Case {
      int offset;
      bool before, sunrise;
      int code;
    } cases[] = {{15, false, false, 195}, {0, true, true, 60},    {0, false, true, 60},
                 {0, true, false, 180},   {0, false, false, 180}, {59, true, true, 1}};
    for (const Case& c : cases) {
      TFormTijd d;
      d.Uur = 8;
      d.show();
      Click(d.ui->ButDaglicht);
      // A new sun time starts at sunrise itself: before, sunrise, offset 0.
      QVERIFY(LooksSelected(d.ui->ButVoor) && LooksSelected(d.ui->ButZonOp));
      QCOMPARE(d.ui->EdZonOffset->text(), QStringLiteral("0"));
      Type(d.ui->EdZonOffset, QString::number(c.offset));
      Click(c.before ? d.ui->ButVoor : d.ui->ButNa);
      Click(c.sunrise ? d.ui->ButZonOp : d.ui->ButZonOnder);
      Click(d.ui->ButOK);
      QCOMPARE(d.result(), 1);
      QCOMPARE(d.ZonTijd, c.code);
      QCOMPARE(d.Uur, 24);
      QCOMPARE(d.Minuut, 0);
    }

    // Opening a sun time shows its code; an invalid offset keeps the choice.
    TFormTijd d;
    d.ZonTijd = 200;
    d.Random = 1;
    d.show();
    QVERIFY(!d.ui->pnlDaglicht->isHidden());
    QCOMPARE(d.ui->EdZonOffset->text(), QStringLiteral("20"));
    QVERIFY(LooksSelected(d.ui->ButNa) && LooksSelected(d.ui->ButZonOnder));
    Type(d.ui->EdZonOffset, QStringLiteral("60"));
    QVERIFY(TTimerDialog::EditIsRed(d.ui->EdZonOffset));
    QCOMPARE(d.ui->Loffset->text(), GetText(TextId::InvalidTime));
    Click(d.ui->ButZonOp);
    QVERIFY(LooksSelected(d.ui->ButZonOnder));
    Click(d.ui->ButOK);
    QVERIFY(d.isVisible());
    Type(d.ui->EdZonOffset, QStringLiteral("5"));
    Click(d.ui->ButOK);
    QCOMPARE(d.ZonTijd, 185);
    QCOMPARE(int(d.Random), 1);  // random stays with a sun time
  }

  void dayDateDialog() {
    TFormDagDatum d;
    d.show();
    QCOMPARE(d.size(), QSize(497, 272));
    QVERIFY(!d.ui->pnlDagen->isHidden() && d.ui->pnlDatum->isHidden());
    const std::pair<TGradBtn*, int> tags[] = {
        {d.ui->ButMaandag, 2},  {d.ui->ButDinsdag, 4},   {d.ui->ButWoensdag, 8}, {d.ui->ButDonderdag, 16},
        {d.ui->ButVrijdag, 32}, {d.ui->ButZaterdag, 64}, {d.ui->ButZondag, 1}};
    for (const auto& [button, tag] : tags) QCOMPARE(button->tag(), tag);
    Click(d.ui->ButWeekdagen);
    Click(d.ui->ButMaandag);
    Click(d.ui->ButVrijdag);
    QCOMPARE(d.DagDatum, 162);
    QVERIFY(LooksSelected(d.ui->ButMaandag) && LooksSelected(d.ui->ButVrijdag) &&
            !LooksSelected(d.ui->ButZondag));
    Click(d.ui->ButVrijdag);
    QCOMPARE(d.DagDatum, 130);
    Click(d.ui->ButElkeDag);
    QCOMPARE(d.DagDatum, 255);
    Click(d.ui->ButZondag);
    QCOMPARE(d.DagDatum, 254);

    // Date page: invalid days disable OK; Enter stores a valid day and stays.
    Click(d.ui->ButDatum);
    QCOMPARE(d.DagDatum, 1);
    QVERIFY(d.ui->pnlDagen->isHidden() && !d.ui->pnlDatum->isHidden());
    for (const char* bad : {"0", "32", "x", ""}) {
      Type(d.ui->EdDatum, QString::fromLatin1(bad));
      QVERIFY2(!d.ui->ButOK->isEnabled() && TTimerDialog::EditIsRed(d.ui->EdDatum), bad);
    }
    Type(d.ui->EdDatum, QStringLiteral("31"));
    QVERIFY(d.ui->ButOK->isEnabled() && !TTimerDialog::EditIsRed(d.ui->EdDatum));
    QTest::keyClick(d.ui->EdDatum, Qt::Key_Return);
    QVERIFY(d.isVisible());
    QCOMPARE(d.DagDatum, 31);
    Type(d.ui->EdDatum, QStringLiteral("14"));
    Click(d.ui->ButOK);  // the typed day counts without leaving the edit
    QCOMPARE(d.result(), 1);
    QCOMPARE(d.DagDatum, 14);

    // An invalid date left behind does not block the weekday page; OK with
    // no weekday gives 0.
    TFormDagDatum w;
    w.DagDatum = 9;
    w.show();
    QVERIFY(!w.ui->pnlDatum->isHidden());
    QCOMPARE(w.ui->EdDatum->text(), QStringLiteral("9"));
    Type(w.ui->EdDatum, QStringLiteral("40"));
    Click(w.ui->ButWeekdagen);
    QVERIFY(w.ui->ButOK->isEnabled());
    Click(w.ui->ButOK);
    QCOMPARE(w.result(), 1);
    QCOMPARE(w.DagDatum, 0);

    TFormDagDatum shown;
    shown.DagDatum = 128 + 1 + 64;
    shown.show();
    QVERIFY(LooksSelected(shown.ui->ButZondag) && LooksSelected(shown.ui->ButZaterdag) &&
            !LooksSelected(shown.ui->ButMaandag));
    Click(shown.ui->ButExit);
    QCOMPARE(shown.result(), 2);
  }

  void monthDialog() {
    TFormMaand d;
    d.Maand = 4;
    d.show();
    QCOMPARE(d.size(), QSize(497, 409));
    QVERIFY(LooksSelected(d.ui->ButApr));
    QCOMPARE(d.ui->ButOK->tag(), 15);
    QCOMPARE(d.ui->ButExit->tag(), 14);
    QCOMPARE(d.ui->ButElkeMaand->tag(), 13);
    QCOMPARE(d.ui->ButDec->text(), GetText(TextId::December));
    Click(d.ui->ButElkeMaand);
    QCOMPARE(d.Maand, 13);
    QVERIFY(LooksSelected(d.ui->ButElkeMaand) && !LooksSelected(d.ui->ButApr) && !LooksSelected(d.ui->ButOK));
    Click(d.ui->ButOK);
    QCOMPARE(d.result(), 1);
    QCOMPARE(d.Maand, 13);

    TFormMaand unchanged;
    unchanged.show();
    Click(unchanged.ui->ButOK);
    QCOMPARE(unchanged.Maand, 0);
  }

  void actionDialog() {
    TFormAktie plain;
    plain.show();
    QCOMPARE(plain.size(), QSize(352, 272));
    QVERIFY(LooksSelected(plain.ui->ButOff));
    QVERIFY(!plain.ui->ButDimmer->isEnabled() && !plain.ui->ButDimUp->isEnabled() &&
            !plain.ui->LDimmer->isVisible());
    Click(plain.ui->ButOK);
    QCOMPARE(plain.Aktie, 0);

    TFormAktie d;
    d.Dimbaar = 1;
    d.Aktie = 17;
    d.show();
    QVERIFY(LooksSelected(d.ui->ButOn));
    QCOMPARE(d.ui->LDimmer->text(), QStringLiteral("8"));
    Click(d.ui->ButDimUp);
    QCOMPARE(d.ui->LDimmer->text(), QStringLiteral("9"));
    QCOMPARE(d.Aktie, 9);
    QVERIFY(LooksSelected(d.ui->ButDimmer) && !LooksSelected(d.ui->ButOn));
    for (int i = 0; i < 10; ++i) Click(d.ui->ButDimUp);
    QCOMPARE(d.Aktie, 16);
    for (int i = 0; i < 20; ++i) Click(d.ui->ButDimDn);
    QCOMPARE(d.Aktie, 1);
    Click(d.ui->ButOff);
    QCOMPARE(d.Aktie, 0);
    Click(d.ui->ButExit);
    QCOMPARE(d.result(), 2);
  }
};

QTEST_MAIN(TstTimerDialogs)
#include "tst_timer_dialogs.moc"
