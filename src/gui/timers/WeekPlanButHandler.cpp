#include "gui/timers/WeekPlanButHandler.h"

#include "core/shell/Language.h"
#include "gui/widgets/GradBtn.h"
#include "ui_WeekPlanButInterface.h"

namespace {
QWidget* MakeForm(Ui::TfrmWeekPlanButInterface* ui) {
  auto* form = new QWidget;
  ui->setupUi(form);
  return form;
}
}  // namespace

TWeekPlanButHandler::TWeekPlanButHandler(QWidget* buttonPanel)
    : TWeekPlanButHandler(buttonPanel, new Ui::TfrmWeekPlanButInterface) {}

TWeekPlanButHandler::TWeekPlanButHandler(QWidget* buttonPanel, Ui::TfrmWeekPlanButInterface* form)
    : TButtonColumn(buttonPanel, MakeForm(form)), ui(form) {
  ui->ButExit->setText(GetText(TextId::Back));
  ui->ButExit->setAccessibleName(GetText(TextId::Back));
  ui->butAlles->setText(GetText(MoreTextId::All));
  ui->butAlles->setAccessibleName(GetText(MoreTextId::All));
}

TWeekPlanButHandler::~TWeekPlanButHandler() { delete ui; }

TGradBtn* TWeekPlanButHandler::ButExit() const { return ui->ButExit; }
TGradBtn* TWeekPlanButHandler::butAlles() const { return ui->butAlles; }
