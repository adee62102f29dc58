#include "gui/shell/RoundForm.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cmath>

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
    picture_ = QImage();
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

  void paintEvent(QPaintEvent* event) override {
    if (radius_ <= 0) return;
    // Most repaints are of a control inside the form, where the edge has
    // nothing; elsewhere the edge is copied from its picture.
    const QRegion edge = event->region() & edgeArea_;
    if (edge.isEmpty()) return;
    if (picture_.size() != size() * devicePixelRatio()) renderEdge();
    QPainter p(this);
    for (const QRect& r : edge)
      p.drawImage(r, picture_,
                  QRectF(r.topLeft() * picture_.devicePixelRatio(), r.size() * picture_.devicePixelRatio()));
  }

 private:
  qreal CornerRadius() const {
    const QRectF outline(1, 1, width() - 1, height() - 1);
    return std::min<qreal>(radius_, std::min(outline.width(), outline.height())) / 2.0;
  }

  // The pixels the edge can touch: a band along the sides (the ring and the
  // light line reach 4 pixels in) and the corners.
  QRegion EdgeArea() const {
    constexpr int kBand = 5;
    const int corner = int(std::ceil(CornerRadius())) + kBand;
    QRegion inside(rect().adjusted(kBand, kBand, -kBand, -kBand));
    inside -= QRect(0, 0, corner, corner);
    inside -= QRect(width() - corner, 0, corner, corner);
    inside -= QRect(0, height() - corner, corner, corner);
    inside -= QRect(width() - corner, height() - corner, corner, corner);
    return QRegion(rect()) - inside;
  }

  // Everything outside a smooth path just inside the mask gets the edge
  // colour: the mask cuts it off outside, and its antialiased inner side
  // hides the mask's steps.
  void renderEdge() {
    const QRectF outline(1, 1, width() - 1, height() - 1);
    const qreal r = CornerRadius();
    QPainterPath inner;
    inner.addRoundedRect(outline.adjusted(1.5, 1.5, -1.5, -1.5), std::max<qreal>(0, r - 1.5),
                         std::max<qreal>(0, r - 1.5));
    QPainterPath ring;
    ring.addRect(rect());
    const qreal dpr = devicePixelRatio();
    picture_ = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
    picture_.setDevicePixelRatio(dpr);
    picture_.fill(Qt::transparent);
    QPainter p(&picture_);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(ring.subtracted(inner), edge_);
    // A faint light line inside the dark edge lifts it off the artwork.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath highlight;
    highlight.addRoundedRect(outline.adjusted(2.0, 2.0, -2.0, -2.0), std::max<qreal>(0, r - 2.0),
                             std::max<qreal>(0, r - 2.0));
    p.drawPath(highlight);
  }

  void apply() {
    setGeometry(form_->rect());
    edgeArea_ = EdgeArea();
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
  QImage picture_;    // the edge as drawn over the whole form, transparent inside
  QRegion edgeArea_;  // EdgeArea() at the current size and radius
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
