#include "gui/common/ContentScreen.h"

TContentScreen::TContentScreen(QWidget* mainPanel, std::unique_ptr<QWidget> form, QWidget* panel,
                               QObject* parent)
    : QObject(parent), mainPanel_(mainPanel), form_(std::move(form)), panel_(panel ? panel : form_.get()) {
  if (panel_ && panel_ != form_.get()) panel_->hide();
}

TContentScreen::~TContentScreen() {
  // Once shown, the panel belongs to MainPanel rather than to the form; it
  // goes with the screen all the same.
  if (panel_ && panel_ != form_.get() && panel_->parent() != form_.get()) delete panel_.data();
}

void TContentScreen::Show() {
  if (!panel_) return;
  if (mainPanel_ && panel_->parentWidget() != mainPanel_) panel_->setParent(mainPanel_);
  panel_->move(0, 0);
  panel_->show();
  panel_->raise();
}

void TContentScreen::Hide() {
  if (panel_) panel_->hide();
}

bool TContentScreen::IsShown() const {
  return panel_ && mainPanel_ && panel_->parentWidget() == mainPanel_ && !panel_->isHidden();
}
