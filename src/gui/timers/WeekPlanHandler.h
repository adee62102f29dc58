#pragma once

#include <QImage>
#include <QObject>
#include <array>
#include <functional>
#include <memory>

#include "core/model/ProgAktie.h"

class QLabel;
class TContentScreen;
class TWeekPlanButHandler;

// The week view opened from the timer screen: the coming seven days of the
// programme as TWeekPicture draws them (the picture `klv820ctl plan --png`
// writes), for the timer screen's target or, with "all", for every target.
// "back" hides the view and hands control back.
class TWeekPlanHandler : public QObject {
  Q_OBJECT
 public:
  TWeekPlanHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent = nullptr);
  ~TWeekPlanHandler() override;

  // Target: room 0..15 with its device, or 17 + scene index. `programme` is
  // the list to show (the timer screen's working list); `back` runs after
  // "back" has hidden the view. Starts with the target alone.
  void Show(int ruimte, int apparaat, const KeyedAktieList& programme, std::function<void()> back);
  void Hide();
  bool IsShown() const;

  // Every target (true) or the target alone.
  void SetAll(bool all);
  bool All() const { return all_; }

  // What the view shows now.
  QImage Picture() const { return picture_; }
  TWeekPlanButHandler* Column() const { return column_.get(); }

 private:
  void Redraw();

  std::unique_ptr<TContentScreen> screen_;
  std::unique_ptr<TWeekPlanButHandler> column_;
  QLabel* imgWeek_ = nullptr;
  std::function<void()> back_;
  KeyedAktieList programme_;
  std::array<uint8_t, 144> sunTable_{};
  int ruimte_ = 0;
  int apparaat_ = 0;
  bool all_ = false;
  QImage picture_;
};
