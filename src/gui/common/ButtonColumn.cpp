#include "gui/common/ButtonColumn.h"

#include <QAbstractButton>

#include "gui/shell/Utilities.h"
#include "gui/widgets/GradBtn.h"

TButtonColumn::TButtonColumn(QWidget* buttonPanel, QWidget* form)
    : buttonPanel_(buttonPanel), form_(form), formAlive_(form) {
  container_ = form_->findChild<QWidget*>(QStringLiteral("MainBtnContainer"));
  Q_ASSERT(container_);
  if (!container_) {
    // A form without a container still works: its own widget holds the buttons.
    container_ = form_.get();
  }
  const auto children = container_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  for (QWidget* w : children) {
    w->hide();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
      QObject::disconnect(b, &QAbstractButton::clicked, nullptr, nullptr);
  }
}

TButtonColumn::~TButtonColumn() {
  // The columns this one covered come back.
  Hide();
  if (!formAlive_) {
    // A form shown as its own container went with the button panel.
    (void)form_.release();
    return;
  }
  // Qt parents own widgets; the shown container comes home so that the form
  // takes it along.
  if (container_ && container_ != form_.get() && container_->parentWidget() != form_.get())
    container_->setParent(form_.get());
}

void TButtonColumn::Bind(TGradBtn* button, Handler handler) {
  if (!button) return;
  QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
  if (handler) connect(button, &QAbstractButton::clicked, this, [h = std::move(handler)] { h(); });
  button->show();
  for (const Companion& c : companions_)
    if (c.button == button && c.widget) c.widget->show();
}

void TButtonColumn::AddCompanion(TGradBtn* button, QWidget* companion) {
  companions_.push_back({button, companion});
  if (button && companion && !button->isHidden()) companion->show();
}

void TButtonColumn::SetEnabled(QWidget* control, bool enabled) {
  if (control && !control->isHidden()) control->setEnabled(enabled);
}

void TButtonColumn::Show() {
  if (!container_) return;
  if (!IsShown() && buttonPanel_) {
    // The containers are see-through: the column below would show between
    // these buttons, so it steps aside until this one hides again.
    covered_.clear();
    for (QWidget* w : buttonPanel_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (w == container_ || w->isHidden()) continue;
      covered_.emplace_back(w);
      w->hide();
    }
  }
  if (container_->parentWidget() != buttonPanel_) container_->setParent(buttonPanel_);
  container_->move(0, 0);
  container_->show();
  container_->raise();
  TUtilities::RoundButtons(container_);
}

void TButtonColumn::Hide() {
  const bool wasShown = IsShown();
  if (container_) container_->hide();
  if (!wasShown) return;
  for (const QPointer<QWidget>& w : covered_)
    if (w) w->show();
  covered_.clear();
}

bool TButtonColumn::IsShown() const {
  return container_ && container_->parentWidget() == buttonPanel_ && !container_->isHidden();
}
