#include "gui/widgets/Gauge.h"

#include <QEvent>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <algorithm>

namespace {
// Columns of the fill's right end (its rounded outline) and the shadow after
// it, taken from the bar rendered half full.
constexpr int kEndColumns = 3;
constexpr int kShadowColumns = 1;
// Fills this close to either end are shaped differently by the style.
constexpr int kEndMargin = 8;
}  // namespace

TGauge::TGauge(QWidget* parent) : QProgressBar(parent) {}

int TGauge::fillWidth() const {
  const qint64 range = qint64(maximum()) - minimum();
  if (range <= 0) return value() >= maximum() ? width() : 0;
  const qint64 done = std::clamp<qint64>(qint64(value()) - minimum(), 0, range);
  return int(done * width() / range);
}

void TGauge::Prepare() {
  ensurePolished();
  if (empty_.isNull()) render();
}

void TGauge::render() {
  const qreal dpr = devicePixelRatioF();
  for (const int progress : {0, 1, 2}) {
    QPixmap pm(size() * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QStyleOptionProgressBar opt;
    initStyleOption(&opt);
    opt.minimum = 0;
    opt.maximum = 2;
    opt.progress = progress;
    opt.textVisible = false;
    QPainter p(&pm);
    style()->drawControl(QStyle::CE_ProgressBar, &opt, &p, this);
    p.end();
    (progress == 0 ? empty_ : progress == 1 ? half_ : full_) = pm;
  }
}

void TGauge::paintEvent(QPaintEvent* event) {
  // The pieces are for a plain bar filling left to right; any other (upright,
  // reversed, busy) is the style's own.
  if (orientation() != Qt::Horizontal || invertedAppearance() || layoutDirection() != Qt::LeftToRight ||
      maximum() <= minimum()) {
    QProgressBar::paintEvent(event);
    return;
  }
  QPainter p(this);
  QStyleOptionProgressBar opt;
  initStyleOption(&opt);
  const int fill = fillWidth();
  const int half = width() / 2;
  // A fill too short or too long for the pieces (the first and last pixels)
  // is drawn by the style itself.
  if (fill > 0 && fill < width() && (fill < kEndMargin || fill > width() - kEndMargin || half < kEndMargin)) {
    style()->drawControl(QStyle::CE_ProgressBar, &opt, &p, this);
    return;
  }
  if (empty_.isNull()) render();
  const qreal dpr = full_.devicePixelRatio();
  auto part = [&](const QPixmap& pm, int x, int w, int from) {
    if (w > 0) p.drawPixmap(QRectF(x, 0, w, height()), pm, QRectF(from * dpr, 0, w * dpr, height() * dpr));
  };
  if (fill <= 0 || fill >= width()) {
    p.drawPixmap(0, 0, fill > 0 ? full_ : empty_);
  } else {
    part(full_, 0, fill - kEndColumns, 0);
    part(half_, fill - kEndColumns, kEndColumns + kShadowColumns, half - kEndColumns);
    part(empty_, fill + kShadowColumns, width() - fill - kShadowColumns, fill + kShadowColumns);
  }
  if (isTextVisible()) style()->drawControl(QStyle::CE_ProgressBarLabel, &opt, &p, this);
}

void TGauge::resizeEvent(QResizeEvent* event) {
  QProgressBar::resizeEvent(event);
  empty_ = half_ = full_ = QPixmap();
}

void TGauge::changeEvent(QEvent* event) {
  QProgressBar::changeEvent(event);
  switch (event->type()) {
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
    case QEvent::FontChange:
    case QEvent::LayoutDirectionChange:
      empty_ = half_ = full_ = QPixmap();
      break;
    default:
      break;
  }
}
