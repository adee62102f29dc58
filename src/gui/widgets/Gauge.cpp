#include "gui/widgets/Gauge.h"

#include <QBackingStore>
#include <QEvent>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QWindow>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

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
  if (empty_.isNull()) {
    render();
  } else if (!labelsReady_ || format() != labelsFormat_ || locale() != labelsLocale_) {
    prepareLabels();
  }
}

void TGauge::setBackdrop(const QPixmap& backdrop) {
  backdrop_ = backdrop;
  empty_ = half_ = full_ = QPixmap();
  labelsReady_ = false;
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
  framePainter_.reset();
  frame_ = QImage();
  frameFill_ = -1;
  frameLabel_ = nullptr;
  opaquePieces_ = {};
  if (opaque() && dpr == std::floor(dpr)) {
    std::array<QImage, 3> pieces = {empty_.toImage(), half_.toImage(), full_.toImage()};
    bool solid = true;
    for (QImage& piece : pieces) {
      piece = piece.convertToFormat(QImage::Format_ARGB32);
      for (int y = 0; y < piece.height() && solid; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(piece.constScanLine(y));
        solid = std::all_of(line, line + piece.width(), [](QRgb c) { return qAlpha(c) == 255; });
      }
      piece = piece.convertToFormat(QImage::Format_RGB32);
    }
    if (solid) opaquePieces_ = pieces;
  }
  prepareLabel();
  prepareLabels();
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
  const GlyphLabel label = makeGlyphLabel(pairs, opt.rect);
  if (!label.ok) return;
  QPainter p(&ours);
  p.setFont(font());
  drawGlyphLabel(&p, label, opt.rect, opt.progress, opt.palette);
  p.end();
  glyphLabel_ = ours == styles;
}

void TGauge::prepareLabels() {
  // The frame may show one of the labels about to be replaced.
  frameFill_ = -1;
  frameLabel_ = nullptr;
  labelsReady_ = true;
  labelsFormat_ = format();
  labelsLocale_ = locale();
  for (GlyphLabel& l : labels_) l = GlyphLabel();
  // Only a text made of the percentage alone is the same for every value
  // and maximum with that percentage.
  if (!glyphLabel_ || labelsFormat_.contains(QLatin1String("%v")) ||
      labelsFormat_.contains(QLatin1String("%m")))
    return;
  // As QProgressBar::text() writes it.
  QLocale locale = labelsLocale_;
  locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
  for (int percent = 0; percent <= 100; ++percent) {
    QString text = labelsFormat_;
    text.replace(QLatin1String("%p"), locale.toString(percent));
    labels_[size_t(percent)] = makeGlyphLabel(text, rect());
  }
}

const TGauge::GlyphLabel* TGauge::currentLabel() const {
  if (!labelsReady_ || format() != labelsFormat_ || locale() != labelsLocale_) return nullptr;
  // Where QProgressBar::text() has an answer of its own.
  const qint64 total = qint64(maximum()) - minimum();
  if (total <= 0 || value() < minimum() || value() == INT_MIN) return nullptr;
  const int percent = int((qint64(value()) - minimum()) * 100.0 / total);
  if (percent < 0 || percent > 100) return nullptr;
  const GlyphLabel& label = labels_[size_t(percent)];
  return label.ok ? &label : nullptr;
}

TGauge::GlyphLabel TGauge::makeGlyphLabel(const QString& text, const QRect& r) const {
  GlyphLabel label;
  label.text = text;
  const qsizetype n = text.size();
  QList<quint32> glyphs(n);
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = text.at(i).unicode();
    const int k = c == u'%' ? 10 : c - u'0';
    if (k < 0 || k > 10) return label;
    glyphs[i] = labelGlyphs_[size_t(k)];
  }
  const QList<QPointF> advances = labelFont_.advancesForGlyphIndexes(glyphs, QRawFont::KernedAdvances);
  QList<QPointF> positions(n);
  qreal textWidth = 0;
  for (qsizetype i = 0; i < n; ++i) {
    positions[i] = QPointF(textWidth, 0);
    textWidth += advances[i].x();
  }
  label.run.setRawFont(labelFont_);
  label.run.setGlyphIndexes(glyphs);
  label.run.setPositions(positions);
  const qreal ascent = labelFont_.ascent();
  label.origin = QPointF(r.x() + (r.width() - textWidth) / 2,
                         r.y() + (r.height() - (ascent + labelFont_.descent())) / 2 + ascent);
  label.width = textWidth;
  label.ok = true;
  return label;
}

