#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// One timer programme entry. Encodings:
//   Ruimte   room 0..15, or 17 + scene index for a scene entry (> 16 = scene); -1 none
//   Apparaat device index within the room; -1 none
//   Maand    0 none, 1..12 January..December, 13 every month
//   DagDatum 0 none, 1..31 day of month, 128 + weekday bits
//            (1 Sunday, 2 Monday, 4 Tuesday, 8 Wednesday, 16 Thursday, 32 Friday, 64 Saturday)
//   Uur      0..23, 24 = no fixed time;  Minuut 0..59
//   ZonTijd  0 clock time; 1..119 sunrise + (value - 60) minutes; 121..239 sunset + (value - 180)
//   Random   the time varies at random within the hour from Uur:Minuut
//   Aktie    0 off, 1..16 dim level, 17 on (not used by scene entries)
//   Aangemaakt creation moment, days since 30 December 1899 (fraction = time of day)
class ProgAktie {
 public:
  ProgAktie();  // defaults, Aangemaakt = now
  // Defaults with a known creation moment (readers: no clock is read).
  explicit ProgAktie(double aangemaakt) : Aangemaakt(aangemaakt) {}

  int32_t Ruimte = -1;
  int32_t Apparaat = -1;
  int32_t Maand = 0;
  int32_t DagDatum = 0;
  int32_t Uur = 24;
  int32_t Minuut = 0;
  int32_t ZonTijd = 0;
  uint8_t Random = 0;
  uint8_t Aktie = 0;
  double Aangemaakt = 0;

  // A new entry with every field copied except Aangemaakt, which is now.
  std::shared_ptr<ProgAktie> Clone() const;

  QString SortKey() const;
  QString TimeText() const;
  QString DayText() const;
  QString MonthText() const;
  QString ActionText() const;
  bool IsValid() const;

  // The four columns of the entry's line on the timer screen, in the current
  // language (the day/date text keeps its trailing blank).
  struct LineTexts {
    QString Month, Day, Time, Action;
  };
  LineTexts Texts() const { return {MonthText(), DayText(), TimeText(), ActionText()}; }

  // The fields the timer screen marks red on an incomplete entry: no month,
  // no day/date (none, or the weekday form without a day), no time; a day of
  // month that the month does not have marks both month and day/date.
  struct Missing {
    bool Month = false;
    bool Day = false;
    bool Time = false;
  };
  Missing MissingFields() const;

  bool IsScene() const { return Ruimte > 16; }
  uint8_t SceneIndex() const { return IsScene() ? uint8_t(Ruimte - 17) : 0; }
  bool IsDate() const { return DagDatum < 128; }
  // Bit 0: sun-relative; bit 1: scene entry.
  uint8_t Kind() const { return uint8_t((ZonTijd != 0 ? 1 : 0) | (IsScene() ? 2 : 0)); }
  uint8_t DagDatumByte() const { return uint8_t(DagDatum & 0xFF); }

  // Days since 30 December 1899 for the current local time.
  static double Now();
};

using ProgAktiePtr = std::shared_ptr<ProgAktie>;

// A string list of (sort key, entry); entries are shared by reference.
struct KeyedAktie {
  QString Key;
  ProgAktiePtr Entry;
};
using KeyedAktieList = std::vector<KeyedAktie>;

// The timer programme screen's working list.
class ProgAktieList {
 public:
  ProgAktieList(int32_t ruimte, KeyedAktieList items, int32_t apparaat);
  virtual ~ProgAktieList() = default;

  int32_t Ruimte = 0;
  int32_t Apparaat = 0;
  ProgAktiePtr Selected;
  KeyedAktieList Items;
  KeyedAktieList Deleted;

  int Add(ProgAktiePtr entry);
  void AddCopy(const ProgAktiePtr& entry);
  void Remove(const ProgAktiePtr& entry);
  ProgAktiePtr ItemAt(int index) const;
  void Select(int index);
  void SetSelected(ProgAktiePtr entry);
  int SelectedIndex() const;
  int IndexOfKey(const ProgAktie& entry) const;
  void Resort();
  int RandomCount() const;
};

// The installation's whole timer programme, AllItems in insertion order.
class GlobalProgAktieList : public ProgAktieList {
 public:
  GlobalProgAktieList();

  KeyedAktieList AllItems;

  void AddUnique(const ProgAktiePtr& entry);
  void RemoveAktie(const ProgAktiePtr& entry);
  void RemoveApparaat(int32_t room, int32_t device);
  // Deletes the entries of room `room` and moves those of rooms room+1..15
  // one room down; scene entries are left alone.
  void RemoveRuimte(int32_t room);
  KeyedAktieList KeyedCopy() const;
  void Apply(const KeyedAktieList& edited, const KeyedAktieList& removed);
  int Count() const { return int(AllItems.size()); }
};

// The whole programme in the order the timer screen lists it (sort key;
// entries shared).
KeyedAktieList SortedProgramme(const GlobalProgAktieList& programme);
