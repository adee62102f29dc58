#include "gui/timers/ProgSelAktie.h"

#include "core/shell/Language.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/GradBtn.h"
#include "ui_ProgSelAktie.h"

TFormAktie::TFormAktie(QWidget* parent) : TTimerDialog(parent), ui(new Ui::TFormAktie) {
  ui->setupUi(this);
  Finish(ui->Image1, Artwork::ActionBackground, 25, GetText(TextId::Command));
  ui->AdvSmoothPanel1->setCaption(GetText(TextId::Command));
  ui->ButOn->setText(GetText(TextId::On));
  ui->ButOff->setText(GetText(TextId::Off));
  ui->ButDimmer->setText(GetText(TextId::DimValue));
  ui->ButDimUp->setText(QStringLiteral("+"));
  ui->ButDimDn->setText(QStringLiteral("-"));
  ui->ButDimUp->setAccessibleName(GetText(MoreTextId::DimUp));
  ui->ButDimDn->setAccessibleName(GetText(MoreTextId::DimDown));
  ui->LDimmer->setAccessibleName(GetText(TextId::DimValue));
  ui->ButOK->setText(GetText(TextId::OK));
  ui->ButExit->setText(GetText(TextId::Back));
  QFont level = ui->LDimmer->font();
  level.setPixelSize(20);
  level.setBold(true);
  ui->LDimmer->setFont(level);

  connect(ui->ButOn, &QPushButton::clicked, this, [this] { Choose(17); });
  connect(ui->ButOff, &QPushButton::clicked, this, [this] { Choose(0); });
  connect(ui->ButDimmer, &QPushButton::clicked, this, &TFormAktie::ChooseDim);
  connect(ui->ButDimUp, &QPushButton::clicked, this, [this] { DimStep(1); });
  connect(ui->ButDimDn, &QPushButton::clicked, this, [this] { DimStep(-1); });
  connect(ui->ButOK, &QPushButton::clicked, this, [this] { done(1); });
  connect(ui->ButExit, &QPushButton::clicked, this, [this] { done(2); });
}

TFormAktie::~TFormAktie() { delete ui; }

void TFormAktie::showEvent(QShowEvent* event) {
  const bool dim = Dimbaar == 1;
  for (QWidget* w : {static_cast<QWidget*>(ui->ButDimmer), static_cast<QWidget*>(ui->ButDimUp),
                     static_cast<QWidget*>(ui->ButDimDn)})
    w->setEnabled(dim);
  ui->LDimmer->setVisible(dim);
  if (dim) ui->LDimmer->setText(QString::number(Aktie >= 1 && Aktie <= 16 ? Aktie : 8));
  MarkChoice();
  TTimerDialog::showEvent(event);
}

void TFormAktie::MarkChoice() {
  for (TGradBtn* b : findChildren<TGradBtn*>()) TUtilities::SetButtonNormal(b);
  if (Aktie == 0)
    TUtilities::SetButtonSelected(ui->ButOff);
  else if (Aktie == 17)
    TUtilities::SetButtonSelected(ui->ButOn);
  else if (Aktie >= 1 && Aktie <= 16)
    TUtilities::SetButtonSelected(ui->ButDimmer);
}

void TFormAktie::Choose(int aktie) {
  Aktie = aktie;
  MarkChoice();
}

void TFormAktie::ChooseDim() {
  // Dimming is only for a dimmable device, whatever reached this.
  if (Dimbaar != 1) return;
  Choose(ui->LDimmer->text().toInt());
}

void TFormAktie::DimStep(int step) {
  if (Dimbaar != 1) return;
  const int level = ui->LDimmer->text().toInt() + step;
  if (level >= 1 && level <= 16) ui->LDimmer->setText(QString::number(level));
  ChooseDim();
}
