#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "core/model/ProgAktie.h"

class TLoadSave;

// One switching the box will do.
struct TPlanAction {
  QDate Date;
  int Minute = 0;       // clock time the box acts at, minutes after midnight 0..1439 (summer time included)
  bool Random = false;  // acts once at an unknown moment in [Minute, Minute + 60)
  int Ruimte = 0;       // the device switched
  int Apparaat = 0;
  int Aktie = 0;   // 0 off, 1..16 dim level, 17 on
  int Entry = 0;   // the programme entry's position in stored order
  int Scene = -1;  // the scene that runs it, or -1 for a device entry
  int Item = 0;    // the scene item's position (0 for a device entry)
  // Another action earlier in the same minute sets this device to a different
  // state. Random actions are never marked: their minute is not known.
  bool Conflict = false;
};

// Sun times of one day as the box's clock shows them.
struct TPlanDay {
  QDate Date;
  int Sunrise = 0;  // minutes after midnight, summer time included
  int Sunset = 0;
  bool Summer = false;
};

// What the box will do over a range of days, derived from what it is sent:
// the compiled programme records, the scene table and the sun table.
//
// An entry acts on a date when its month matches (or is every month) and its
// day matches (the day of the month, or the date's weekday bit). Incomplete
// entries and entries past the 300 the image holds never act. A sun-relative
// entry acts at the box's sun time for the date (see tsunrise::TableSunTime)
// plus its offset, one hour later while the box keeps summer time. A scene
// entry acts on every item of the scene up to its first empty slot.
class TWeekPlan {
 public:
  static constexpr int MaxDays = 366;

  std::vector<TPlanDay> Days;
  std::vector<TPlanAction> Actions;  // by date, minute, entry, scene item

  // `sunTable` is the 144-byte table the box holds. `days` is clamped to
  // 0..MaxDays.
  static TWeekPlan Build(const TLoadSave& installation, const uint8_t* sunTable, const QDate& from, int days);
  // With the table `send` gives: the installation's location, the PC's year.
  static TWeekPlan Build(const TLoadSave& installation, const QDate& from, int days);
  // For a programme other than the installation's (the timer screen's
  // working list, say); Entry then counts positions in `programme`.
  static TWeekPlan Build(const TLoadSave& installation, const KeyedAktieList& programme,
                         const uint8_t* sunTable, const QDate& from, int days);
  // The sun table `send` gives: the installation's location, the PC's year.
  static std::array<uint8_t, 144> SentSunTable(const TLoadSave& installation);

  // Only the actions on one device.
  TWeekPlan ForDevice(int ruimte, int apparaat) const;
  // Only the actions of the entries that run scene `scene` (0..15).
  TWeekPlan ForScene(int scene) const;

  // "HH:MM", or "HH:MM-HH:MM" for a random window (the second hour wraps to 00).
  static QString TimeText(const TPlanAction& action);
  // "off", "dim N", "on" in the installation's language.
  static QString ActionText(int aktie);
};
