#include "gui/shell/AfterFirstPaint.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

// Owned by the window; deletes itself once it has run.
class TAfterFirstPaint : public QObject {
 public:
  TAfterFirstPaint(QWidget* window, std::function<void()> then, int fallbackMs)
      : QObject(window), window_(window), then_(std::move(then)) {
    qApp->installEventFilter(this);
    QTimer::singleShot(fallbackMs, this, [this] { Run(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == window_) {
      qApp->removeEventFilter(this);
      // The paint pass ends with the flush; one turn of the loop later the
      // frame is on screen.
      QTimer::singleShot(0, this, [this] { QTimer::singleShot(0, this, [this] { Run(); }); });
    }
    return false;
  }

 private:
  void Run() {
    if (!then_) return;
    qApp->removeEventFilter(this);
    auto then = std::move(then_);
    then_ = nullptr;
    deleteLater();
    then();
  }

  QWidget* window_;
  std::function<void()> then_;
};

}  // namespace

void AfterFirstPaint(QWidget* window, std::function<void()> then, int fallbackMs) {
  new TAfterFirstPaint(window, std::move(then), fallbackMs);
}
