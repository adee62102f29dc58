#include "core/device/SimulatedBox.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "core/device/MyDevFunctions.h"
#include "core/device/Protocol.h"

namespace {

int Offset(const uint8_t* r) { return r[Protocol::OffsetByte] | (r[Protocol::OffsetByte + 1] << 8); }

// The PC's local wall clock as a plain date and time, the way the box keeps it.
QDateTime NaiveNow() {
  const QDateTime now = QDateTime::currentDateTime();
  return QDateTime(now.date(), now.time(), Qt::UTC);
}

QDate LastSunday(int year, int month) {
  QDate d(year, month, QDate(year, month, 1).daysInMonth());
  return d.addDays(-(d.dayOfWeek() % 7));
}

template <size_t N>
void StoreChunk(std::array<uint8_t, N>& memory, const uint8_t* r) {
  const int offset = Offset(r);
  const int length = std::min<int>(r[Protocol::LengthByte], Protocol::ChunkSize);
  for (int i = 0; i < length; ++i) {
    if (offset + i < int(N)) memory[offset + i] = r[Protocol::DataByte + i];
  }
}

template <size_t N>
void ReadPage(const std::array<uint8_t, N>& memory, const uint8_t* r, uint8_t* payload) {
  const int offset = Offset(r);
  for (int i = 0; i < Protocol::PageSize; ++i) payload[i] = offset + i < int(N) ? memory[offset + i] : 0;
}

}  // namespace

SimulatedBox::SimulatedBox() : Flash(FlashSize, char(0xFF)) {}

SimulatedBox::~SimulatedBox() = default;

bool SimulatedBox::AddressValid() const {
  return AddressCheck == AddressCheckByteOf(Address[0], Address[1], Address[2]);
}

uint8_t SimulatedBox::AddressCheckByteOf(uint8_t a, uint8_t b, uint8_t c) {
  return uint8_t(255 - ((a + b + c) % 256));
}

QDateTime SimulatedBox::Clock() const {
  if (!ClockOffset) return QDateTime();
  return NaiveNow().addSecs(*ClockOffset);
}

bool SimulatedBox::IsSummerTime(const QDateTime& local) {
  const int year = local.date().year();
  const QDateTime start(LastSunday(year, 3), QTime(2, 0), Qt::UTC);
  const QDateTime end(LastSunday(year, 10), QTime(3, 0), Qt::UTC);
  const QDateTime t(local.date(), local.time(), Qt::UTC);
  return t >= start && t < end;
}

int SimulatedBox::SunMinutes(bool sunset, const QDate& date) const {
  if (!date.isValid()) return 0;
  const int second = date.day() >= 16 ? 1 : 0;
  const int at = (sunset ? 72 : 0) + 3 * (2 * (date.month() - 1) + second);
  const int base = (SunTable[at] & 0x7F) * 60 + SunTable[at + 1];
  const int step = (SunTable[at + 2] >> 6) * 60 + (SunTable[at + 2] & 0x3F);
  const int days = date.day() - (second ? 16 : 1);
  const int delta = (step * days) / 60;
  int minutes = (SunTable[at] & 0x80) ? base - delta : base + delta;
  return ((minutes % 1440) + 1440) % 1440;
}

void SimulatedBox::Plug() {
  if (plugged_) return;
  plugged_ = true;
  ++generation_;
  if (OnPlugChange) OnPlugChange();
}

void SimulatedBox::Unplug() {
  if (!plugged_) return;
  plugged_ = false;
  answers_.clear();
  if (OnPlugChange) OnPlugChange();
}

void SimulatedBox::InjectFault(Fault fault, uint8_t command, int skip, bool repeat) {
  faults_.push_back(FaultPlan{fault, command, skip, repeat});
}

void SimulatedBox::ClearFaults() { faults_.clear(); }

std::optional<SimulatedBox::Fault> SimulatedBox::NextFault(uint8_t command) {
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->Command != 0 && it->Command != command) continue;
    if (it->Skip > 0) {
      --it->Skip;
      continue;
    }
    const Fault f = it->Kind;
    if (!it->Repeat) faults_.erase(it);
    return f;
  }
  return std::nullopt;
}

std::vector<std::array<uint8_t, 65>> SimulatedBox::Received() const {
  std::vector<std::array<uint8_t, 65>> out;
  for (const LogEntry& e : log_) {
    if (e.ToBox) out.push_back(e.Bytes);
  }
  return out;
}

