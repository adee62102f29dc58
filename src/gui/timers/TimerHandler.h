#pragma once

#include <QObject>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/model/ProgAktie.h"

class TContentScreen;
class TImage;
class TLabel;
class TTimerButHandler;
class TTimerHandler;
class TWeekPlanHandler;
namespace Ui {
class TfrmTimer;
}

// The design of the timer screen: pnlTimer (598 x 504) with the ten lines
// pline1..10 (590 x 26 at x 4, every 36 px, line 10 at y 414; labels LMn
// month x 4 w 98, LDn day/date x 107 w 174, LTn time x 286 w 204, LAn action
// x 495 w 90), the arrows LinesUp (552, 40) and LinesDn (552, 448) with their
// counters lblUp and lblDown; and the target panels selectedApp (130 x 198)
// and SelectedScene (130 x 116), which go on the button column at (12, 255)
// and (12, 300).
class TfrmTimer : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmTimer(QWidget* parent = nullptr);
  ~TfrmTimer() override;
  Ui::TfrmTimer* ui;
};

// One line of the screen: the entry it shows (or none) in four columns.
class PlineClass {
 public:
  enum Column { Month, Day, Time, Action };
  PlineClass(TTimerHandler* owner, QWidget* panel, TLabel* month, TLabel* day, TLabel* time, TLabel* action);

  // Shows `entry` (null empties the line) and paints it: cream with black
  // text, grey text for another target than the selected entry's; the
  // selected line dark green with white text and its missing fields red.
  void Fill(ProgAktiePtr entry, const ProgAktieList* list);

  TTimerHandler* Owner;
  QWidget* Panel;
  TLabel *LM, *LD, *LT, *LA;
  ProgAktiePtr Aktie;
  const ProgAktieList* List = nullptr;
  bool Selected = false;

  TLabel* Label(Column c) const;
};

// The target panel of a device entry: room name, device name and picture on
// the tile background, which shows the highlight.
class TSelectedAppUI {
 public:
  TSelectedAppUI(QWidget* panel, TLabel* device, TLabel* room, TImage* picture, TImage* highlight);
  void Show(int room, int device);
  void SetHighlighted(bool on);
  QWidget* Panel;
  TLabel *lblSA3, *lblSR3;
  TImage *imgSA3, *imgSI3;
};

// The target panel of a scene entry: scene number (from 1) and name.
class TSelectedSceneUI {
 public:
  TSelectedSceneUI(QWidget* panel, TLabel* name, TLabel* number, TImage* highlight);
  void Show(int scene);
  void SetHighlighted(bool on);
  QWidget* Panel;
  TLabel *lblS1, *lblNr1;
  TImage* imgS1;
};

// The timer programme screen for one target: a device (room 0..15, device
// 0..15) or a scene (17 + scene index). It edits a working list over the
// installation's programme: field changes take effect at once (the entries
// are shared), additions and deletions only on OK, which also sends the
// scene table and the programme when a box is connected. Each calling screen
// keeps one handler.
class TTimerHandler : public QObject {
  Q_OBJECT
 public:
  static constexpr int LineCount = 10;
  static constexpr int MaxEntries = 300;
  static constexpr int MaxRandom = 100;

  TTimerHandler(QWidget* mainPanel, QWidget* buttonPanel, QObject* parent = nullptr);
  ~TTimerHandler() override;

  void Show(int ruimte, int apparaat);
  bool IsShown() const;

  // A line click refused while the selected entry is incomplete; double
  // clicks open nothing until the next line click.
  bool Busy = false;
  // The target shown in the side panels.
  int Ruimte = 0;
  int Apparaat = 0;
  // A target panel is highlighted: Up and Down jump between targets.
  bool TargetSelected = false;
  std::unique_ptr<ProgAktieList> Editing;

  // Double-click on a target panel: the picker for another target, opened on
  // the current one; it answers through PickDevice / PickScene. Unset, the
  // double-click opens nothing.
  std::function<void(int room, int device)> OpenDevicePicker;
  std::function<void(int scene)> OpenScenePicker;
  // Only the selected entry takes the picked target.
  void PickDevice(int room, int device);
  void PickScene(int scene);  // scene index from 0

  // One more entry may use random time (the selected entry counts when it
  // already does): at most MaxRandom random entries.
  bool RandomAllowed() const;

  // The buttons', arrows' and keys' actions.
  void Add();
  void Copy();
  void Delete();
  void OK();
  void Back();
  // The coming seven days of the working list for the target, drawn.
  void Week();
  void LineUp();
  void LineDown();
  // Windows virtual-key code from the main window's key hook (Up 0x26, Down 0x28).
  void KeyPressed(uint16_t key);
  void LineClick(int line);
  void LineDblClick(int line, PlineClass::Column column);
  void TargetClick();
  void TargetDblClick();

  // Fills the lines from entry `first` (-1: keep the entry of line 1 on top),
  // keeping the selected entry in view.
  void FillLines(int first);
  void UpdateButtons();
  void ShowTarget(int ruimte, int apparaat);
  // Index of the entry in line 1 (0 when the list is empty).
  int FirstIndex() const;

  const PlineClass& Line(int i) const { return *lines_[i]; }
  TTimerButHandler* Buttons() const { return buttons_.get(); }
  TfrmTimer* Form() const { return form_; }
  TSelectedAppUI* AppPanel() const { return app_.get(); }
  TSelectedSceneUI* ScenePanel() const { return scene_.get(); }

 protected:
  // A click on a line's panel between its labels.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetTargetHighlight(bool on);
  void Leave();
  void NoteIfStored(const ProgAktie& entry);
  void JumpTarget(int direction);
  void ApplyHints();
  int Count() const;

  TfrmTimer* form_;
  std::unique_ptr<TContentScreen> screen_;
  std::unique_ptr<TTimerButHandler> buttons_;
  std::unique_ptr<TSelectedAppUI> app_;
  std::unique_ptr<TSelectedSceneUI> scene_;
  std::array<std::unique_ptr<PlineClass>, LineCount> lines_;
  std::unique_ptr<TWeekPlanHandler> week_;  // made on first use
};
