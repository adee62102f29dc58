#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "core/device/HidTransport.h"

// The box link's process-wide state, as the rest of the program sees it.
// Reports are 65 bytes: byte 0 is the report id (always 0), bytes 1..64 the
// payload; an output report's byte 1 is the command letter.

class THidController;

// A HID device offered by the controller. It is opened on its first transfer.
class THidDevice {
 public:
  THidDevice(THidController* controller, HidDeviceInfo info);
  ~THidDevice();  // gives the device back to its controller and closes it
  THidDevice(const THidDevice&) = delete;
  THidDevice& operator=(const THidDevice&) = delete;

  const HidDeviceInfo& Info() const { return info_; }
  uint16_t VendorId() const { return info_.VendorId; }
  uint16_t ProductId() const { return info_.ProductId; }
  uint16_t VersionNumber() const { return info_.VersionNumber; }
  QString ProductString() const { return info_.ProductString; }
  QString SetupClass() const { return info_.SetupClass; }

  // Opens the device unless done; the result stays until the device is released.
  HidOpenStatus Open();
  HidOpenStatus OpenStatus() const { return status_; }
  QString OpenError() const { return error_; }
  // The open connection, or null (not opened, failed, or gone).
  HidConnection* Connection() const { return connection_.get(); }
  // The device stopped answering for good (unplugged): further transfers fail at once.
  void MarkGone();
  bool Gone() const { return gone_; }

 private:
  friend class THidController;
  THidController* controller_;
  HidDeviceInfo info_;
  std::unique_ptr<HidConnection> connection_;
  HidOpenStatus status_ = HidOpenStatus::Failed;
  bool opened_ = false;
  bool gone_ = false;
  QString error_;
};

// Keeps the list of present HID devices, hands out devices for exclusive use
// and tells its device-change callback when the list changed.
class THidController {
 public:
  // Returns whether to go on with the next device.
  using EnumerateFn = std::function<bool(THidDevice& device, int index)>;
  // `sender` is the controller for notifications, null for a re-check.
  using DeviceChangeFn = std::function<void(THidController* sender)>;

  explicit THidController(std::unique_ptr<HidTransport> transport);
  ~THidController();
  THidController(const THidController&) = delete;
  THidController& operator=(const THidController&) = delete;

  void SetOnEnumerate(EnumerateFn fn) { onEnumerate_ = std::move(fn); }
  // Installing the callback scans the devices and calls it at once.
  void SetOnDeviceChange(DeviceChangeFn fn);

  // Refreshes the list and offers every present device that is not checked
  // out to the enumeration callback, in list order, until it says stop.
  void Enumerate();
  // Takes the device offered at `index` out of the list for exclusive use.
  std::unique_ptr<THidDevice> CheckOutByIndex(int index);

  // A notification from the transport: rescans, and calls the device-change
  // callback when the list changed (always on the first scan).
  void Rescan();

  HidTransport* Transport() const { return transport_.get(); }
  const std::vector<HidDeviceInfo>& Devices() const { return list_; }

 private:
  friend class THidDevice;
  void CheckIn(THidDevice* device);

  std::unique_ptr<HidTransport> transport_;
  EnumerateFn onEnumerate_;
  DeviceChangeFn onDeviceChange_;
  std::vector<HidDeviceInfo> list_;
  bool scanned_ = false;
  std::set<THidDevice*> checkedOut_;
  std::vector<std::unique_ptr<THidDevice>> offered_;  // devices of the running enumeration
};

// What the GUI supplies; the core never touches a widget. Unset hooks do nothing
// (or answer false).
struct BoxLinkHooks {
  // The message dialog with one "OK" button; returns when it is closed, or at
  // once when the window holds it until it is on screen.
  std::function<void(const QString& line1, const QString& line2)> ShowMessage;
  // A message dialog is open (frmMeld is set) or waiting to be shown.
  std::function<bool()> MessageOpen;
  // Arms the main window's 500 ms timer that opens the firmware update.
  std::function<void()> ArmUpdateTimer;
  // The firmware update window exists and is visible.
  std::function<bool()> UpdateWindowVisible;
  // Sets the update window's two lines, shows its "OK" button and focuses it.
  std::function<void(const QString& line1, const QString& line2)> CompleteUpdateWindow;
  // Sees every report crossing the link: written (true) or read (false);
  // `report` is null for a read that timed out.
  std::function<void(bool written, const uint8_t* report)> Trace;
};
void SetBoxLinkHooks(BoxLinkHooks hooks);
const BoxLinkHooks& GetBoxLinkHooks();

// Where the link stands after the last device change.
enum class BoxLinkState {
  NoBox,         // no box present
  NoPermission,  // a box is present but this user may not open it
  OpenFailed,    // a box is present but could not be opened
  UpdateNeeded,  // a box with other firmware (the update timer was armed)
  Ready,         // a box with the expected firmware; BoxConnected
};
extern BoxLinkState LinkState;
// One line for NoPermission and OpenFailed naming the cause and the fix, in
// the given language 0..9, or the current one for a negative number.
QString BoxLinkProblemText(int language = -1);

extern std::unique_ptr<THidController> HidController;
extern std::unique_ptr<THidDevice> BoxDevice;  // the box held open, or null

extern bool BoxConnected;                // a box with the expected firmware is open
extern bool FirmwareUpdateStarted;       // the update window is running
extern QString ProductName;              // "KLV-820"
extern QString ExpectedFirmwareVersion;  // "1.1"
extern int ExpectedProductId;            // 2050
extern QString BoxVersion;               // version of the box last seen, "major.minor"
extern uint8_t OutReport[65];
extern uint8_t InReport[65];

constexpr int ReportSize = 65;
constexpr uint16_t BoxVendorId = 0xFEFF;
constexpr int LoaderProductId = 2049;

// Creates the link (freeing a previous one) over the system's HID layer, or
// over `transport`; installs OnBoxEnumerate and OnBoxDeviceChange, which scans
// at once.
void CreateBoxLink();
void CreateBoxLink(std::unique_ptr<HidTransport> transport);
// The HID layer that CreateBoxLink() without a transport uses; an empty
// factory (the default) means the system's. The demo program plugs in a
// simulated box this way.
void SetBoxTransportFactory(std::function<std::unique_ptr<HidTransport>()> factory);
// The system's HID layer, registered once by a program that talks to a real
// box (UseSystemHid in usb/SystemHid.h). Without one the system's layer is a
// bus with no devices.
void SetSystemHidTransportFactory(std::function<std::unique_ptr<HidTransport>()> factory);
// Releases the box and the controller (program end, tests). BoxConnected
// becomes false.
void ReleaseBoxLink();

bool OnBoxEnumerate(THidDevice& device, int index);
void OnBoxDeviceChange(THidController* sender);

// How long ReadReport waits for an answer, in milliseconds (default 1000).
void SetReadTimeout(int milliseconds);
int ReadTimeout();

// Writes exactly 65 bytes from `buffer` when BoxConnected; otherwise nothing
// (`length` is ignored). Input reports still waiting (late answers) are
// discarded first, so that the next read gets the answer to this report.
// Returns false when nothing was written.
bool WriteReport(const uint8_t* buffer, int length = ReportSize);
// Reads one input report into buffer[0..64] (buffer[0] stays 0) when
// BoxConnected, waiting at most the link's time limit. Returns false when no
// box is connected, the box is gone, or no answer came in time; the buffer is
// then left unchanged. A box found gone clears BoxConnected.
bool ReadReport(uint8_t* buffer);
