#include "gui/widgets/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/widgets/FitText.h"

QString DisplayText(const QString& text) {
  if (!text.contains(QLatin1Char('\r'))) return text;
  QString s = text;
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

TImage::TImage(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void TImage::setTransparent(bool on) {
  transparent_ = on;
  rebuild();
}
void TImage::setStretch(bool on) {
  stretch_ = on;
  update();
}
void TImage::setCenter(bool on) {
  center_ = on;
  update();
}

void TImage::setPicture(const QImage& picture, std::optional<QRgb> transparentColour) {
  picture_ = picture;
  colour_ = transparentColour;
  rebuild();
}

QSize TImage::sizeHint() const { return picture_.isNull() ? QSize(32, 32) : picture_.size(); }

QImage TImage::drawnPicture() const { return drawn_; }

// The transparent colour is matched on RGB only; alpha bytes of the stored
// colour are ignored.
void TImage::rebuild() {
  if (picture_.isNull()) {
    drawn_ = QImage();
  } else if (picture_.format() == QImage::Format_RGB32 && !transparent_) {
    // Opaque and 32-bit: drawn the same as converted, so the pixels are
    // shared rather than copied (dialog backgrounds are large).
    drawn_ = picture_;
  } else if (picture_.hasAlphaChannel() || !transparent_) {
    drawn_ = picture_.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  } else {
    const QRgb key = (colour_ ? *colour_ : picture_.pixel(0, picture_.height() - 1)) & 0x00FFFFFFu;
    QImage img = picture_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
      QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < img.width(); ++x)
        if ((line[x] & 0x00FFFFFFu) == key) line[x] = 0;
    }
    drawn_ = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  }
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (drawn_.isNull()) return;
  QPainter p(this);
  if (stretch_) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), drawn_);
  } else if (center_) {
    p.drawImage((width() - drawn_.width()) / 2, (height() - drawn_.height()) / 2, drawn_);
  } else {
    p.drawImage(0, 0, drawn_);
  }
}

// A click is a press and release inside the control, as with a button.
void TImage::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
  down_ = true;
  emit pressed(this);
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(e);
  const bool was = down_;
  down_ = false;
  emit released(this);
  if (was && rect().contains(e->position().toPoint())) emit clicked(this);
}

void TImage::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(e);
  down_ = true;  // the release that follows is not another click
  emit doubleClicked(this);
  down_ = false;
}

TLabel::TLabel(QWidget* parent) : QLabel(parent) {}

TLabel::TLabel(const QString& text, QWidget* parent) : QLabel(parent) { setText(text); }

void TLabel::setText(const QString& text) {
  QLabel::setText(DisplayText(text));
  refit();
}

void TLabel::setFitText(bool on) {
  if (on == fit_) return;
  if (on) {
    designed_ = font();
    inherited_ = !testAttribute(Qt::WA_SetFont);
  }
  fit_ = on;
  if (on) {
    refit();
  } else {
    refitting_ = true;
    setFont(inherited_ ? QFont() : designed_);
    refitting_ = false;
  }
}

bool TLabel::textFits() const {
  return TextFits(font(), text(), contentsRect().size(), wordWrap() ? int(Qt::TextWordWrap) : 0);
}

void TLabel::refit() {
  if (!fit_) return;
  const QFont f =
      FittingFont(designed_, text(), contentsRect().size(), wordWrap() ? int(Qt::TextWordWrap) : 0);
  if (f == font()) return;
  refitting_ = true;
  // At the designed size an inherited font stays inherited.
  setFont(f == designed_ && inherited_ ? QFont() : f);
  refitting_ = false;
}

void TLabel::changeEvent(QEvent* e) {
  // A font set from outside (or inherited) is the new designed font.
  if (e->type() == QEvent::FontChange && fit_ && !refitting_) {
    designed_ = font();
    inherited_ = !testAttribute(Qt::WA_SetFont);
    refit();
  }
  QLabel::changeEvent(e);
}

void TLabel::resizeEvent(QResizeEvent* e) {
  QLabel::resizeEvent(e);
  refit();
}

QColor TLabel::fontColor() const { return palette().color(QPalette::WindowText); }

void TLabel::setFontColor(const QColor& c) {
  QPalette pal = palette();
  pal.setColor(QPalette::WindowText, c);
  pal.setColor(QPalette::Text, c);
  setPalette(pal);
}

void TLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) down_ = true;
  QLabel::mousePressEvent(e);
}

void TLabel::mouseReleaseEvent(QMouseEvent* e) {
  const bool was = down_ && e->button() == Qt::LeftButton;
  if (e->button() == Qt::LeftButton) down_ = false;
  QLabel::mouseReleaseEvent(e);
  if (was && rect().contains(e->position().toPoint())) emit clicked(this);
}

void TLabel::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return QLabel::mouseDoubleClickEvent(e);
  emit doubleClicked(this);
}
