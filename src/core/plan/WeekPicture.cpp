#include "core/plan/WeekPicture.h"

#include <QFontMetrics>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

#include "core/model/LoadSave.h"
#include "core/shell/Language.h"

namespace {

// Inside the content panel (598 x 504), clear of its rounded corners.
constexpr int PictureWidth = 590;
constexpr int PictureHeight = 496;
constexpr int AxisWidth = 26;
constexpr int HeaderHeight = 20;
constexpr int DayWidth = (PictureWidth - AxisWidth) / 7;
constexpr int MinutesPerDay = 1440;
constexpr int TickWidth = 6;  // the mark at the exact time, at the column's left edge

const QColor DayColour(0xff, 0xfc, 0xf0);
const QColor NightColour(0xd5, 0xdb, 0xe8);
const QColor GridColour(0xc8, 0xc8, 0xc8);
const QColor TextColour(0x20, 0x20, 0x20);
const QColor ConflictColour(0x10, 0x10, 0x10);  // shows on red, green and yellow alike

QColor ActionColour(int aktie) {
  if (aktie == 0) return QColor(0xc9, 0x2a, 0x2a);   // off: red
  if (aktie == 17) return QColor(0x2b, 0x8a, 0x3e);  // on: green
  return QColor(0xf2, 0xc2, 0x1b);                   // dim: yellow
}

QColor LabelTextColour(int aktie) { return aktie == 0 || aktie == 17 ? Qt::white : Qt::black; }

const TextId WeekdayText[7] = {TextId::Mo, TextId::Tu, TextId::We, TextId::Th,
                               TextId::Fr, TextId::Sa, TextId::Su};

struct Label {
  const TPlanAction* Action;  // the first of the actions it stands for
  QStringList Names;          // their devices
  int Mark;                   // y of the exact time
  int Top;                    // y of the label after moving labels apart
};

// Actions in the same minute doing the same thing share one label.
bool SameLabel(const TPlanAction& a, const TPlanAction& b) {
  return a.Date == b.Date && a.Minute == b.Minute && a.Aktie == b.Aktie && a.Random == b.Random &&
         !a.Conflict && !b.Conflict;
}

// "7:30 Lamp, Spot on". Time, names and action as far as they fit; when the
// names would get too little room a dim level is written "8/16" and an on or
// off word is left to the label's colour.
QString LabelText(const Label& l, const QFontMetrics& fm, int width) {
  constexpr int MinNameWidth = 30;
  const TPlanAction& a = *l.Action;
  QString time = TWeekPlan::TimeText(a).left(5);
  if (time.startsWith(QLatin1Char('0'))) time.remove(0, 1);
  if (a.Random) time.prepend(QLatin1Char('~'));
  if (a.Conflict) time.prepend(QLatin1Char('!'));
  QString action = QLatin1Char(' ') + TWeekPlan::ActionText(a.Aktie);
  if (l.Names.isEmpty()) return time + action;
  const auto room = [&] { return width - fm.horizontalAdvance(time + QLatin1Char(' ') + action); };
  if (room() < MinNameWidth) {
    const bool dim = a.Aktie > 0 && a.Aktie < 17;
    action = dim ? QStringLiteral(" %1/16").arg(a.Aktie) : QString();
  }
  const QString names =
      fm.elidedText(l.Names.join(QStringLiteral(", ")), Qt::ElideRight, std::max(room(), 0));
  return time + QLatin1Char(' ') + names + action;
}

// Spreads labels of height `h` so that none overlap, each as near its mark
// as the others allow, all within [top, bottom].
void Spread(std::vector<Label>& labels, int h, int top, int bottom) {
  int next = top;
  for (Label& l : labels) {
    l.Top = std::max(l.Mark - h / 2, next);
    next = l.Top + h;
  }
  int limit = bottom;
  for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
    it->Top = std::min(it->Top, limit - h);
    limit = it->Top;
  }
  // When there are more labels than room, the first ones may now lie above
  // the top; they keep the order and overlap instead of leaving the picture.
  for (Label& l : labels) l.Top = std::max(l.Top, top);
}

}  // namespace

QSize TWeekPicture::SizeFor(int days) {
  return QSize(std::max(PictureWidth, AxisWidth + DayWidth * days), PictureHeight);
}