void TGauge::drawGlyphLabel(QPainter* p, const GlyphLabel& label, const QRect& r, int fill,
                            const QPalette& palette) const {
  const QColor text = palette.color(QPalette::Text);
  const QColor over = palette.color(QPalette::HighlightedText);
  // One pass where the text lies wholly on one side of the fill's end.
  const int end = r.x() + fill;
  if (end <= label.origin.x() || end >= label.origin.x() + label.width) {
    p->setPen(end <= label.origin.x() ? text : over);
    p->drawGlyphRun(label.origin, label.run);
    return;
  }
  p->save();
  p->setClipRect(QRect(end, r.y(), r.width() - fill, r.height()));
  p->setPen(text);
  p->drawGlyphRun(label.origin, label.run);
  p->setClipRect(QRect(r.x(), r.y(), fill, r.height()));
  p->setPen(over);
  p->drawGlyphRun(label.origin, label.run);
  p->restore();
}

void TGauge::updateFrame(int fill, const GlyphLabel* label) {
  const int k = int(full_.devicePixelRatio());
  if (frame_.isNull()) {
    framePainter_.reset();
    frame_ = QImage(opaquePieces_[0].size(), QImage::Format_RGB32);
    frame_.setDevicePixelRatio(k);
    frameFill_ = -1;
  }
  if (fill == frameFill_ && label == frameLabel_) return;
  const int w = width();
  const auto& [empty, halfFull, full] = opaquePieces_;
  // Columns [from, to) as the pictures draw them at `fill`.
  auto rewrite = [&](int from, int to) {
    // Columns [x, end) from `piece`, its column x + shift.
    auto copy = [&](const QImage& piece, int x, int end, int shift) {
      x = std::max(x, from);
      end = std::min(end, to);
      if (end <= x) return;
      const qsizetype bytes = qsizetype(end - x) * k * 4;
      for (int y = 0; y < frame_.height(); ++y)
        std::memcpy(frame_.scanLine(y) + qsizetype(x) * k * 4,
                    piece.constScanLine(y) + qsizetype(x + shift) * k * 4, size_t(bytes));
    };
    if (fill <= 0 || fill >= w) {
      copy(fill > 0 ? full : empty, 0, w, 0);
    } else {
      copy(full, 0, fill - kEndColumns, 0);
      copy(halfFull, fill - kEndColumns, fill + kShadowColumns, w / 2 - fill);
      copy(empty, fill + kShadowColumns, w, 0);
    }
  };
  if (frameFill_ < 0) {
    rewrite(0, w);
  } else {
    if (fill != frameFill_)
      rewrite(std::max(0, std::min(fill, frameFill_) - kEndColumns),
              std::min(w, std::max(fill, frameFill_) + kShadowColumns));
    rewrite(labelFrom_, labelTo_);
  }
  labelFrom_ = labelTo_ = 0;
  if (label) {
    if (!framePainter_) framePainter_ = std::make_unique<QPainter>(&frame_);
    drawGlyphLabel(framePainter_.get(), *label, rect(), fill, palette());
    // Antialiased edges may reach a little past the glyphs' boxes.
    const QRectF box =
        label->run.boundingRect().translated(label->origin) | QRectF(label->origin.x(), 0, label->width, 1);
    labelFrom_ = std::max(0, int(std::floor(box.left())) - 2);
    labelTo_ = std::min(w, int(std::ceil(box.right())) + 2);
  }
  frameFill_ = fill;
  frameLabel_ = label;
}

bool TGauge::piecesFit(int fill) const {
  const int half = width() / 2;
  return fill <= 0 || fill >= width() ||
         (fill >= kEndMargin && fill <= width() - kEndMargin && half >= kEndMargin);
}

bool TGauge::canDrawNow() const {
  const QWidget* top = window();
  const QWindow* handle = top->windowHandle();
  if (!isVisible() || !updatesEnabled() || graphicsEffect() || !handle || !handle->isExposed() ||
      !top->backingStore() || opaquePieces_[0].isNull() || orientation() != Qt::Horizontal ||
      invertedAppearance() || layoutDirection() != Qt::LeftToRight || maximum() <= minimum())
    return false;
  // Nothing above the bar, and the bar wholly inside each parent.
  QRect r = geometry();
  for (const QWidget* w = this; !w->isWindow(); w = w->parentWidget()) {
    const QWidget* parent = w->parentWidget();
    if (!parent->rect().contains(r)) return false;
    const QObjectList& siblings = parent->children();
    for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(w)) + 1; i < siblings.size(); ++i) {
      const auto* sibling = qobject_cast<const QWidget*>(siblings.at(i));
      if (sibling && !sibling->isWindow() && sibling->isVisible() && sibling->geometry().intersects(r))
        return false;
    }
    r.translate(parent->pos());
  }
  return true;
}

