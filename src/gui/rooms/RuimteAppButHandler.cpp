#include "gui/rooms/RuimteAppButHandler.h"

#include "core/shell/Language.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "ui_RuimteAppButInterface.h"

TfrmRuimteAppButInterface::TfrmRuimteAppButInterface(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TfrmRuimteAppButInterface>()) {
  ui->setupUi(this);
}

TfrmRuimteAppButInterface::~TfrmRuimteAppButInterface() = default;

TRuimteAppButHandler::TRuimteAppButHandler(QWidget* buttonPanel)
    : TButtonColumn(buttonPanel, new TfrmRuimteAppButInterface) {
  Ui::TfrmRuimteAppButInterface* ui = static_cast<TfrmRuimteAppButInterface*>(Form())->ui.get();
  ButExit = ui->ButExit;
  ButOK = ui->ButOK;
  ButExtra = ui->ButExtra;
  ButScene = ui->ButScene;
  ButTimer = ui->ButTimer;
  ButOn = ui->ButOn;
  ButDimmer = ui->ButDimmer;
  ButDimDn = ui->ButDimDn;
  ButDimUp = ui->ButDimUp;
  ButOff = ui->ButOff;
  LDimmer = ui->LDimmer;

  ButExit->setText(GetText(TextId::Exit));
  ButOK->setText(GetText(TextId::OK));
  ButExtra->setText(GetText(TextId::Extra));
  ButScene->setText(GetText(TextId::Scenes));
  ButTimer->setText(GetText(TextId::Timer));
  ButOn->setText(GetText(TextId::On));
  ButDimmer->setText(GetText(TextId::DimValue));
  ButOff->setText(GetText(TextId::Off));
  // ButDimDn "--" and ButDimUp "+" keep their design texts.
  AddCompanion(ButDimmer, LDimmer);
}

TRuimteAppButHandler::~TRuimteAppButHandler() = default;
