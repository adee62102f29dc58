#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The one interface between the box link and a HID layer: the system's
// (usb/SystemHid.h, registered by the program) or the simulated box.
//
// Reports are 65 bytes: byte 0 is the report id (always 0), bytes 1..64 the
// payload.

// Setup class of every HID device, as text, upper-cased.
inline constexpr char HidSetupClassGuid[] = "{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}";

// One present HID device.
struct HidDeviceInfo {
  uint16_t VendorId = 0;
  uint16_t ProductId = 0;
  uint16_t VersionNumber = 0;  // high byte major, low byte minor
  QString ProductString;
  QString SetupClass;  // the setup class GUID as text
  QString Path;        // what Open takes; unique among present devices

  bool operator==(const HidDeviceInfo&) const = default;
};

enum class HidOpenStatus {
  Ok,
  PermissionDenied,  // present, but this user may not open it
  Failed,            // any other reason (gone meanwhile, busy, I/O error)
};

enum class HidReadResult {
  Report,   // one input report arrived
  Timeout,  // nothing arrived within the time limit
  Gone,     // the device has been unplugged or failed; it will not answer again
};

// An opened device.
class HidConnection {
 public:
  virtual ~HidConnection() = default;
  // Writes the 65 bytes at `report` (byte 0 = 0). False when the device is
  // gone or the write failed.
  virtual bool Write(const uint8_t* report) = 0;
  // Waits at most `timeoutMs` milliseconds (0: only a report already waiting)
  // for one input report. On Report, report[1..64] holds the payload and
  // report[0] is 0; otherwise the 65 bytes are unchanged.
  virtual HidReadResult Read(uint8_t* report, int timeoutMs) = 0;
};

class HidTransport {
 public:
  virtual ~HidTransport() = default;
  // The HID devices present now, in a stable order.
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;
  // Opens the device at `path` for reading and writing. On failure returns
  // null and sets *status (and *error to the system's reason when given).
  virtual std::unique_ptr<HidConnection> Open(const QString& path, HidOpenStatus* status,
                                              QString* error = nullptr) = 0;
  // From now on `changed` is called, from the event loop of the thread that
  // called this, whenever the set of HID devices may have changed. Calls may
  // come for changes that turn out to change nothing.
  virtual void WatchDeviceChanges(std::function<void()> changed) = 0;
};
