#include "gui/shell/HintWindow.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QPalette>
#include <QPointer>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

namespace {

int g_wakeUp = 0;
int g_show = 0;

// Gives a widget the program's display time just before its tool tip shows
// (QWidget uses its own toolTipDuration when it handles QEvent::ToolTip).
class TToolTipTimer : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
      auto* w = static_cast<QWidget*>(watched);
      if (w->toolTipDuration() <= 0) w->setToolTipDuration(g_show);
    }
    return false;
  }
};

QPointer<TToolTipTimer> g_timer;

}  // namespace

TMyHintWindow::TMyHintWindow(QStyle* base) : QProxyStyle(base) {}

void TMyHintWindow::Install(const QColor& background, int wakeUpMs, int showMs) {
  g_wakeUp = wakeUpMs;
  g_show = showMs;

  // Before the tool-tip palette and font: a new style resets them.
  if (!qobject_cast<TMyHintWindow*>(QApplication::style())) {
    // The proxy owns its base, and the application deletes its old style on
    // setStyle, so wrap a fresh copy of the current style.
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    QApplication::setStyle(new TMyHintWindow(base));
  }
  QPalette pal = QToolTip::palette();
  pal.setColor(QPalette::All, QPalette::ToolTipBase, background);
  pal.setColor(QPalette::All, QPalette::ToolTipText, Qt::black);
  pal.setColor(QPalette::All, QPalette::Window, background);
  pal.setColor(QPalette::All, QPalette::WindowText, Qt::black);
  QToolTip::setPalette(pal);
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(10);
  QToolTip::setFont(font);

  if (!g_timer) {
    g_timer = new TToolTipTimer(qApp);
    qApp->installEventFilter(g_timer);
  }
}

int TMyHintWindow::WakeUpDelay() { return g_wakeUp; }
int TMyHintWindow::ShowDuration() { return g_show; }

int TMyHintWindow::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
  if (hint == SH_ToolTip_WakeUpDelay && g_wakeUp > 0) return g_wakeUp;
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}
