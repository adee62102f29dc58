#include "gui/widgets/FitText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <algorithm>

#include "gui/widgets/ImageControl.h"

bool TextFits(const QFont& font, const QString& text, QSize box, int flags) {
  const QRect need =
      QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 10000), flags, DisplayText(text));
  return need.width() <= box.width() && need.height() <= box.height();
}

QFont FittingFont(const QFont& font, const QString& text, QSize box, int flags) {
  QFont f = font;
  const int designed = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  for (int px = designed; px >= kReadableFloorPx; --px) {
    f.setPixelSize(px);
    if (TextFits(f, text, box, flags)) return f;
  }
  f.setPixelSize(std::min(designed, kReadableFloorPx));
  return f;
}
