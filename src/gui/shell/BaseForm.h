#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

class QKeyEvent;
class QLabel;
class TBackdrop;
class QMouseEvent;
class QTimer;
class TSmoothPanel;
namespace Ui {
class TMainForm;
}

// Shown after "Version " on the settings screen: "1".
extern QString ProgramVersion;

// Windows virtual-key code of a Qt key, for the screens that expect those:
// letters 0x41..0x5A, digits 0x30..0x39 (keypad digits 0x60..0x69 with
// Qt::KeypadModifier), arrows 0x25..0x28, Page Up/Down 0x21/0x22, End 0x23,
// Home 0x24, Insert 0x2D, Delete 0x2E, Enter 0x0D, Escape 0x1B, Tab 0x09,
// Backspace 0x08, Space 0x20, F1..F12 0x70..0x7B, Shift/Control/Alt
// 0x10/0x11/0x12, keypad * + - . / 0x6A/0x6B/0x6D/0x6E/0x6F. 0 for any other key.
uint16_t QtKeyToVirtualKey(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The program's one window: borderless, 800 x 600, centred, rounded with
// radius 60, background picture Image1. Every screen builds on MainPanel
// (content) and ButtonPanel (button column).
class TMainForm : public QWidget {
  Q_OBJECT
 public:
  // Builds the window from its design and runs FormCreate.
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  // The main window while it exists, else null.
  static TMainForm* Instance();

  // One screen at a time may set this to see every key press in the window
  // (any of its controls focused) before the control does, as a virtual-key
  // code; keys without a code are not passed. The screen clears it when it
  // closes. The key still reaches the focused control.
  std::function<void(uint16_t key)> KeyCallback;

  // Opens the firmware update window (modally) with its first line set; the
  // window of the update engineer is hooked in here. Called by Timer1Timer.
  std::function<void(const QString& firstLine)> OpenFirmwareUpdate;

  // Timer1's tick: when a box is open (BoxDevice) and no update runs yet,
  // stops Timer1, sets FirmwareUpdateStarted and BoxConnected and opens the
  // update with "updating " + the box's product string + " to " +
  // ProductName + " " + ExpectedFirmwareVersion (texts in the current
  // language). Otherwise does nothing and the timer keeps running.
  void Timer1Timer();

  // Restores the window when minimised and brings it to the front (a second
  // start of the program asks for this).
  void BringToFront();

  // Components, named as in the design.
  TBackdrop* Image1 = nullptr;          // 0, 0, 800 x 600, background; a press on it drags the window
  TSmoothPanel* MainPanel = nullptr;    // 24, 84, 598 x 504
  TSmoothPanel* ButtonPanel = nullptr;  // 632, 84, 150 x 500
  QTimer* Timer1 = nullptr;             // 500 ms, disabled; the box link arms it for a firmware update
  QLabel* imgLogo = nullptr;            // 38, 26, 130 x 39; hidden for language 0

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing the window (its system close key, the desktop's close) runs the
  // home screen's exit sequence instead, so the changes are saved and the box
  // question asked; the sequence itself ends the program.
  void closeEvent(QCloseEvent* event) override;
  // Shows a box message that came while the window was not yet on screen.
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  // Creates the rooms and devices screen on MainPanel/ButtonPanel and the box
  // link. Wired once those exist; until then the panels stay empty.
  void StartScreensAndLink();
  void handleKeyPress(QObject* receiver, QKeyEvent* event);
  bool startDrag(QMouseEvent* event);

  std::unique_ptr<Ui::TMainForm> ui_;

  // Manual window drag, where the platform has no system move.
  bool exiting_ = false;  // the exit sequence runs
  // A box message ("not connected") raised while building: it waits until
  // the window is on screen, so the start shows the window first.
  QStringList pendingMessage_;
  bool dragging_ = false;
  QPoint dragStartGlobal_;
  QPoint dragStartPos_;

  // A key press propagates from the focused widget up to its window, passing
  // the application filter at each step; this recognises the repeats.
  const QEvent* lastKey_ = nullptr;
  QPointer<QObject> lastKeyReceiver_;
  quint64 lastKeyTime_ = 0;
};
