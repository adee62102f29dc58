#include "gui/shell/RoundForm.h"

#include <QEvent>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

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
    pieces_.clear();
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
    // nothing; elsewhere the edge is copied from its pieces.
    const QRegion edge = event->region() & EdgeArea();
    if (edge.isEmpty()) return;
    if (renderedFor_ != size() * devicePixelRatio()) renderEdge();
    QPainter p(this);
    // Each pixel once: the edge is translucent, and pieces may overlap.
    QRegion left = edge;
    for (const Piece& piece : pieces_) {
      const QRegion part = left & piece.area;
      left -= part;
      const qreal dpr = piece.picture.devicePixelRatio();
      for (const QRect& r : part)
        p.drawImage(r, piece.picture, QRectF((r.topLeft() - piece.area.topLeft()) * dpr, r.size() * dpr));
    }
  }

 private:
  qreal CornerRadius() const {
    const QRectF outline(1, 1, width() - 1, height() - 1);
    return std::min<qreal>(radius_, std::min(outline.width(), outline.height())) / 2.0;
  }

  static constexpr int kBand = 5;  // the ring and the light line reach 4 pixels in

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

  // The edge area in eight pieces (corners, then the bands between them),
  // drawn each as a picture rather than one picture of the whole form,
  // which is nearly all transparent: a few kilobytes instead of
  // width x height x 4 bytes. On a small form they may overlap.
  std::array<QRect, 8> PieceAreas() const {
    const int w = width(), h = height(), c = CornerSide();
    const std::array<QRect, 8> areas{QRect(0, 0, c, c),
                                     QRect(w - c, 0, c, c),
                                     QRect(0, h - c, c, c),
                                     QRect(w - c, h - c, c, c),
                                     QRect(c, 0, w - 2 * c, kBand),
                                     QRect(c, h - kBand, w - 2 * c, kBand),
                                     QRect(0, c, kBand, h - 2 * c),
                                     QRect(w - kBand, c, kBand, h - 2 * c)};
    std::array<QRect, 8> inForm;
    for (size_t i = 0; i < areas.size(); ++i) inForm[i] = areas[i] & rect();
    return inForm;
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
    ring = ring.subtracted(inner);
    // A faint light line inside the dark edge lifts it off the artwork.
    QPainterPath highlight;
    highlight.addRoundedRect(outline.adjusted(2.0, 2.0, -2.0, -2.0), std::max<qreal>(0, r - 2.0),
                             std::max<qreal>(0, r - 2.0));
    const qreal dpr = devicePixelRatio();
    pieces_.clear();
    for (const QRect& area : PieceAreas()) {
      if (area.isEmpty()) continue;
      Piece piece{area, QImage(area.size() * dpr, QImage::Format_ARGB32_Premultiplied)};
      piece.picture.setDevicePixelRatio(dpr);
      piece.picture.fill(Qt::transparent);
      QPainter p(&piece.picture);
      p.setRenderHint(QPainter::Antialiasing);
      p.translate(-area.topLeft());
      p.fillPath(ring, edge_);
      p.setPen(QPen(QColor(255, 255, 255, 70), 1.0));
      p.setBrush(Qt::NoBrush);
      p.drawPath(highlight);
      p.end();
      pieces_.push_back(std::move(piece));
    }
    renderedFor_ = size() * dpr;
  }

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
  struct Piece {
    QRect area;      // in the form
    QImage picture;  // the edge over `area`, transparent inside
  };
  std::vector<Piece> pieces_;
  QSize renderedFor_;  // the form's size in device pixels the pieces were drawn for
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
