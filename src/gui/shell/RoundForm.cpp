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
    renderedFor_ = QSize();
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
    const qreal dpr = devicePixelRatio();
    if (renderedFor_ != size() * dpr) {
      const int side = 2 * CornerSide() + 1;
      // Corners and one line of each side suffice: the sides are straight.
      small_ = dpr == 1.0 && width() >= side && height() >= side;
      picture_ = Render(small_ ? QSize(side, side) : size(), dpr);
      renderedFor_ = size() * dpr;
    }
    QPainter p(this);
    if (!small_) {
      for (const QRect& r : edge) p.drawImage(r, picture_, QRectF(r.topLeft() * dpr, r.size() * dpr));
      return;
    }
    // Nine pieces of the small picture: its corners as they are, its middle
    // row and column stretched along the sides (copied, not blended: no
    // smooth scaling). The pieces do not overlap.
    p.setClipRegion(edge);
    const int c = CornerSide(), w = width(), h = height(), right = w - c, bottom = h - c;
    const int pc = picture_.width() - c;  // the small picture's far corners
    p.drawImage(QRect(0, 0, c, c), picture_, QRect(0, 0, c, c));
    p.drawImage(QRect(right, 0, c, c), picture_, QRect(pc, 0, c, c));
    p.drawImage(QRect(0, bottom, c, c), picture_, QRect(0, pc, c, c));
    p.drawImage(QRect(right, bottom, c, c), picture_, QRect(pc, pc, c, c));
    p.drawImage(QRect(c, 0, right - c, kBand), picture_, QRect(c, 0, 1, kBand));
    p.drawImage(QRect(c, h - kBand, right - c, kBand), picture_,
                QRect(c, picture_.height() - kBand, 1, kBand));
    p.drawImage(QRect(0, c, kBand, bottom - c), picture_, QRect(0, c, kBand, 1));
    p.drawImage(QRect(w - kBand, c, kBand, bottom - c), picture_,
                QRect(picture_.width() - kBand, c, kBand, 1));
  }

 private:
  static constexpr int kBand = 5;  // the ring and the light line reach 4 pixels in from the sides

  qreal CornerRadius() const { return CornerRadius(size()); }
  qreal CornerRadius(QSize s) const {
    return std::min<qreal>(radius_, std::min(s.width() - 1, s.height() - 1)) / 2.0;
  }

  // The side of the square at each corner that holds its curve.
  int CornerSide() const { return int(std::ceil(CornerRadius())) + kBand; }

  // The pixels the edge can touch: a band along the sides and the corners.
  QRegion EdgeArea() const {
    const int corner = CornerSide();
    QRegion inside(rect().adjusted(kBand, kBand, -kBand, -kBand));
    inside -= QRect(0, 0, corner, corner);
    inside -= QRect(width() - corner, 0, corner, corner);
    inside -= QRect(0, height() - corner, corner, corner);
    inside -= QRect(width() - corner, height() - corner, corner, corner);
    return QRegion(rect()) - inside;
  }

  // The edge of a form of size `s`: everything outside a smooth path just
  // inside the mask gets the edge colour; the mask cuts it off outside, and
  // its antialiased inner side hides the mask's steps. Transparent inside.
  QImage Render(QSize s, qreal dpr) const {
    const QRectF outline(1, 1, s.width() - 1, s.height() - 1);
    const qreal r = CornerRadius(s);
    QPainterPath inner;
    inner.addRoundedRect(outline.adjusted(1.5, 1.5, -1.5, -1.5), std::max<qreal>(0, r - 1.5),
                         std::max<qreal>(0, r - 1.5));
    QPainterPath ring;
    ring.addRect(QRectF(QPointF(), s));
    QImage picture(s * dpr, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(dpr);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(ring.subtracted(inner), edge_);
    // A faint light line inside the dark edge lifts it off the artwork.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath highlight;
    highlight.addRoundedRect(outline.adjusted(2.0, 2.0, -2.0, -2.0), std::max<qreal>(0, r - 2.0),
                             std::max<qreal>(0, r - 2.0));
    p.drawPath(highlight);
    return picture;
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
  // The edge over the whole form, or (small_) over a square form just large
  // enough for the corners, whose middle row and column are the sides.
  QImage picture_;
  bool small_ = false;
  QSize renderedFor_;  // the form's size in device pixels the picture is for
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