void TGauge::setValueNow(int value) {
  if (!canDrawNow()) {
    setValue(value);
    return;
  }
  const int before = this->value();
  // The value without QProgressBar's repaint of the window's region.
  setAttribute(Qt::WA_UpdatesDisabled);
  setValue(value);
  setAttribute(Qt::WA_UpdatesDisabled, false);
  if (this->value() == before) return;
  const int fill = fillWidth();
  if (empty_.isNull() || !labelsReady_ || format() != labelsFormat_ || locale() != labelsLocale_) Prepare();
  const GlyphLabel* label = isTextVisible() ? currentLabel() : nullptr;
  // Ends of the fill and texts the pictures and glyphs do not draw are the
  // style's: the window repaints the bar as usual.
  if (!piecesFit(fill) || opaquePieces_[0].isNull() || (isTextVisible() && !label)) {
    repaint();
    return;
  }
  QWidget* top = window();
  QBackingStore* store = top->backingStore();
  const QRect r(mapTo(top, QPoint()), size());
  updateFrame(fill, label);
  store->beginPaint(r);
  // The frame is opaque: where the backing store is a plain 32-bit image of
  // the same pixel ratio its rows are copied in, else painted.
  QPaintDevice* device = store->paintDevice();
  QImage* target = device && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
  const int k = int(frame_.devicePixelRatio());
  const QRect pixels(r.topLeft() * k, r.size() * k);
  const bool copy = target && target->isDetached() && target->devicePixelRatio() == k &&
                    (target->format() == QImage::Format_RGB32 || target->format() == QImage::Format_ARGB32 ||
                     target->format() == QImage::Format_ARGB32_Premultiplied) &&
                    target->rect().contains(pixels) && frame_.size() == pixels.size();
  if (copy) {
    const qsizetype bytes = qsizetype(pixels.width()) * 4;
    for (int y = 0; y < pixels.height(); ++y)
      std::memcpy(target->scanLine(pixels.y() + y) + qsizetype(pixels.x()) * 4, frame_.constScanLine(y),
                  size_t(bytes));
  } else {
    QPainter p(device);
    p.drawImage(r.topLeft(), frame_);
  }
  store->endPaint();
  store->flush(r, top->windowHandle());
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
  const int fill = fillWidth();
  const int half = width() / 2;
  // A fill too short or too long for the pieces (the first and last pixels)
  // is drawn by the style itself.
  if (!piecesFit(fill)) {
    QStyleOptionProgressBar opt;
    initStyleOption(&opt);
    drawBackdrop(&p);
    style()->drawControl(QStyle::CE_ProgressBar, &opt, &p, this);
    return;
  }
  if (empty_.isNull()) {
    render();
  } else if (!labelsReady_ || format() != labelsFormat_ || locale() != labelsLocale_) {
    prepareLabels();
  }
  const qreal dpr = full_.devicePixelRatio();
  auto part = [&](const QPixmap& pm, int x, int w, int from) {
    if (w > 0) p.drawPixmap(QRectF(x, 0, w, height()), pm, QRectF(from * dpr, 0, w * dpr, height() * dpr));
  };
  if (!opaquePieces_[0].isNull()) {
    const GlyphLabel* label = isTextVisible() ? currentLabel() : nullptr;
    updateFrame(fill, label);
    p.drawImage(QPoint(0, 0), frame_);
    if (label || !isTextVisible()) return;
  } else if (fill <= 0 || fill >= width()) {
    p.drawPixmap(0, 0, fill > 0 ? full_ : empty_);
  } else {
    part(full_, 0, fill - kEndColumns, 0);
    part(half_, fill - kEndColumns, kEndColumns + kShadowColumns, half - kEndColumns);
    part(empty_, fill + kShadowColumns, width() - fill - kShadowColumns, fill + kShadowColumns);
  }
  if (!isTextVisible()) return;
  if (const GlyphLabel* label = currentLabel()) {
    drawGlyphLabel(&p, *label, rect(), fill, palette());
    return;
  }
  QStyleOptionProgressBar opt;
  initStyleOption(&opt);
  const GlyphLabel label = glyphLabel_ ? makeGlyphLabel(opt.text, opt.rect) : GlyphLabel();
  if (label.ok) {
    drawGlyphLabel(&p, label, opt.rect, fill, opt.palette);
  } else {
    style()->drawControl(QStyle::CE_ProgressBarLabel, &opt, &p, this);
  }
}

void TGauge::resizeEvent(QResizeEvent* event) {
  QProgressBar::resizeEvent(event);
  empty_ = half_ = full_ = QPixmap();
  glyphLabel_ = labelsReady_ = false;
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
      glyphLabel_ = labelsReady_ = false;
      break;
    default:
      break;
  }
}