QImage TWeekPicture::Draw(const TWeekPlan& plan, const TLoadSave& installation, const QSize& size,
                          bool deviceNames) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);

  const int days = std::max<int>(1, int(plan.Days.size()));
  const int columnWidth = (size.width() - AxisWidth) / days;
  const int plotTop = HeaderHeight;
  const int plotHeight = size.height() - HeaderHeight - 1;
  const auto yOf = [&](int minute) { return plotTop + minute * plotHeight / MinutesPerDay; };

  QFont small;
  small.setPixelSize(10);
  small.setStretch(QFont::Condensed);
  QFont header = small;
  header.setPixelSize(11);
  header.setStretch(QFont::Unstretched);
  header.setBold(true);

  // Hours on the left.
  p.setFont(small);
  p.setPen(TextColour);
  for (int h = 0; h < 24; h += 2) {
    const int y = yOf(h * 60);
    const QRect r(0, y - 6, AxisWidth - 4, 12);
    p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0')));
  }

  for (int i = 0; i < int(plan.Days.size()); ++i) {
    const TPlanDay& day = plan.Days[i];
    const int x0 = AxisWidth + i * columnWidth;

    // Day and night.
    p.fillRect(x0, plotTop, columnWidth, plotHeight, DayColour);
    const auto night = [&](int from, int to) {
      if (to > from) p.fillRect(x0, yOf(from), columnWidth, yOf(to) - yOf(from), NightColour);
    };
    if (day.Sunrise <= day.Sunset) {
      night(0, day.Sunrise);
      night(day.Sunset, MinutesPerDay);
    } else {
      night(day.Sunset, day.Sunrise);
    }
    for (int h = 1; h < 24; ++h) {
      p.setPen(h % 6 == 0 ? GridColour.darker(130) : GridColour);
      p.drawLine(x0, yOf(h * 60), x0 + columnWidth - 1, yOf(h * 60));
    }

    // Header: weekday and day of the month.
    p.setFont(header);
    p.setPen(TextColour);
    const QString weekday = GetText(WeekdayText[day.Date.dayOfWeek() - 1]).trimmed();
    p.drawText(QRect(x0, 0, columnWidth, HeaderHeight), Qt::AlignCenter,
               QStringLiteral("%1 %2").arg(weekday).arg(day.Date.day()));

    // The actions of the day, labelled and moved apart.
    p.setFont(small);
    const QFontMetrics fm(small);
    const int labelHeight = fm.height() + 1;
    std::vector<Label> labels;
    for (const TPlanAction& a : plan.Actions) {
      if (a.Date != day.Date) continue;
      const QString name = installation.Ruimtes[a.Ruimte].Apparaten[a.Apparaat].Naam;
      if (deviceNames && !labels.empty() && SameLabel(*labels.back().Action, a)) {
        labels.back().Names << name;
        continue;
      }
      labels.push_back(Label{&a, deviceNames ? QStringList{name} : QStringList{}, yOf(a.Minute), 0});
    }
    Spread(labels, labelHeight, plotTop + 1, plotTop + plotHeight);

    const int labelLeft = x0 + TickWidth + 3;
    const int labelWidth = columnWidth - TickWidth - 4;
    for (const Label& l : labels) {
      const TPlanAction& a = *l.Action;
      const QColor colour = ActionColour(a.Aktie);
      if (a.Random) {
        QColor band = colour;
        band.setAlpha(110);
        const int end = std::min(a.Minute + 60, MinutesPerDay);
        p.fillRect(x0 + 1, l.Mark, TickWidth, std::max(2, yOf(end) - l.Mark), band);
      }
      p.fillRect(x0 + 1, l.Mark - 1, TickWidth, 3, colour);
      const QRect box(labelLeft, l.Top, labelWidth, labelHeight - 1);
      p.setPen(colour.darker(140));
      p.drawLine(x0 + TickWidth + 1, l.Mark, labelLeft, box.center().y());
      p.fillRect(box, colour);
      if (a.Conflict) {
        p.setPen(QPen(ConflictColour, 2));
        p.drawRect(box.adjusted(1, 1, -1, -1));
      }
      p.setPen(LabelTextColour(a.Aktie));
      p.drawText(box.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter,
                 fm.elidedText(LabelText(l, fm, box.width() - 3), Qt::ElideRight, box.width() - 3));
    }

    p.setPen(GridColour.darker(150));
    p.drawLine(x0, 0, x0, size.height() - 1);
  }
  p.drawLine(AxisWidth + days * columnWidth, 0, AxisWidth + days * columnWidth, size.height() - 1);
  p.drawLine(AxisWidth, plotTop, AxisWidth + days * columnWidth, plotTop);
  return image;
}

bool TWeekPicture::WritePng(const TWeekPlan& plan, const TLoadSave& installation, int days,
                            const QString& file, QString* error) {
  QImageWriter writer(file, "png");
  if (writer.write(Draw(plan, installation, SizeFor(days), true))) return true;
  if (error) *error = writer.errorString();
  return false;
}
