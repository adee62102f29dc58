#include "gui/common/ContentScreen.h"

TContentScreen::TContentScreen(QWidget* mainPanel, std::unique_ptr<QWidget> form, const QString& panelName,
                               QObject* parent)
    : TContentScreen(mainPanel, std::move(form), nullptr, parent) {
  if (panelName.isEmpty() || !screenForm_) return;
  QWidget* panel = screenForm_->findChild<QWidget*>(panelName);
  Q_ASSERT(panel);
  if (!panel) return;
  screenPanel_ = panel;
  screenPanel_->hide();
}

TContentScreen::TContentScreen(QWidget* mainPanel, std::unique_ptr<QWidget> form, QWidget* panel,
                               QObject* parent)
    : QObject(parent),
      screenHost_(mainPanel),
      screenForm_(std::move(form)),
      screenFormAlive_(screenForm_.get()),
      screenPanel_(panel ? panel : screenForm_.get()) {
  if (screenPanel_ && screenPanel_ != screenForm_.get()) screenPanel_->hide();
}

TContentScreen::~TContentScreen() {
  if (!screenFormAlive_) {
    // A form shown as its own panel went with MainPanel.
    (void)screenForm_.release();
    return;
  }
  // Qt parents own widgets; the shown panel comes home so that the form
  // takes it along.
  if (screenPanel_ && screenPanel_ != screenForm_.get() && screenPanel_->parentWidget() != screenForm_.get())
    screenPanel_->setParent(screenForm_.get());
}

void TContentScreen::Show() {
  if (!screenPanel_) return;
  if (screenHost_ && screenPanel_->parentWidget() != screenHost_) screenPanel_->setParent(screenHost_);
  screenPanel_->move(0, 0);
  screenPanel_->show();
  screenPanel_->raise();
}

void TContentScreen::Hide() {
  if (screenPanel_) screenPanel_->hide();
}

bool TContentScreen::IsShown() const {
  return screenPanel_ && screenHost_ && screenPanel_->parentWidget() == screenHost_ &&
         !screenPanel_->isHidden();
}
