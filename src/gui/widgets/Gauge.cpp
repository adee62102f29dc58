#include "gui/widgets/Gauge.h"

#include <QEvent>
#include <QGlyphRun>
#include <QImage>
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
// The characters of a percentage ("%p%" in the C locale's digits).
constexpr char16_t kLabelChars[] = u"0123456789%";
constexpr int kLabelCharCount = 11;
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

void TGauge::setBackdrop(const QPixmap& backdrop) {
  backdrop_ = backdrop;
  empty_ = half_ = full_ = QPixmap();
  updateOpaque();
  update();
}

void TGauge::updateOpaque() {
  setAttribute(Qt::WA_OpaquePaintEvent,
               !backdrop_.isNull() && backdrop_.deviceIndependentSize().toSize() == size());
}

void TGauge::drawBackdrop(QPainter* p) const {
  if (opaque()) p->drawPixmap(rect(), backdrop_);
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
    drawBackdrop(&p);
    style()->drawControl(QStyle::CE_ProgressBar, &opt, &p, this);
    p.end();
    (progress == 0 ? empty_ : progress == 1 ? half_ : full_) = pm;
  }
  prepareLabel();
}

void TGauge::prepareLabel() {
  glyphLabel_ = false;
  labelFont_ = QRawFont::fromFont(font());
  if (!labelFont_.isValid()) return;
  const QList<quint32> glyphs = labelFont_.glyphIndexesForString(QString::fromUtf16(kLabelChars));
  if (glyphs.size() != kLabelCharCount || glyphs.contains(0)) return;
  std::copy(glyphs.begin(), glyphs.end(), labelGlyphs_.begin());
  // The style shapes the text itself (kerning, placement, colours). Every
  // pair of the characters side by side, in both colours, must come out as
  // the style draws it.
  QString pairs;
  for (const char16_t a : kLabelChars)
    for (const char16_t b : kLabelChars)
      if (a && b) pairs += QString::fromUtf16(&a, 1) + QString::fromUtf16(&b, 1);
  QStyleOptionProgressBar opt;
  initStyleOption(&opt);
  opt.text = pairs;
  opt.textVisible = true;
  opt.rect = QRect(0, 0, QFontMetrics(font()).horizontalAdvance(pairs) + 40, height());
  opt.minimum = 0;
  opt.maximum = opt.rect.width();
  opt.progress = opt.rect.width() / 2;
  const qreal dpr = devicePixelRatioF();
  QImage styles(opt.rect.size() * dpr, QImage::Format_ARGB32_Premultiplied);
  styles.setDevicePixelRatio(dpr);
  styles.fill(Qt::transparent);
  QImage ours = styles;
  {
    QPainter p(&styles);
    p.setFont(font());
    style()->drawControl(QStyle::CE_ProgressBarLabel, &opt, &p, this);
  }
  QPainter p(&ours);
  p.setFont(font());
  glyphLabel_ = drawGlyphLabel(&p, opt, opt.progress) && ours == styles;
}

bool TGauge::drawGlyphLabel(QPainter* p, const QStyleOptionProgressBar& opt, int fill) const {
  const qsizetype n = opt.text.size();
  QList<quint32> glyphs(n);
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = opt.text.at(i).unicode();
    const int k = c == u'%' ? 10 : c - u'0';
    if (k < 0 || k > 10) return false;
    glyphs[i] = labelGlyphs_[size_t(k)];
  }
  const QList<QPointF> advances = labelFont_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
  QList<QPointF> positions(n);
  qreal textWidth = 0;
  for (qsizetype i = 0; i < n; ++i) {
    positions[i] = QPointF(textWidth, 0);
    textWidth += advances[i].x();
  }
  QGlyphRun run;
  run.setRawFont(labelFont_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  const QRect& r = opt.rect;
  const qreal ascent = labelFont_.ascent();
  const QPointF origin(r.x() + (r.width() - textWidth) / 2,
                       r.y() + (r.height() - (ascent + labelFont_.descent())) / 2 + ascent);
  const QColor text = opt.palette.color(QPalette::Text);
  const QColor over = opt.palette.color(QPalette::HighlightedText);
  // One pass where the text lies wholly on one side of the fill's end.
  const int end = r.x() + fill;
  if (end <= origin.x() || end >= origin.x() + textWidth) {
    p->setPen(end <= origin.x() ? text : over);
    p->drawGlyphRun(origin, run);
    return true;
  }
  p->save();
  p->setClipRect(QRect(end, r.y(), r.width() - fill, r.height()));
  p->setPen(text);
  p->drawGlyphRun(origin, run);
  p->setClipRect(QRect(r.x(), r.y(), fill, r.height()));
  p->setPen(over);
  p->drawGlyphRun(origin, run);
  p->restore();
  return true;
}

void TGauge::paintEvent(QPaintEvent* event) {
  // The pieces are for a plain bar filling left to right; any other (upright,
  // reversed, busy) is the style's own.
  if (orientation() != Qt::Horizontal || invertedAppearance() || layoutDirection() != Qt::LeftToRight ||
      maximum() <= minimum()) {
    if (opaque()) {
      QPainter p(this);
      drawBackdrop(&p);
    }
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
    drawBackdrop(&p);
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
  if (isTextVisible() && !(glyphLabel_ && drawGlyphLabel(&p, opt, fill)))
    style()->drawControl(QStyle::CE_ProgressBarLabel, &opt, &p, this);
}

void TGauge::resizeEvent(QResizeEvent* event) {
  QProgressBar::resizeEvent(event);
  empty_ = half_ = full_ = QPixmap();
  glyphLabel_ = false;
  updateOpaque();
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
      glyphLabel_ = false;
      break;
    default:
      break;
  }
}
