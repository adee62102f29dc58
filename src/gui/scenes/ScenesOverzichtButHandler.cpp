#include "gui/scenes/ScenesOverzichtButHandler.h"

#include "core/shell/Language.h"
#include "gui/widgets/GradBtn.h"
#include "ui_ScenesOverzichtButInterface.h"

TfrmScenesOverzichtBut::TfrmScenesOverzichtBut(QWidget* parent)
    : QWidget(parent), ui(new Ui::TfrmScenesOverzichtBut) {
  ui->setupUi(this);
}

TfrmScenesOverzichtBut::~TfrmScenesOverzichtBut() { delete ui; }

TScenesOverzichtButHandler::TScenesOverzichtButHandler(QWidget* buttonPanel)
    : TButtonColumn(buttonPanel, new TfrmScenesOverzichtBut) {
  Ui::TfrmScenesOverzichtBut* ui = static_cast<TfrmScenesOverzichtBut*>(Form())->ui;
  ButTerug = ui->ButTerug;
  ButOK = ui->ButOK;
  ButTimer = ui->ButTimer;
  ButUitvoeren = ui->ButUitvoeren;
  ButTerug->setText(GetText(TextId::Back));
  ButOK->setText(GetText(TextId::OK));
  ButTimer->setText(GetText(TextId::Timer));
  ButUitvoeren->setText(GetText(TextId::Execute));
}

TScenesOverzichtButHandler::~TScenesOverzichtButHandler() = default;
