#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/device/HidTransport.h"
#include "core/device/SimulatedLoader.h"

// A behavioural model of the box behind the HID transport interface, for the
// tests, the demo and `klv820ctl --simulate`.
//
// Application firmware (product id 2050), the commands of Protocol.h:
//   ReadClock     the sun times come from the sun table, summer time added;
//                 summer time (1) or winter time (0) by the European rule.
//                 A clock never set answers zeros for bytes 1..7.
//   Store...      bytes past the memory's end are dropped (programme memory
//                 1536 bytes, scene table 512, sun table 144)
//   Read...       zero past the memory's end
//   RunScene and Switch are recorded as SwitchEvents.
// Unknown commands are ignored without an answer.
//
// A box in loader mode (RunsLoader) hands every report to HandleLoaderReport
// instead, which runs `Loader` over `Flash`.
class SimulatedBox {
 public:
  static constexpr int ProgrammeMemorySize = 1536;
  static constexpr int SceneTableSize = 512;
  static constexpr int SunTableSize = 144;
  static constexpr int FlashSize = 28672;
  static constexpr uint16_t VendorIdValue = 0xFEFF;
  static constexpr uint16_t ApplicationProductId = 2050;
  static constexpr uint16_t LoaderProductId = 2049;

  enum class Firmware { Application, Loader };

  // Faults on demand. Each one hits a report the box receives.
  enum class Fault {
    NoAnswer,    // the request is handled but its answer never comes
    LateAnswer,  // the answer comes only after the reader's time limit has passed
    Unplug,      // the box is pulled out as this report arrives; the report is lost
    Garbage,     // the answer carries random bytes instead of the real answer
  };

  struct LogEntry {
    bool ToBox = true;  // true: a report the box received; false: an answer it gave
    std::array<uint8_t, 65> Bytes{};
  };

  struct SwitchEvent {
    uint8_t Command = 0;  // Protocol::RunScene or Protocol::Switch
    uint8_t Byte2 = 0, Byte3 = 0, Byte4 = 0;
    bool operator==(const SwitchEvent&) const = default;
  };

  // A new box: application firmware 1.1, invalid address (ff ff ff, check ff),
  // all tables zero, clock never set, flash erased (0xFF), plugged in.
  SimulatedBox();
  virtual ~SimulatedBox();

  // Identity as the transport lists it; a test may change it (takes effect at
  // the next enumeration).
  uint16_t VendorId = VendorIdValue;
  uint16_t ProductId = ApplicationProductId;
  uint16_t Version = 0x0101;
  QString ProductString = QStringLiteral("KLV-820");
  QString SetupClass = QString::fromLatin1(HidSetupClassGuid);
  QString Path = QStringLiteral("sim:klv820-0");
  bool PermissionDenied = false;  // listed, but Open fails with PermissionDenied
  Firmware Mode = Firmware::Application;
  // The loader firmware with its faults on demand (see SimulatedLoader.h).
  SimulatedLoader Loader;
  // Mode is Loader, or the box is listed with another identity than the
  // application firmware 1.1 (product id 2049, or 2050 with another version).
  bool RunsLoader() const;

  // Memory.
  std::array<uint8_t, ProgrammeMemorySize> Programme{};
  std::array<uint8_t, SceneTableSize> SceneTable{};
  std::array<uint8_t, SunTableSize> SunTable{};
  std::array<uint8_t, 3> Address{0xFF, 0xFF, 0xFF};
  uint8_t AddressCheck = 0xFF;
  QByteArray Flash;  // FlashSize bytes
  // Box clock minus the PC's local clock, in seconds; none = never set.
  std::optional<qint64> ClockOffset;
  uint8_t ClockDayOfWeek = 0;  // as last sent with SetClock

  std::vector<SwitchEvent> SwitchEvents;

