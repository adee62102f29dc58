#include "gui/common/ContentScreen.h"

#include <utility>

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
  QWidget* focus = screenHost_ ? screenHost_->window()->focusWidget() : nullptr;
  if (focus && focus != screenPanel_ && !screenPanel_->isAncestorOf(focus)) focusBefore_ = focus;
  if (screenHost_ && screenPanel_->parentWidget() != screenHost_) screenPanel_->setParent(screenHost_);
  screenPanel_->move(0, 0);
  screenPanel_->setEnabled(true);
  screenPanel_->show();
  screenPanel_->raise();
  if (!screenHost_) return;

  // Keys belong to the screen in front: a control left focused on a covered
  // screen would still take them (disabling it drops its focus).
  for (QObject* o : screenHost_->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w == screenPanel_ || w->isHidden() || !w->isEnabled()) continue;
    w->setEnabled(false);
    covered_.emplace_back(w);
  }
}

namespace {

// Whether a shown sibling lies in front of `w`.
bool CoveredByAnother(const QWidget* w) {
  const QObjectList& siblings = w->parentWidget()->children();
  for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i > 0 && i < siblings.size(); ++i) {
    const auto* s = qobject_cast<const QWidget*>(siblings[i]);
    if (s && !s->isHidden()) return true;
  }
  return false;
}

}  // namespace

void TContentScreen::Hide() {
  if (!screenPanel_) return;
  screenPanel_->hide();
  for (const QPointer<QWidget>& w : std::exchange(covered_, {}))
    if (w && w->parentWidget() && !CoveredByAnother(w)) w->setEnabled(true);
  QWidget* before = std::exchange(focusBefore_, nullptr);
  if (!before || !before->isVisible() || !before->isEnabled()) return;
  const QWidget* focus = before->window()->focusWidget();
  if (!focus || !focus->isVisible() || screenPanel_->isAncestorOf(focus))
    before->setFocus(Qt::OtherFocusReason);
}

bool TContentScreen::IsShown() const {
  return screenPanel_ && screenHost_ && screenPanel_->parentWidget() == screenHost_ &&
         !screenPanel_->isHidden();
}
