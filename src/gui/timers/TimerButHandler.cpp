#include "gui/timers/TimerButHandler.h"

#include "core/shell/Language.h"
#include "gui/widgets/GradBtn.h"
#include "ui_TimerInterface.h"

TfrmTimerInterface::TfrmTimerInterface(QWidget* parent) : QWidget(parent), ui(new Ui::TfrmTimerInterface) {
  ui->setupUi(this);
}

TfrmTimerInterface::~TfrmTimerInterface() { delete ui; }

TTimerButHandler::TTimerButHandler(QWidget* buttonPanel)
    : TButtonColumn(buttonPanel, new TfrmTimerInterface) {
  Ui::TfrmTimerInterface* ui = static_cast<TfrmTimerInterface*>(Form())->ui;
  butToevoegen = ui->butToevoegen;
  ButKopie = ui->ButKopie;
  ButWissen = ui->ButWissen;
  ButOK = ui->ButOK;
  ButExit = ui->ButExit;
  butWeek = ui->butWeek;
  butToevoegen->setText(GetText(TextId::Add));
  ButKopie->setText(GetText(TextId::Copy));
  ButWissen->setText(GetText(TextId::Delete));
  ButOK->setText(GetText(TextId::OK));
  ButExit->setText(GetText(TextId::Back));
  butWeek->setText(GetText(MoreTextId::Week));
}

TTimerButHandler::~TTimerButHandler() = default;
