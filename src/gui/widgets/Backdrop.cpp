#include "gui/widgets/Backdrop.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResource>
#include <cstring>

std::optional<TBandedPicture> TBandedPicture::FromResource(const QString& path) {
  const QResource resource(path);
  if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return std::nullopt;
  const uchar* data = resource.data();
  constexpr qint64 kHead = 7;
  if (!data || reinterpret_cast<quintptr>(data) % 4 != 0 || resource.size() < kHead * 4) return std::nullopt;
  const auto* words = reinterpret_cast<const uint32_t*>(data);
  TBandedPicture p;
  if (words[0] != 0x444e4142u || words[1] == 0 || words[2] == 0 || words[1] > 8192 || words[2] > 8192)
    return std::nullopt;
  p.width_ = int(words[1]);
  p.height_ = int(words[2]);
  p.left_ = int(words[3]);
  p.right_ = int(words[4]);
  p.top_ = int(words[5]);
  p.bottom_ = int(words[6]);
  if (p.left_ > p.right_ || p.right_ > p.width_ || p.top_ > p.bottom_ || p.bottom_ > p.height_)
    return std::nullopt;
  const qint64 middle = p.bottom_ - p.top_;
  const qint64 count = kHead + qint64(p.width_) * (p.top_ + p.height_ - p.bottom_) +
                       middle * (p.left_ + p.width_ - p.right_) + middle;
  if (resource.size() < count * 4) return std::nullopt;
  const uint32_t* at = words + kHead;
  // Read-only images over the resource: drawn without a copy.
  auto take = [&at](int w, int h) {
    QImage part(reinterpret_cast<const uchar*>(at), w, h, qsizetype(w) * 4, QImage::Format_RGB32);
    at += qint64(w) * h;
    return part;
  };
  p.topBand_ = take(p.width_, p.top_);
  p.bottomBand_ = take(p.width_, p.height_ - p.bottom_);
  p.leftBorder_ = take(p.left_, int(middle));
  p.rightBorder_ = take(p.width_ - p.right_, int(middle));
  p.colours_ = at;
  return p;
}

void TBandedPicture::Paint(QPainter& p, const QRect& exposed) const {
  auto blit = [&](const QImage& part, QPoint at) {
    const QRect r = QRect(at, part.size()) & exposed;
    if (!r.isEmpty()) p.drawImage(r.topLeft(), part, r.translated(-at));
  };
  blit(topBand_, {0, 0});
  blit(bottomBand_, {0, bottom_});
  blit(leftBorder_, {0, top_});
  blit(rightBorder_, {right_, top_});
  // The middle: rows of one colour in a run are one fill.
  const QRect middle = QRect(left_, top_, right_ - left_, bottom_ - top_) & exposed;
  for (int y = middle.top(); y <= middle.bottom();) {
    const uint32_t c = colours_[y - top_];
    int end = y + 1;
    while (end <= middle.bottom() && colours_[end - top_] == c) ++end;
    p.fillRect(QRect(middle.left(), y, middle.width(), end - y), QColor::fromRgb(c));
    y = end;
  }
}

QImage TBandedPicture::ToImage() const {
  QImage image(width_, height_, QImage::Format_RGB32);
  if (image.isNull()) return image;
  QPainter p(&image);
  Paint(p, image.rect());
  return image;
}

void TBackdrop::paintEvent(QPaintEvent* event) {
  if (!banded_) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter p(this);
  banded_->Paint(p, event->rect());
}
