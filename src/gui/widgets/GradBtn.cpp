#include "gui/widgets/GradBtn.h"

#include <QBitmap>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStyleOptionButton>
#include <map>
#include <tuple>

#include "gui/widgets/Colours.h"
#include "gui/widgets/FitText.h"
#include "gui/widgets/ImageControl.h"

TGradBtn::TGradBtn(QWidget* parent) : TGradBtn(QString(), parent) {}

TGradBtn::TGradBtn(const QString& text, QWidget* parent)
    : QPushButton(text, parent),
      from_(FromWinColor(WinColour::Grey)),
      to_(FromWinColor(WinColour::White)),
      font_(Qt::black) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  setCursor(Qt::PointingHandCursor);
}

void TGradBtn::setGradientFrom(const QColor& c) {
  from_ = c;
  update();
}
void TGradBtn::setGradientTo(const QColor& c) {
  to_ = c;
  update();
}
void TGradBtn::setFontColor(const QColor& c) {
  font_ = c;
  update();
}
void TGradBtn::setColours(const QColor& from, const QColor& to, const QColor& font) {
  from_ = from;
  to_ = to;
  font_ = font;
  update();
}

void TGradBtn::setRoundCorners(int corner) {
  corner_ = qMax(0, corner);
  applyMask();
  update();
}

QSize TGradBtn::sizeHint() const { return QSize(130, 40); }

// The Windows round-rect region from (1, 1) to (w, h) covers pixels 1..w-1 and
// 1..h-1; the mask is drawn without antialiasing so it is exactly that area.
void TGradBtn::applyMask() {
  if (corner_ <= 0 || width() < 2 || height() < 2) {
    maskedAs_ = {};
    clearMask();
    return;
  }
  // A button is shown with the size it was rounded at: its first resize
  // event does not draw the same mask again.
  if (maskedAs_ == std::pair{size(), corner_}) return;
  maskedAs_ = {size(), corner_};
  // Buttons of one size and corner share the region, made once (most
  // buttons have the same size; turning a bitmap into a region is costly).
  static std::map<std::tuple<int, int, int>, QRegion> regions;  // GUI thread only
  QRegion& region = regions[{width(), height(), corner_}];
  if (region.isEmpty()) {
    QBitmap mask(size());
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::color1);
    QPainterPath path;
    path.addRoundedRect(QRectF(1, 1, width() - 1, height() - 1), corner_ / 2.0, corner_ / 2.0);
    p.drawPath(path);
    p.end();
    region = QRegion(mask);
  }
  setMask(region);
}

void TGradBtn::resizeEvent(QResizeEvent* e) {
  QPushButton::resizeEvent(e);
  applyMask();
}

void TGradBtn::enterEvent(QEnterEvent* e) {
  hover_ = true;
  update();
  QPushButton::enterEvent(e);
}

void TGradBtn::leaveEvent(QEvent* e) {
  hover_ = false;
  update();
  QPushButton::leaveEvent(e);
}

namespace {
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

QColor Washed(const QColor& c) {
  // Disabled: half-way to light grey, so the button visibly steps back.
  const QColor g(200, 200, 200);
  return QColor((c.red() + g.red()) / 2, (c.green() + g.green()) / 2, (c.blue() + g.blue()) / 2);
}
}  // namespace

void TGradBtn::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QColor top = from_, bottom = to_, text = font_;
  const bool down = isDown() || (isCheckable() && isChecked());
  if (!isEnabled()) {
    top = Washed(top);
    bottom = Washed(bottom);
    text = QColor(150, 150, 150);
  } else if (down) {
    top = top.darker(125);
    bottom = bottom.darker(125);
  } else if (hover_) {
    top = top.lighter(112);
    bottom = bottom.lighter(106);
  }

  QRectF r = corner_ > 0 ? QRectF(1, 1, width() - 1, height() - 1) : QRectF(rect());
  const qreal radius = corner_ / 2.0;
  QPainterPath path;
  path.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillPath(path, g);

  // Smooth edge over the hard mask boundary, and a frame that reads as a
  // button on light and dark backgrounds alike.
  QColor edge = top.darker(150);
  edge.setAlpha(isEnabled() ? 200 : 110);
  p.setPen(QPen(edge, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);

  QRect textRect = captionRect();
  if (down) textRect.translate(1, 1);
  p.setPen(text);
  p.setFont(captionFont());
  if (!icon().isNull()) {
    const QSize is = iconSize();
    const QRect ir(textRect.left() - 4 - is.width(), textRect.center().y() - is.height() / 2, is.width(),
                   is.height());
    icon().paint(&p, ir, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
  }
  p.drawText(textRect, kCaptionFlags, DisplayText(QPushButton::text()));
}

QRect TGradBtn::captionRect() const {
  QRect r = rect().adjusted(4, 2, -4, -2);
  if (!icon().isNull()) r.setLeft(r.left() + 4 + iconSize().width() + 4);
  return r;
}

QFont TGradBtn::captionFont() const {
  return FittingFont(font(), QPushButton::text(), captionRect().size(), kCaptionFlags);
}

bool TGradBtn::captionFits() const {
  return TextFits(captionFont(), QPushButton::text(), captionRect().size(), kCaptionFlags);
}
