#include "gui/common/TileCaption.h"

#include <QFontMetrics>
#include <QTextLayout>

#include "gui/widgets/ImageControl.h"

namespace {

// The lines `text` takes at `width` pixels, breaking between words where it
// can and inside a word that is wider than the line.
QStringList WrapLines(const QString& text, const QFont& font, int width, bool breakWords) {
  QString t = text;
  t.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(t, font);
  QTextOption option;
  option.setWrapMode(breakWords ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::WordWrap);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    lines << t.mid(line.textStart(), line.textLength()).remove(QChar::LineSeparator).trimmed();
  }
  layout.endLayout();
  return lines;
}

}  // namespace

void SetTileCaption(TLabel* label, const QString& text) {
  // A long name gets a smaller font, and a long word is broken, rather than
  // the name being cut off.
  QFont f = label->font();
  const QString shown = DisplayText(text);
  QStringList lines;
  bool fits = false;
  // Whole words at a smaller size read better than a word cut in two (long
  // compound words are common in room names); only when no size keeps every
  // word whole is one broken.
  for (const bool breakWords : {false, true}) {
    for (int px = 16; px >= 10 && !fits; --px) {
      f.setPixelSize(px);
      lines = WrapLines(shown, f, label->width(), breakWords);
      // Measured as the label lays the lines out.
      const QRect r =
          QFontMetrics(f).boundingRect(QRect(0, 0, label->width(), 10000), Qt::AlignCenter | Qt::TextWordWrap,
                                       lines.join(QLatin1Char('\n')));
      fits = r.width() <= label->width() && r.height() <= label->height();
    }
    if (fits) break;
  }
  if (!fits && lines.size() > 2) {
    // Still too long at the smallest size: the second line ends in "...".
    const QString rest = lines.mid(1).join(QLatin1Char(' '));
    lines = QStringList{lines[0], QFontMetrics(f).elidedText(rest, Qt::ElideRight, label->width())};
  }
  label->setFont(f);
  label->setText(lines.join(QLatin1Char('\n')));
}
