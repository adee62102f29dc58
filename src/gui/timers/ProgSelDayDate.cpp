#include "gui/timers/ProgSelDayDate.h"

#include <QKeyEvent>

#include "core/shell/Language.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/GradBtn.h"
#include "ui_ProgSelDayDate.h"

TFormDagDatum::TFormDagDatum(QWidget* parent) : TTimerDialog(parent), ui(new Ui::TFormDagDatum) {
  ui->setupUi(this);
  Finish(ui->Image1, Artwork::DayDateBackground, 25,
         GetText(TextId::WeekDays) + QStringLiteral(" / ") + GetText(TextId::Date));
  days_ = {ui->ButMaandag, ui->ButDinsdag,  ui->ButWoensdag, ui->ButDonderdag,
           ui->ButVrijdag, ui->ButZaterdag, ui->ButZondag};

  ui->ButWeekdagen->setText(GetText(TextId::WeekDays));
  ui->ButDatum->setText(GetText(TextId::Date));
  ui->ButOK->setText(GetText(TextId::OK));
  ui->ButExit->setText(GetText(TextId::Back));
  ui->pnlDagen->setCaption(GetText(TextId::WeekDays));
  ui->pnlDatum->setCaption(GetText(TextId::Date));
  ui->ButElkeDag->setText(GetText(TextId::EveryDay));
  const TextId names[7] = {TextId::Monday, TextId::Tuesday, TextId::Wednesday, TextId::Thursday,
                           TextId::Friday, TextId::Satuday, TextId::Sunday};
  for (int i = 0; i < 7; ++i) {
    days_[i]->setText(GetText(names[i]));
    connect(days_[i], &QPushButton::clicked, this, [this, b = days_[i]] { ToggleDay(b); });
  }
  ui->EdDatum->setAccessibleName(GetText(TextId::Date));
  SelectAllOnClick(ui->EdDatum);
  ui->EdDatum->installEventFilter(this);

  connect(ui->ButWeekdagen, &QPushButton::clicked, this, &TFormDagDatum::ShowWeekdays);
  connect(ui->ButDatum, &QPushButton::clicked, this, &TFormDagDatum::ShowDate);
  connect(ui->ButElkeDag, &QPushButton::clicked, this, &TFormDagDatum::EveryDay);
  connect(ui->ButOK, &QPushButton::clicked, this, &TFormDagDatum::OK);
  connect(ui->ButExit, &QPushButton::clicked, this, [this] { done(2); });
  connect(ui->EdDatum, &QLineEdit::textChanged, this, &TFormDagDatum::CheckDate);
}

TFormDagDatum::~TFormDagDatum() { delete ui; }

void TFormDagDatum::showEvent(QShowEvent* event) {
  ShowValue();
  TTimerDialog::showEvent(event);
}

void TFormDagDatum::ShowValue() {
  if (DagDatum == 0) {
    ui->pnlDagen->show();
    ui->pnlDatum->hide();
  } else if (DagDatum < 128) {
    ui->pnlDagen->hide();
    TUtilities::SetButtonSelected(ui->ButDatum);
    ui->EdDatum->setText(QString::number(DagDatum));
    ui->pnlDatum->show();
    ui->EdDatum->setFocus();
  } else {
    ui->pnlDagen->show();
    TUtilities::SetButtonSelected(ui->ButWeekdagen);
    ui->pnlDatum->hide();
    for (TGradBtn* b : days_) {
      if (DagDatum & b->tag())
        TUtilities::SetButtonSelected(b);
      else
        TUtilities::SetButtonNormal(b);
    }
  }
}

void TFormDagDatum::ShowPage(bool weekdays) {
  TUtilities::SetButtonSelected(weekdays ? ui->ButWeekdagen : ui->ButDatum);
  TUtilities::SetButtonNormal(weekdays ? ui->ButDatum : ui->ButWeekdagen);
  ui->pnlDagen->setVisible(weekdays);
  ui->pnlDatum->setVisible(!weekdays);
}

void TFormDagDatum::ShowWeekdays() {
  ShowPage(true);
  DagDatum = 128;
  // A date typed earlier that was invalid does not block a weekday choice.
  ui->ButOK->setEnabled(true);
  ShowValue();
}

void TFormDagDatum::ShowDate() {
  ShowPage(false);
  DagDatum = 1;
  ShowValue();
  ui->EdDatum->setFocus();
}

void TFormDagDatum::ToggleDay(TGradBtn* day) {
  DagDatum = (DagDatum ^ day->tag()) | 128;
  ShowValue();
}

void TFormDagDatum::EveryDay() {
  DagDatum = 255;
  ShowValue();
}

int TFormDagDatum::CheckDate() {
  bool ok = false;
  int v = ui->EdDatum->text().trimmed().toInt(&ok);
  if (!ok || v < 1 || v > 31) v = 0;
  ui->ButOK->setEnabled(v != 0);
  SetEditValid(ui->EdDatum, v != 0);
  return v;
}

bool TFormDagDatum::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui->EdDatum) {
    const bool enter =
        event->type() == QEvent::KeyPress && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                                              static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    if (enter || event->type() == QEvent::FocusOut) {
      // The edit is the only control that takes the focus, so it keeps it.
      if (const int v = CheckDate()) DagDatum = v;
      if (enter) return true;
    }
  }
  return TTimerDialog::eventFilter(watched, event);
}

void TFormDagDatum::OK() {
  // The buttons take no focus, so a typed day may not have left its edit yet.
  if (!ui->pnlDatum->isHidden()) {
    const int v = CheckDate();
    if (v == 0) return;
    DagDatum = v;
  }
  if (DagDatum == 128) DagDatum = 0;
  done(1);
}
