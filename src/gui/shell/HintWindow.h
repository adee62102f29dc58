#pragma once

#include <QColor>
#include <QProxyStyle>

// The program's hint (tool tip) look and timing, applied application-wide:
// tool tips on `background` with black text in Arial 10 pt, appearing after
// `wakeUpMs` of hovering and staying `showMs`. Widgets that set their own
// toolTipDuration keep it.
//
// It is installed as the application style, a proxy over the style that was
// current, answering the tool-tip wake-up delay; the display time is given
// to each widget as its tool tip is about to show.
class TMyHintWindow : public QProxyStyle {
  Q_OBJECT
 public:
  static void Install(const QColor& background = QColor(255, 255, 0), int wakeUpMs = 1000, int showMs = 3000);

  // The installed settings; 0 before Install.
  static int WakeUpDelay();
  static int ShowDuration();

  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returnData = nullptr) const override;

 private:
  explicit TMyHintWindow(QStyle* base);
};
