#include "gui/timers/ProgSelMonth.h"

#include "core/shell/Language.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/GradBtn.h"
#include "ui_ProgSelMonth.h"

TFormMaand::TFormMaand(QWidget* parent) : TTimerDialog(parent), ui(new Ui::TFormMaand) {
  ui->setupUi(this);
  Finish(ui->Image1, Artwork::MonthBackground, 40, GetText(TextId::Month));
  months_ = {ui->ButJan, ui->ButFeb, ui->ButMar, ui->ButApr, ui->ButMay, ui->ButJun,      ui->ButJul,
             ui->ButAug, ui->ButSep, ui->ButOct, ui->ButNov, ui->ButDec, ui->ButElkeMaand};
  ui->AdvSmoothPanel1->setCaption(GetText(TextId::Month));
  for (TGradBtn* b : months_) {
    b->setText(GetText(b->tag() == 13 ? TextId::EveryMonth : TextId(int(TextId::January) + b->tag() - 1)));
    connect(b, &QPushButton::clicked, this, [this, b] { Choose(b->tag()); });
  }
  ui->ButOK->setText(GetText(TextId::OK));
  ui->ButExit->setText(GetText(TextId::Back));
  connect(ui->ButOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ui->ButExit, &QPushButton::clicked, this, [this] { done(2); });
}

TFormMaand::~TFormMaand() { delete ui; }

TGradBtn* TFormMaand::Button(int tag) const {
  for (TGradBtn* b : months_)
    if (b->tag() == tag) return b;
  return nullptr;
}

void TFormMaand::showEvent(QShowEvent* event) {
  if (TGradBtn* b = Button(Maand)) TUtilities::SetButtonSelected(b);
  TTimerDialog::showEvent(event);
}

void TFormMaand::Choose(int tag) {
  Maand = tag;
  for (TGradBtn* b : months_) {
    if (b->tag() == Maand)
      TUtilities::SetButtonSelected(b);
    else
      TUtilities::SetButtonNormal(b);
  }
}
