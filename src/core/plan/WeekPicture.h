#pragma once

#include <QImage>
#include <QSize>

#include "core/plan/WeekPlan.h"

class TLoadSave;

// The picture of a week plan, shared by the timer screen's week view and
// `klv820ctl plan --png`: one column per day, midnight at the top, night
// (sunset to sunrise) shaded, each action a coloured label at its time (green
// on, red off, yellow dim with the level), a random action a band over its
// hour, a conflict framed in black with a "!". Labels that would overlap are
// moved apart; a thin line leads from each to its exact time.
//
// Drawing text needs a QGuiApplication (an offscreen one will do).
class TWeekPicture {
 public:
  // 590 x 496 (fits the content panel) for up to seven days; wider for more.
  static QSize SizeFor(int days);
  // `deviceNames`: put the device's name in each label (off when the plan
  // holds one device only). Texts come from the installation's language.
  static QImage Draw(const TWeekPlan& plan, const TLoadSave& installation, const QSize& size,
                     bool deviceNames);
  // Draws the plan of `days` days at SizeFor(days) with device names and
  // writes it to `file` as PNG; on failure returns false with the reason.
  static bool WritePng(const TWeekPlan& plan, const TLoadSave& installation, int days, const QString& file,
                       QString* error);
};