  bool AddressValid() const;
  static uint8_t AddressCheckByteOf(uint8_t a, uint8_t b, uint8_t c);
  // The box's local clock now (invalid when never set).
  QDateTime Clock() const;
  // Today's sun times as the box derives them from its sun table for
  // `date`, in minutes after midnight, standard time.
  int SunMinutes(bool sunset, const QDate& date) const;
  // European summer time: from the last Sunday of March 02:00 to the last
  // Sunday of October 03:00, local time.
  static bool IsSummerTime(const QDateTime& local);

  // Plug and unplug; each notifies the transport the box is listed in.
  bool Plugged() const { return plugged_; }
  void Plug();
  void Unplug();

  // The fault hits the (skip + 1)-th following report whose byte 1 equals
  // `command` (0: any report); with `repeat`, every matching report from then
  // on.
  void InjectFault(Fault fault, uint8_t command = 0, int skip = 0, bool repeat = false);
  void ClearFaults();

  // Every report received and every answer given, in order.
  const std::vector<LogEntry>& Log() const { return log_; }
  // Only the reports the box received.
  std::vector<std::array<uint8_t, 65>> Received() const;
  void ClearLog() { log_.clear(); }

  // State file: programme, scene table, sun table, clock offset, address,
  // flash, product id, version and product string.
  QJsonObject ToJson() const;
  bool FromJson(const QJsonObject& json, QString* error);
  bool LoadState(const QString& path, QString* error);
  bool SaveState(const QString& path, QString* error) const;

  // --- Used by the transport's connection ---
  // Takes one report. False when the box is not plugged in (or is pulled out
  // by a fault as the report arrives).
  bool Receive(const uint8_t* report);
  // Hands out the next answer, waiting up to timeoutMs of real time when none
  // is ready.
  HidReadResult TakeAnswer(uint8_t* report, int timeoutMs);
  // Changes each time the box is plugged in; connections opened before are dead.
  int PlugGeneration() const { return generation_; }
  // Set by the transport: called (queued) on plug and unplug.
  std::function<void()> OnPlugChange;

 protected:
  virtual void HandleApplicationReport(const uint8_t* report);
  // Loader mode: hands the report to Loader.
  virtual void HandleLoaderReport(const uint8_t* report);
  // Queues one answer: payload[0..63] go to bytes 1..64.
  void Answer(const uint8_t* payload);

 private:
  struct FaultPlan {
    Fault Kind;
    uint8_t Command;
    int Skip;
    bool Repeat;
  };
  struct Pending {
    std::array<uint8_t, 65> Bytes{};
    bool Late = false;  // becomes available after one reader has timed out
  };

  std::optional<Fault> NextFault(uint8_t command);

  bool plugged_ = true;
  int generation_ = 1;
  std::vector<FaultPlan> faults_;
  std::optional<Fault> current_;  // fault applying to the report being handled
  std::deque<Pending> answers_;
  std::vector<LogEntry> log_;
};

// A HID layer holding simulated boxes and other (inert) HID devices, in the
// order added.
class SimulatedHidTransport : public HidTransport {
 public:
  SimulatedHidTransport();
  ~SimulatedHidTransport() override;

  void AddBox(std::shared_ptr<SimulatedBox> box);
  // Another device (a mouse, a box-like device of another setup class, ...).
  void AddDevice(const HidDeviceInfo& info);
  void RemoveDevice(const QString& path);

  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const QString& path, HidOpenStatus* status,
                                      QString* error = nullptr) override;
  void WatchDeviceChanges(std::function<void()> changed) override;

  // Posts a device-change notification to the event loop.
  void NotifyChanged();

 private:
  struct Entry {
    std::shared_ptr<SimulatedBox> Box;  // null for another device
    HidDeviceInfo Info;
  };
  std::vector<std::shared_ptr<SimulatedBox>> boxes_;
  std::vector<Entry> order_;
  std::function<void()> changed_;
  std::unique_ptr<QObject> context_;  // target of queued notifications
};

// Creates the box link over a new simulated transport holding `box`, as the
// program does at start (the first scan and the arrival sequence run at once).
// Returns the transport, owned by the link.
SimulatedHidTransport* CreateSimulatedBoxLink(const std::shared_ptr<SimulatedBox>& box);
