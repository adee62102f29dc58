#include "gui/widgets/SmoothPanel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "gui/widgets/FitText.h"

TSmoothPanel::TSmoothPanel(QWidget* parent) : QWidget(parent) {
  // Nothing but our own painting: with a transparent fill the parent shows
  // through, also in the rounded-off corners.
  setAutoFillBackground(false);
}

void TSmoothPanel::setCornerRadius(int radius) {
  radius_ = std::max(0, radius);
  update();
}

void TSmoothPanel::setTransparentFill(bool on) {
  transparent_ = on;
  update();
}

void TSmoothPanel::setGradientFrom(const QColor& c) {
  from_ = c;
  update();
}

void TSmoothPanel::setGradientTo(const QColor& c) {
  to_ = c;
  update();
}

void TSmoothPanel::setGradient(const QColor& from, const QColor& to) {
  from_ = from;
  to_ = to;
  transparent_ = false;
  update();
}

void TSmoothPanel::setBorderVisible(bool on) {
  border_ = on;
  update();
}

void TSmoothPanel::setBorderColor(const QColor& c) {
  borderColor_ = c;
  update();
}

void TSmoothPanel::setBorderWidth(int width) {
  borderWidth_ = std::max(1, width);
  update();
}

void TSmoothPanel::setCaption(const QString& text) {
  caption_ = text;
  updateMargins();
  update();
}

void TSmoothPanel::setCaptionColor(const QColor& c) {
  captionColor_ = c;
  update();
}

void TSmoothPanel::setCaptionBand(bool on) {
  band_ = on;
  update();
}

void TSmoothPanel::setCaptionFrom(const QColor& c) {
  bandFrom_ = c;
  update();
}

void TSmoothPanel::setCaptionTo(const QColor& c) {
  bandTo_ = c;
  update();
}

void TSmoothPanel::setCaptionAlignment(Qt::Alignment a) {
  captionAlign_ = a;
  update();
}

QFont TSmoothPanel::captionFont() const {
  if (captionFontSet_) return captionFont_;
  QFont f = font();
  f.setBold(true);
  return f;
}

void TSmoothPanel::setCaptionFont(const QFont& f) {
  captionFont_ = f;
  captionFontSet_ = true;
  updateMargins();
  update();
}

int TSmoothPanel::captionHeight() const {
  if (caption_.isEmpty()) return 0;
  return QFontMetrics(captionFont()).height() + 10;
}

QRect TSmoothPanel::captionTextRect() const {
  // Keep the text clear of the rounded corners.
  const qreal inset = border_ && borderColor_.alpha() > 0 ? borderWidth_ / 2.0 : 0.0;
  const qreal r = std::min<qreal>(radius_, std::min(width() - 2 * inset, height() - 2 * inset) / 2.0);
  const int side = std::max<int>(6, int(r / 2) + 4);
  return QRect(side, 0, width() - 2 * side, captionHeight());
}

QFont TSmoothPanel::captionDrawFont() const {
  return FittingFont(captionFont(), caption_, captionTextRect().size(), 0);
}

bool TSmoothPanel::captionFits() const {
  return TextFits(captionDrawFont(), caption_, captionTextRect().size(), 0);
}

void TSmoothPanel::updateMargins() { setContentsMargins(0, captionHeight(), 0, 0); }

void TSmoothPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) {
    updateMargins();
    update();
  }
  QWidget::changeEvent(event);
}

void TSmoothPanel::paintEvent(QPaintEvent*) {
  const bool drawBorder = border_ && borderColor_.alpha() > 0;
  const bool drawFill = !transparent_ && (from_.alpha() > 0 || to_.alpha() > 0);
  if (!drawBorder && !drawFill && caption_.isEmpty()) return;

  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  // Half the pen lies outside the path, so inset by it to keep the whole
  // border inside the widget.
  const qreal inset = drawBorder ? borderWidth_ / 2.0 : 0.0;
  const QRectF shape = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
  const qreal r = std::min<qreal>(radius_, std::min(shape.width(), shape.height()) / 2.0);
  QPainterPath path;
  path.addRoundedRect(shape, r, r);

  if (drawFill) {
    QLinearGradient g(shape.topLeft(), shape.bottomLeft());
    g.setColorAt(0, from_);
    g.setColorAt(1, to_);
    p.fillPath(path, g);
  }

  if (!caption_.isEmpty()) {
    const int h = captionHeight();
    if (band_) {
      p.save();
      p.setClipPath(path);
      QLinearGradient g(0, 0, 0, h);
      g.setColorAt(0, bandFrom_);
      g.setColorAt(1, bandTo_);
      p.fillRect(QRectF(0, 0, width(), h), g);
      QColor line = bandTo_.darker(140);
      line.setAlpha(160);
      p.setPen(QPen(line, 1));
      p.drawLine(QPointF(0, h - 0.5), QPointF(width(), h - 0.5));
      p.restore();
    }
    const QRect textRect = captionTextRect();
    const QFont f = captionDrawFont();
    p.setFont(f);
    p.setPen(captionColor_);
    const QString text = QFontMetrics(f).elidedText(caption_, Qt::ElideRight, textRect.width());
    p.drawText(textRect, int(captionAlign_ & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, text);
  }

  if (drawBorder) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(borderColor_, borderWidth_));
    p.drawPath(path);
  }
}
