#include "gui/timers/ProgSetTime.h"

#include <cstdio>

#include "core/shell/Language.h"
#include "gui/shell/Utilities.h"
#include "gui/timers/TimerHandler.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/GradBtn.h"
#include "ui_ProgSetTime.h"

namespace {

// The edit's whole text as an integer, or `otherwise` when it is not one.
int ValueOf(const QLineEdit* edit, int otherwise) {
  bool ok = false;
  const int v = edit->text().toInt(&ok);
  return ok ? v : otherwise;
}

QString TwoDigits(int v) { return QString::asprintf("%.2d", v); }

void Mark(TGradBtn* on, TGradBtn* off) {
  TUtilities::SetButtonSelected(on);
  TUtilities::SetButtonNormal(off);
}

}  // namespace

TFormTijd::TFormTijd(QWidget* parent) : TTimerDialog(parent), ui(new Ui::TFormTijd) {
  ui->setupUi(this);
  Finish(ui->Image1, Artwork::TimeBackground, 25, GetText(TextId::Time));

  ui->ButTijdstip->setText(GetText(TextId::Time));
  ui->ButDaglicht->setText(GetText(TextId::DayLight));
  ui->ButOK->setText(GetText(TextId::OK));
  ui->ButExit->setText(GetText(TextId::Back));
  ui->pnlTijdstip->setCaption(GetText(TextId::Time));
  ui->ButVasteTijd->setText(GetText(TextId::FixedTime));
  ui->ButRandom->setText(GetText(TextId::Random));
  ui->pnlDaglicht->setCaption(GetText(TextId::DayLight));
  ui->ButVoor->setText(GetText(TextId::Before));
  ui->ButNa->setText(GetText(TextId::After));
  ui->ButZonOp->setText(GetText(TextId::SunRise));
  ui->ButZonOnder->setText(GetText(TextId::SunSet));
  ui->EdUur->setAccessibleName(GetText(MoreTextId::Hour));
  ui->EdMinuut->setAccessibleName(GetText(MoreTextId::Minute));
  ui->EdZonOffset->setAccessibleName(GetText(TextId::Minutes));
  // The status lines read as what they say; they shrink rather than be cut.
  for (TLabel* l : {ui->LRandom, ui->Loffset}) l->setFitText(true);
  for (QLineEdit* e : {ui->EdUur, ui->EdMinuut, ui->EdZonOffset}) SelectAllOnClick(e);

  connect(ui->ButTijdstip, &QPushButton::clicked, this, &TFormTijd::ShowTimePage);
  connect(ui->ButDaglicht, &QPushButton::clicked, this, &TFormTijd::ShowSunPage);
  connect(ui->ButVasteTijd, &QPushButton::clicked, this, &TFormTijd::ChooseFixed);
  connect(ui->ButRandom, &QPushButton::clicked, this, &TFormTijd::ChooseRandom);
  connect(ui->ButVoor, &QPushButton::clicked, this, [this] { ChooseBefore(true); });
  connect(ui->ButNa, &QPushButton::clicked, this, [this] { ChooseBefore(false); });
  connect(ui->ButZonOp, &QPushButton::clicked, this, [this] { ChooseSunrise(true); });
  connect(ui->ButZonOnder, &QPushButton::clicked, this, [this] { ChooseSunrise(false); });
  connect(ui->ButOK, &QPushButton::clicked, this, &TFormTijd::OK);
  connect(ui->ButExit, &QPushButton::clicked, this, [this] { done(2); });
  connect(ui->EdUur, &QLineEdit::textChanged, this, &TFormTijd::ValidHour);
  connect(ui->EdMinuut, &QLineEdit::textChanged, this, &TFormTijd::ValidMinute);
  connect(ui->EdZonOffset, &QLineEdit::textChanged, this, &TFormTijd::ValidOffset);
}

TFormTijd::~TFormTijd() { delete ui; }

void TFormTijd::showEvent(QShowEvent* event) {
  if (Uur == 24) Uur = 12;
  if (ZonTijd != 0)
    ShowSunPage();
  else
    ShowTimePage();
  const bool allowed = !TimerHandler || TimerHandler->RandomAllowed();
  ui->ButRandom->setEnabled(allowed);
  setToolTip(allowed ? QString() : GetText(TextId::MaximumNumberOfRandomActionsReached));
  if (!allowed) ChooseFixed();
  TTimerDialog::showEvent(event);
}

