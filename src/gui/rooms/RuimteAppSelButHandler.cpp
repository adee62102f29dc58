#include "gui/rooms/RuimteAppSelButHandler.h"

#include <QLabel>

#include "core/shell/Language.h"
#include "gui/common/DesignForm.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "ui_RuimteAppSelButInterface.h"

using TfrmRuimteAppSelBut = TDesignForm<Ui::TfrmRuimteAppSelButInterface>;

TRuimteAppSelButHandler::TRuimteAppSelButHandler(QWidget* buttonPanel)
    : TButtonColumn(buttonPanel, new TfrmRuimteAppSelBut),
      ui(static_cast<TfrmRuimteAppSelBut*>(Form())->ui.get()) {
  ui->ButExit->setText(GetText(TextId::Cancel));
  ui->ButOK->setText(GetText(TextId::OK));
  ui->butLeren->setText(GetText(TextId::LearnCode));
  ui->ButWissen->setText(GetText(TextId::Delete));

  learnHint_ = new QLabel(ui->butLeren->parentWidget());
  const QRect learn = ui->butLeren->geometry();
  learnHint_->setGeometry(learn.x(), learn.y() - 96, learn.width(), 92);
  learnHint_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  learnHint_->setWordWrap(true);
  QFont f = learnHint_->font();
  f.setPixelSize(13);
  learnHint_->setFont(f);
  learnHint_->hide();
}

void TRuimteAppSelButHandler::ShowLearnHint(const QString& left) {
  if (left.isEmpty() || ui->butLeren->isHidden()) {
    learnHint_->hide();
    return;
  }
  const QString text = GetText(MoreTextId::PutReceiverInLearnMode) + QLatin1Char('\n') + left;
  learnHint_->setText(text);
  learnHint_->setAccessibleName(text);
  learnHint_->show();
}

TRuimteAppSelButHandler::~TRuimteAppSelButHandler() = default;

TGradBtn* TRuimteAppSelButHandler::ButExit() const { return ui->ButExit; }
TGradBtn* TRuimteAppSelButHandler::ButOK() const { return ui->ButOK; }
TGradBtn* TRuimteAppSelButHandler::butLeren() const { return ui->butLeren; }
TGradBtn* TRuimteAppSelButHandler::ButWissen() const { return ui->ButWissen; }

void TRuimteAppSelButHandler::SetLearnState(int state) {
  TGradBtn* b = ui->butLeren;
  if (b->isHidden()) return;
  const QColor grey = FromWinColor(WinColour::Grey), white = FromWinColor(WinColour::White);
  switch (state) {
    case 0:
    case 1:
      b->setEnabled(state == 0);
      SetLearnState(2);
      break;
    case 2:
      b->setColours(grey, white, Qt::black);
      b->setText(GetText(TextId::LearnCode));
      break;
    case 3:
      b->setColours(FromWinColor(WinColour::Red), white, Qt::black);
      b->setText(GetText(TextId::StopLearning));
      break;
    case 4:
      b->setColours(grey, white, Qt::black);
      break;
    default:
      break;
  }
}
