#include "gui/widgets/FitText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <algorithm>

#include "gui/widgets/ImageControl.h"

bool TextFits(const QFont& font, const QString& text, QSize box, int flags) {
  const QRect need =
      QFontMetrics(font).boundingRect(QRect(0, 0, box.width(), 10000), flags, DisplayText(text));
  return need.width() <= box.width() && need.height() <= box.height();
}

namespace {

// The search below measures the text at up to a dozen sizes; buttons ask
// again on every paint and labels on every resize, with the same answer.
// The fitted pixel size by font, text, box and flags (GUI thread only).
struct FitKey {
  QString font;  // QFont::key(): family, size, weight, style
  QString text;
  QSize box;
  int flags;
  bool operator==(const FitKey&) const = default;
};

size_t qHash(const FitKey& k, size_t seed = 0) {
  return qHashMulti(seed, k.font, k.text, k.box.width(), k.box.height(), k.flags);
}

int SearchFittingSize(const QFont& font, const QString& text, QSize box, int flags) {
  QFont f = font;
  const int designed = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  for (int px = designed; px >= kReadableFloorPx; --px) {
    f.setPixelSize(px);
    if (TextFits(f, text, box, flags)) return px;
  }
  return std::min(designed, kReadableFloorPx);
}

}  // namespace

QFont FittingFont(const QFont& font, const QString& text, QSize box, int flags) {
  static QHash<FitKey, int> fitted;
  // Bounded: texts typed into name fields pass through here too.
  constexpr qsizetype kMaxEntries = 1024;
  FitKey key{font.key(), text, box, flags};
  auto it = fitted.constFind(key);
  if (it == fitted.cend()) {
    if (fitted.size() >= kMaxEntries) fitted.clear();
    it = fitted.insert(std::move(key), SearchFittingSize(font, text, box, flags));
  }
  QFont f = font;
  f.setPixelSize(*it);
  return f;
}