bool SimulatedBox::Receive(const uint8_t* report) {
  if (!plugged_) return false;
  current_ = NextFault(report[1]);
  if (current_ == Fault::Unplug) {
    current_.reset();
    Unplug();
    return false;
  }
  LogEntry e;
  e.ToBox = true;
  std::memcpy(e.Bytes.data(), report, 65);
  log_.push_back(e);
  if (RunsLoader()) {
    HandleLoaderReport(report);
  } else {
    HandleApplicationReport(report);
  }
  current_.reset();
  return true;
}

void SimulatedBox::Answer(const uint8_t* payload) {
  if (current_ == Fault::NoAnswer) return;
  Pending p;
  std::memcpy(p.Bytes.data() + 1, payload, 64);
  if (current_ == Fault::Garbage) {
    static std::mt19937 rng(820);
    for (int i = 1; i < 65; ++i) p.Bytes[i] = uint8_t(rng());
  }
  p.Late = current_ == Fault::LateAnswer;
  LogEntry e;
  e.ToBox = false;
  e.Bytes = p.Bytes;
  log_.push_back(e);
  answers_.push_back(p);
}

HidReadResult SimulatedBox::TakeAnswer(uint8_t* report, int timeoutMs) {
  if (!plugged_) return HidReadResult::Gone;
  if (!answers_.empty() && !answers_.front().Late) {
    std::memcpy(report, answers_.front().Bytes.data(), 65);
    answers_.pop_front();
    return HidReadResult::Report;
  }
  if (timeoutMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
  // A late answer turns up just after its reader gave up.
  if (!answers_.empty()) answers_.front().Late = false;
  return HidReadResult::Timeout;
}

void SimulatedBox::HandleApplicationReport(const uint8_t* r) {
  uint8_t a[64] = {};
  switch (r[Protocol::CommandByte]) {
    case Protocol::SetClock: {
      const QDateTime set(QDate(2000 + r[2], r[3], r[4]), QTime(r[5], r[6], r[7]), Qt::UTC);
      if (set.isValid()) {
        ClockOffset = NaiveNow().secsTo(set);
        ClockDayOfWeek = r[8];
      }
      break;
    }
    case Protocol::ReadClock: {
      const QDateTime now = Clock();
      if (now.isValid()) {
        a[0] = uint8_t(now.date().year() - 2000);
        a[1] = uint8_t(now.date().month());
        a[2] = uint8_t(now.date().day());
        a[3] = uint8_t(now.time().hour());
        a[4] = uint8_t(now.time().minute());
        a[5] = uint8_t(now.time().second());
        a[6] = uint8_t(now.date().dayOfWeek() % 7 + 1);
        const bool summer = IsSummerTime(now);
        const int rise = (SunMinutes(false, now.date()) + (summer ? 60 : 0)) % 1440;
        const int set = (SunMinutes(true, now.date()) + (summer ? 60 : 0)) % 1440;
        a[7] = uint8_t(rise / 60);
        a[8] = uint8_t(rise % 60);
        a[9] = uint8_t(set / 60);
        a[10] = uint8_t(set % 60);
        a[11] = summer ? 1 : 0;
      }
      Answer(a);
      break;
    }
    case Protocol::ReadAddress:
      a[0] = Address[0];
      a[1] = Address[1];
      a[2] = Address[2];
      a[3] = AddressCheck;
      Answer(a);
      break;
    case Protocol::SetAddress:
      Address = {r[2], r[3], r[4]};
      AddressCheck = AddressCheckByteOf(r[2], r[3], r[4]);
      break;
    case Protocol::StoreProgramme:
      StoreChunk(Programme, r);
      break;
    case Protocol::ReadProgramme:
      ReadPage(Programme, r, a);
      Answer(a);
      break;
    case Protocol::StoreSceneTable:
      StoreChunk(SceneTable, r);
      break;
    case Protocol::ReadSceneTable:
      ReadPage(SceneTable, r, a);
      Answer(a);
      break;
    case Protocol::StoreSunTable:
      StoreChunk(SunTable, r);
      break;
    case Protocol::ReadSunTable:
      ReadPage(SunTable, r, a);
      Answer(a);
      break;
    case Protocol::RunScene:
    case Protocol::Switch:
      SwitchEvents.push_back(SwitchEvent{r[1], r[2], r[3], r[4]});
      break;
    default:
      break;
  }
}

bool SimulatedBox::RunsLoader() const {
  return Mode == Firmware::Loader || ProductId != ApplicationProductId || Version != 0x0101;
}

void SimulatedBox::HandleLoaderReport(const uint8_t* report) {
  Loader.Handle(*this, report, [this](const uint8_t* payload) { Answer(payload); });
}

// ---- transport ----

namespace {

class SimulatedConnection : public HidConnection {
 public:
  explicit SimulatedConnection(std::shared_ptr<SimulatedBox> box)
      : box_(std::move(box)), generation_(box_->PlugGeneration()) {}
  bool Write(const uint8_t* report) override { return Alive() && box_->Receive(report); }
  HidReadResult Read(uint8_t* report, int timeoutMs) override {
    if (!Alive()) return HidReadResult::Gone;
    return box_->TakeAnswer(report, timeoutMs);
  }

 private:
  bool Alive() const { return box_->Plugged() && box_->PlugGeneration() == generation_; }
  std::shared_ptr<SimulatedBox> box_;
  int generation_;
};

}  // namespace

SimulatedHidTransport::SimulatedHidTransport() : context_(std::make_unique<QObject>()) {}

SimulatedHidTransport::~SimulatedHidTransport() {
  for (auto& b : boxes_) b->OnPlugChange = nullptr;
}

void SimulatedHidTransport::AddBox(std::shared_ptr<SimulatedBox> box) {
  box->OnPlugChange = [this] { NotifyChanged(); };
  order_.push_back(Entry{box, HidDeviceInfo()});
  boxes_.push_back(std::move(box));
  NotifyChanged();
}

void SimulatedHidTransport::AddDevice(const HidDeviceInfo& info) {
  order_.push_back(Entry{nullptr, info});
  NotifyChanged();
}

void SimulatedHidTransport::RemoveDevice(const QString& path) {
  order_.erase(std::remove_if(order_.begin(), order_.end(),
                              [&](const Entry& e) { return !e.Box && e.Info.Path == path; }),
               order_.end());
  NotifyChanged();
}

std::vector<HidDeviceInfo> SimulatedHidTransport::Enumerate() {
  std::vector<HidDeviceInfo> list;
  for (const Entry& e : order_) {
    if (!e.Box) {
      list.push_back(e.Info);
    } else if (e.Box->Plugged()) {
      HidDeviceInfo i;
      i.VendorId = e.Box->VendorId;
      i.ProductId = e.Box->ProductId;
      i.VersionNumber = e.Box->Version;
      i.ProductString = e.Box->ProductString;
      i.SetupClass = e.Box->SetupClass;
      i.Path = e.Box->Path;
      list.push_back(i);
    }
  }
  return list;
}

std::unique_ptr<HidConnection> SimulatedHidTransport::Open(const QString& path, HidOpenStatus* status,
                                                           QString* error) {
  for (const Entry& e : order_) {
    if (!e.Box || !e.Box->Plugged() || e.Box->Path != path) continue;
    if (e.Box->PermissionDenied) {
      *status = HidOpenStatus::PermissionDenied;
      if (error) *error = QStringLiteral("Permission denied");
      return nullptr;
    }
    *status = HidOpenStatus::Ok;
    return std::make_unique<SimulatedConnection>(e.Box);
  }
  *status = HidOpenStatus::Failed;
  if (error) *error = QStringLiteral("No such device");
  return nullptr;
}

void SimulatedHidTransport::WatchDeviceChanges(std::function<void()> changed) {
  changed_ = std::move(changed);
}

void SimulatedHidTransport::NotifyChanged() {
  // Like the system's notifications, these come through the event loop, never
  // in the middle of a transfer.
  if (!QCoreApplication::instance()) return;
  QMetaObject::invokeMethod(
      context_.get(),
      [this] {
        if (changed_) changed_();
      },
      Qt::QueuedConnection);
}

SimulatedHidTransport* CreateSimulatedBoxLink(const std::shared_ptr<SimulatedBox>& box) {
  auto transport = std::make_unique<SimulatedHidTransport>();
  SimulatedHidTransport* raw = transport.get();
  if (box) raw->AddBox(box);
  CreateBoxLink(std::move(transport));
  return raw;
}
