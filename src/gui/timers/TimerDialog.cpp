#include "gui/timers/TimerDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "gui/shell/BaseForm.h"
#include "gui/shell/RoundForm.h"
#include "gui/shell/Utilities.h"
#include "gui/widgets/Artwork.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/GradBtn.h"
#include "gui/widgets/ImageControl.h"
#include "gui/widgets/SmoothPanel.h"

TTimerDialog::TTimerDialog(QWidget* parent)
    : QDialog(parent ? parent : static_cast<QWidget*>(TMainForm::Instance())) {
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setModal(true);
}

void TTimerDialog::Finish(TImage* background, const char* artwork, int radius, const QString& name) {
  setFixedSize(size());
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(15);
  setFont(f);
  background_ = background;
  background->setPicture(ArtworkImage(artwork));
  background->installEventFilter(this);
  setAccessibleName(name);
  setWindowTitle(name);
  background->setAccessibleName(name);
  // The buttons take no focus: Enter belongs to the edits, never to a default
  // button that would close the dialog by surprise.
  for (TGradBtn* b : findChildren<TGradBtn*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    TUtilities::SetButtonNormal(b);
  }
  RoundForm(this, radius);
  TUtilities::RoundButtons(this);
}

void TTimerDialog::SetEditValid(QLineEdit* edit, bool valid) {
  QPalette p = edit->palette();
  p.setColor(QPalette::Base, valid ? QColor(Qt::white) : FromWinColor(WinColour::Red));
  edit->setPalette(p);
}

bool TTimerDialog::EditIsRed(const QLineEdit* edit) {
  return edit->palette().color(QPalette::Base) == FromWinColor(WinColour::Red);
}

void TTimerDialog::SelectAllOnClick(QLineEdit* edit) { edit->installEventFilter(this); }

void TTimerDialog::showEvent(QShowEvent* event) {
  const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
  const QRect area = over       ? over->frameGeometry()
                     : screen() ? screen()->availableGeometry()
                                : QRect(0, 0, 800, 600);
  move(area.center() - rect().center());
  // Panels are read out by their captions.
  for (TSmoothPanel* panel : findChildren<TSmoothPanel*>()) panel->setAccessibleName(panel->caption());
  QDialog::showEvent(event);
}

bool TTimerDialog::eventFilter(QObject* watched, QEvent* event) {
  if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
    // After the line edit has placed the cursor itself.
    if (event->type() == QEvent::MouseButtonRelease) QTimer::singleShot(0, edit, &QLineEdit::selectAll);
    return false;
  }
  if (watched != background_) return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      if (mouse->button() != Qt::LeftButton) return false;
      if (windowHandle() && windowHandle()->startSystemMove()) return true;
      dragging_ = true;
      dragOffset_ = mouse->globalPosition().toPoint() - pos();
      return true;
    case QEvent::MouseMove:
      if (!dragging_) return false;
      move(mouse->globalPosition().toPoint() - dragOffset_);
      return true;
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      return false;
    default:
      return false;
  }
}
