#include "gui/shell/RoundForm.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>
#include <algorithm>

namespace {

const char* const kEdgeName = "RoundFormEdge";

// Transparent overlay above all children of the form; paints the smooth edge
// and keeps the form's mask in step with its size.
class TRoundEdge : public QWidget {
  Q_OBJECT
 public:
  TRoundEdge(QWidget* form, int radius, const QColor& edge) : QWidget(form), form_(form) {
    setObjectName(QLatin1String(kEdgeName));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    form->installEventFilter(this);
    configure(radius, edge);
    show();
  }

  void configure(int radius, const QColor& edge) {
    radius_ = radius;
    edge_ = edge;
    apply();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == form_) {
      switch (event->type()) {
        case QEvent::Resize:
          apply();
          break;
        case QEvent::ChildAdded:
          // The new child is not fully built yet; restack once it is.
          if (static_cast<QChildEvent*>(event)->child() != this)
            QMetaObject::invokeMethod(this, &QWidget::raise, Qt::QueuedConnection);
          break;
        case QEvent::Show:
          raise();
          break;
        default:
          break;
      }
    }
    return QWidget::eventFilter(watched, event);
  }

  void paintEvent(QPaintEvent*) override {
    if (radius_ <= 0) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outline(1, 1, width() - 1, height() - 1);
    const qreal r = std::min<qreal>(radius_, std::min(outline.width(), outline.height())) / 2.0;

    // Everything outside a smooth path just inside the mask gets the edge
    // colour: the mask cuts it off outside, and its antialiased inner side
    // hides the mask's steps.
    QPainterPath inner;
    inner.addRoundedRect(outline.adjusted(1.5, 1.5, -1.5, -1.5), std::max<qreal>(0, r - 1.5),
                         std::max<qreal>(0, r - 1.5));
    QPainterPath ring;
    ring.addRect(rect());
    p.fillPath(ring.subtracted(inner), edge_);

    // A faint light line inside the dark edge lifts it off the artwork.
    QColor light(255, 255, 255, 70);
    p.setPen(QPen(light, 1.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath highlight;
    highlight.addRoundedRect(outline.adjusted(2.0, 2.0, -2.0, -2.0), std::max<qreal>(0, r - 2.0),
                             std::max<qreal>(0, r - 2.0));
    p.drawPath(highlight);
  }

 private:
  void apply() {
    setGeometry(form_->rect());
    if (radius_ > 0) {
      form_->setMask(RoundedRegion(form_->size(), radius_));
      setVisible(true);
    } else {
      form_->clearMask();
      setVisible(false);
    }
    raise();
    form_->update();
  }

  QWidget* form_;
  int radius_ = 0;
  QColor edge_;
};

}  // namespace

QRegion RoundedRegion(const QSize& size, int radius) {
  const int w = size.width() - 1;  // (1, 1) .. (width, height), right and bottom excluded
  const int h = size.height() - 1;
  if (w <= 0 || h <= 0) return QRegion();
  const QRect box(1, 1, w, h);
  const int e = std::min({std::max(0, radius), w, h});
  if (e < 2) return QRegion(box);
  const int half = e / 2;
  QRegion region(box.adjusted(half, 0, -half, 0));
  region += QRegion(box.adjusted(0, half, 0, -half));
  region += QRegion(QRect(box.left(), box.top(), e, e), QRegion::Ellipse);
  region += QRegion(QRect(box.right() - e + 1, box.top(), e, e), QRegion::Ellipse);
  region += QRegion(QRect(box.left(), box.bottom() - e + 1, e, e), QRegion::Ellipse);
  region += QRegion(QRect(box.right() - e + 1, box.bottom() - e + 1, e, e), QRegion::Ellipse);
  return region;
}

void RoundForm(QWidget* form, int radius, const QColor& edge) {
  if (!form) return;
  auto* existing = form->findChild<TRoundEdge*>(QLatin1String(kEdgeName), Qt::FindDirectChildrenOnly);
  if (existing) {
    existing->configure(radius, edge);
    return;
  }
  new TRoundEdge(form, radius, edge);
}

#include "RoundForm.moc"
