#include "gui/device/SetDateTime.h"

#include <QDateTime>
#include <QLocale>
#include <QSignalBlocker>
#include <QTimer>

#include "core/device/BoxClock.h"
#include "ui_SetDateTime.h"

bool ClockEdited = false;

namespace {

// The locale's long time format without the time zone, which a picker
// cannot show and the box does not keep.
QString LongTimeFormat() {
  QString f = QLocale().timeFormat(QLocale::LongFormat);
  f.remove(QLatin1Char('t'));
  return f.trimmed();
}

}  // namespace

TForm7::TForm7(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TForm7>()), timer1_(new QTimer(this)) {
  ui->setupUi(this);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(438, 494);

  ui->SetDate->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
  // The box keeps the year as one byte above 2000.
  ui->SetDate->setDateRange(QDate(2000, 1, 1), QDate(2255, 12, 31));
  const QDateTime now = QDateTime::currentDateTime();
  ui->SetDate->setDate(now.date());
  ui->SetTime->setTime(now.time());

  connect(ui->SetDate, &QDateEdit::dateChanged, this, &TForm7::SetDateChange);
  connect(ui->SetTime, &QTimeEdit::timeChanged, this, &TForm7::SetTimeChange);
  connect(ui->btn, &QPushButton::clicked, this, &TForm7::btnClick);
  connect(ui->Button1, &QPushButton::clicked, this, &TForm7::Button1Click);
  connect(ui->OKBut, &QPushButton::clicked, this, &TForm7::OKButClick);

  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(1000);
  connect(timer1_, &QTimer::timeout, this, &TForm7::Timer1Timer);

  FormCreate();
  timer1_->start();
}

TForm7::~TForm7() = default;

void TForm7::ReadTime() {
  const std::optional<BoxClockReading> r = RequestBoxClock();
  if (!r || ClockEdited) return;
  // These are not the user's edits.
  const QSignalBlocker dateBlock(ui->SetDate);
  const QSignalBlocker timeBlock(ui->SetTime);
  if (r->DateValid) ui->SetDate->setDate(r->Date);
  if (r->TimeValid) ui->SetTime->setTime(r->Time);
  ui->sunrise->setText(r->Sunrise);
  ui->sunset->setText(r->Sunset);
  ui->Label8->setText(r->SummerTime ? QStringLiteral("Zomertijd") : QStringLiteral("Wintertijd"));
}

void TForm7::PCTime() {
  const QDateTime now = QDateTime::currentDateTime();
  const QLocale locale;
  ui->Label5->setText(locale.toString(now.date(), QLocale::ShortFormat));
  ui->Label9->setText(locale.toString(now.time(), LongTimeFormat()));
}

void TForm7::SendTime() { SetBoxClock(ui->SetDate->date(), ui->SetTime->time()); }

void TForm7::FormCreate() {
  ClockEdited = false;
  ReadTime();
  PCTime();
}

void TForm7::Timer1Timer() {
  ReadTime();
  PCTime();
}

void TForm7::SetTimeChange() { ClockEdited = true; }

void TForm7::SetDateChange() { ClockEdited = true; }

void TForm7::btnClick() {
  SendTime();
  ClockEdited = false;
}

void TForm7::Button1Click() { SyncClick(); }

void TForm7::SyncClick() {
  const QDateTime now = QDateTime::currentDateTime();
  {
    const QSignalBlocker dateBlock(ui->SetDate);
    const QSignalBlocker timeBlock(ui->SetTime);
    ui->SetDate->setDate(now.date());
    ui->SetTime->setTime(now.time());
  }
  SendTime();
  ClockEdited = false;
}

void TForm7::OKButClick() {
  SendTime();
  done(1);
}

int ShowSetDateTime(QWidget* parent) {
  TForm7 dialog(parent);
  return dialog.exec();
}