void TFormTijd::ShowTimePage() {
  Mark(ui->ButTijdstip, ui->ButDaglicht);
  ui->pnlTijdstip->show();
  ui->pnlDaglicht->hide();
  ui->EdUur->setText(TwoDigits(Uur));
  ui->EdMinuut->setText(TwoDigits(Minuut));
  ValidTime();
  if (Random == 1)
    ChooseRandom();
  else
    ChooseFixed();
}

void TFormTijd::ShowSunPage() {
  Mark(ui->ButDaglicht, ui->ButTijdstip);
  ui->pnlDaglicht->show();
  ui->pnlTijdstip->hide();
  int offset = 0;
  before_ = true;
  sunrise_ = true;
  if (ZonTijd >= 1 && ZonTijd <= 59) {
    offset = 60 - ZonTijd;
  } else if (ZonTijd >= 61 && ZonTijd <= 119) {
    offset = ZonTijd - 60, before_ = false;
  } else if (ZonTijd >= 121 && ZonTijd <= 180) {
    offset = 180 - ZonTijd, sunrise_ = false;
  } else if (ZonTijd >= 181 && ZonTijd <= 239) {
    offset = ZonTijd - 180, before_ = false, sunrise_ = false;
  }
  sunChosen_ = true;
  MarkSunChoice();
  ui->EdZonOffset->setText(QString::number(offset));
  ValidOffset();
}

void TFormTijd::ChooseFixed() {
  Random = 0;
  Mark(ui->ButVasteTijd, ui->ButRandom);
  ValidTime();
}

void TFormTijd::ChooseRandom() {
  // The limit also holds when the button is reached other than by a click.
  if (!ui->ButRandom->isEnabled()) return;
  Random = 1;
  Mark(ui->ButRandom, ui->ButVasteTijd);
  ValidTime();
}

void TFormTijd::ChooseBefore(bool before) {
  if (!ValidOffset()) return;
  before_ = before;
  sunChosen_ = true;
  MarkSunChoice();
}

void TFormTijd::ChooseSunrise(bool sunrise) {
  if (!ValidOffset()) return;
  sunrise_ = sunrise;
  sunChosen_ = true;
  MarkSunChoice();
}

void TFormTijd::MarkSunChoice() {
  if (!sunChosen_) return;
  Mark(before_ ? ui->ButVoor : ui->ButNa, before_ ? ui->ButNa : ui->ButVoor);
  Mark(sunrise_ ? ui->ButZonOp : ui->ButZonOnder, sunrise_ ? ui->ButZonOnder : ui->ButZonOp);
}

bool TFormTijd::ValidHour() {
  const int v = ValueOf(ui->EdUur, 24);
  const bool valid = v >= 0 && v <= 23;
  SetEditValid(ui->EdUur, valid);
  if (valid) {
    Uur = v;
    if (Random == 1) ui->LRandom->setText(GetText(TextId::Maximum1Hour));
  } else {
    ui->LRandom->setText(GetText(TextId::InvalidTime));
  }
  return valid;
}

bool TFormTijd::ValidMinute() {
  const int v = ValueOf(ui->EdMinuut, 60);
  const bool valid = v >= 0 && v <= 59;
  SetEditValid(ui->EdMinuut, valid);
  if (valid) {
    Minuut = v;
    ui->LRandom->setText(GetText(Random == 1 ? TextId::Maximum1Hour : TextId::FixedTime));
  } else {
    ui->LRandom->setText(GetText(TextId::InvalidTime));
  }
  return valid;
}

bool TFormTijd::ValidTime() { return ValidHour() && ValidMinute(); }

bool TFormTijd::ValidOffset() {
  const int x = ValueOf(ui->EdZonOffset, 60);
  const bool valid = x >= 0 && x <= 59;
  SetEditValid(ui->EdZonOffset, valid);
  if (valid) {
    ui->Loffset->setText(GetText(TextId::Minutes));
    ZonTijd = (sunrise_ ? 60 : 180) + (before_ ? -x : x);
  } else {
    ui->Loffset->setText(GetText(TextId::InvalidTime));
  }
  return valid;
}

void TFormTijd::OK() {
  if (!ui->pnlTijdstip->isHidden()) {
    if (!ValidTime()) return;
    ZonTijd = 0;
    done(1);
  } else if (!ui->pnlDaglicht->isHidden()) {
    if (!ValidOffset()) return;
    Uur = 24;
    Minuut = 0;
    done(1);
  }
}
