#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "core/device/FirmwareImage.h"
#include "core/device/FirmwareUpdater.h"

namespace Ui {
class TfrmUpdate;
}
class QProgressBar;
class QTimer;
class TImage;
class TLabel;
class TGradBtn;
struct BoxLinkHooks;

// The firmware update window: 480 x 360, borderless, rounded, its caption
// "Updating to " and the product in the program's language. It runs the update once when it is first shown,
// then waits with the reconnection text until the box link completes it (the box is back with the expected
// firmware) and the user presses "OK".
class TfrmUpdate : public QDialog {
  Q_OBJECT
 public:
  enum class State {
    Created,   // not shown yet
    Updating,  // the sequence runs
    Waiting,   // 'X' sent (or the box went away): waiting for the box to return
    Done,      // the box is back with the expected firmware; "OK" shown
    Aborted,   // the image had errors (nothing flashed), or too many runs; "OK" shown
  };

  explicit TfrmUpdate(const QString& productName, QWidget* parent = nullptr);
  ~TfrmUpdate() override;

  // The update window while it exists, else null.
  static TfrmUpdate* Current();

  TImage* Image1() const;
  TLabel* Label1() const;
  TLabel* Label2() const;
  QProgressBar* Gauge1() const;
  TGradBtn* btnQuit() const;

  State state() const { return state_; }
  const TFirmwareUpdater::Outcome& LastOutcome() const { return outcome_; }
  // The Intel HEX image to flash; the embedded one unless a test sets another.
  void SetImagePath(const QString& path) { imagePath_ = path; }

  // The box came back with the expected firmware: the two completion lines,
  // "OK" shown and focused.
  void Complete(const QString& line1, const QString& line2);
  // The box came back still needing firmware while this window waits: run
  // the sequence again in this window, up to MaxRuns runs in all; after that
  // the window says so and stops (Aborted, "OK" shown).
  static constexpr int MaxRuns = 3;
  void UpdateAgain();

  // Handlers, named as in the design.
  void FormCreate();
  void FormActivate();
  void updatefirmware();
  void quitClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // Escape and window-close requests are ignored: only "OK" ends the window,
  // so the update can neither be cut short nor left without clearing its flag.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Parses the image; shows its message and returns false when it has one.
  bool readbuf(TFirmwareImage* image);
  void updateprog(const TFirmwareImage& image);
  void ShowError(const QString& text);

  std::unique_ptr<Ui::TfrmUpdate> ui;
  QString productName_;
  QString imagePath_;
  State state_ = State::Created;
  bool activated_ = false;
  int exposeWaits_ = 0;
  bool closing_ = false;
  int runs_ = 0;  // update sequences run in this window
  TFirmwareUpdater::Outcome outcome_;
};

// Fills the update window's part of the box link's hooks (UpdateWindowVisible,
// CompleteUpdateWindow); the main window calls it when it builds the hooks.
void AddUpdateWindowHooks(BoxLinkHooks& hooks);

// Creates the update window over `parent` with its first line and shows it
// modally; the update runs inside.
void OpenUpdateWindow(const QString& firstLine, QWidget* parent);

// When an update window waits for reconnection and the box is back still
// needing firmware: stops `timer` and runs the update again in that window.
// Returns whether it did.
bool UpdateAgainInOpenWindow(QTimer* timer);

// The main window's Timer1 tick: with a box device open and no update
// started, stops the timer, sets FirmwareUpdateStarted and BoxConnected and
// shows the update window modally over `parent`. While an update window waits
// for a box that came back still needing firmware, it runs the update again in
// that window. Otherwise it does nothing and the timer keeps running.
void FirmwareTimerTick(QTimer* timer, QWidget* parent);
