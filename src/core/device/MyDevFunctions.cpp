#include "core/device/MyDevFunctions.h"

#include <QDateTime>
#include <algorithm>
#include <cstring>

#include "core/device/Communicatie.h"
#include "core/shell/Language.h"

std::unique_ptr<THidController> HidController;
std::unique_ptr<THidDevice> BoxDevice;
bool BoxConnected = false;
bool FirmwareUpdateStarted = false;
QString ProductName = QStringLiteral("KLV-820");
QString ExpectedFirmwareVersion = QStringLiteral("1.1");
int ExpectedProductId = 2050;
QString BoxVersion;
uint8_t OutReport[65] = {};
uint8_t InReport[65] = {};
BoxLinkState LinkState = BoxLinkState::NoBox;

namespace {

BoxLinkHooks g_hooks;
int g_readTimeoutMs = 1000;
QString g_openError;
// Set while the core shows a message itself, so a notification arriving from
// inside the message's event loop is dropped even without the GUI's hook.
bool g_messageShowing = false;

bool MessageOpen() { return g_messageShowing || (g_hooks.MessageOpen && g_hooks.MessageOpen()); }

void ShowMessage(const QString& line1, const QString& line2) {
  if (!g_hooks.ShowMessage) return;
  g_messageShowing = true;
  g_hooks.ShowMessage(line1, line2);
  g_messageShowing = false;
}

void Trace(bool written, const uint8_t* report) {
  if (g_hooks.Trace) g_hooks.Trace(written, report);
}

// A device that answered Gone: stop talking to it until the next notification
// decides what is present.
void LoseBox() {
  if (BoxDevice) BoxDevice->MarkGone();
  BoxConnected = false;
}

HidConnection* BoxConnection() {
  if (!BoxDevice || BoxDevice->Gone()) return nullptr;
  if (BoxDevice->Open() != HidOpenStatus::Ok) return nullptr;
  return BoxDevice->Connection();
}

}  // namespace

// ---- THidDevice ----

THidDevice::THidDevice(THidController* controller, HidDeviceInfo info)
    : controller_(controller), info_(std::move(info)) {}

THidDevice::~THidDevice() {
  connection_.reset();
  if (controller_) controller_->CheckIn(this);
}

HidOpenStatus THidDevice::Open() {
  if (opened_) return status_;
  opened_ = true;
  if (!controller_) {
    status_ = HidOpenStatus::Failed;
    return status_;
  }
  connection_ = controller_->Transport()->Open(info_.Path, &status_, &error_);
  if (connection_) status_ = HidOpenStatus::Ok;
  return status_;
}

void THidDevice::MarkGone() {
  gone_ = true;
  connection_.reset();
}

// ---- THidController ----

THidController::THidController(std::unique_ptr<HidTransport> transport) : transport_(std::move(transport)) {}

THidController::~THidController() {
  for (THidDevice* d : checkedOut_) d->controller_ = nullptr;
  offered_.clear();
}

void THidController::SetOnDeviceChange(DeviceChangeFn fn) {
  onDeviceChange_ = std::move(fn);
  transport_->WatchDeviceChanges([this] { Rescan(); });
  Rescan();
}

void THidController::Rescan() {
  std::vector<HidDeviceInfo> now = transport_->Enumerate();
  const bool changed = !scanned_ || now != list_;
  scanned_ = true;
  list_ = std::move(now);
  if (changed && onDeviceChange_) onDeviceChange_(this);
}

void THidController::Enumerate() {
  list_ = transport_->Enumerate();
  scanned_ = true;
  offered_.clear();
  for (const HidDeviceInfo& info : list_) {
    const bool out = std::any_of(checkedOut_.begin(), checkedOut_.end(),
                                 [&](const THidDevice* d) { return d->info_.Path == info.Path; });
    if (!out) offered_.push_back(std::make_unique<THidDevice>(this, info));
  }
  for (int i = 0; i < int(offered_.size()); ++i) {
    if (!offered_[i]) continue;
    if (!onEnumerate_ || !onEnumerate_(*offered_[i], i)) break;
  }
  // Devices not taken out go back to the list.
  for (auto& d : offered_) {
    if (d) d->controller_ = nullptr;
  }
  offered_.clear();
}

std::unique_ptr<THidDevice> THidController::CheckOutByIndex(int index) {
  if (index < 0 || index >= int(offered_.size()) || !offered_[index]) return nullptr;
  std::unique_ptr<THidDevice> d = std::move(offered_[index]);
  checkedOut_.insert(d.get());
  return d;
}

void THidController::CheckIn(THidDevice* device) { checkedOut_.erase(device); }

// ---- hooks and settings ----

void SetBoxLinkHooks(BoxLinkHooks hooks) { g_hooks = std::move(hooks); }
const BoxLinkHooks& GetBoxLinkHooks() { return g_hooks; }

void SetReadTimeout(int milliseconds) { g_readTimeoutMs = std::max(0, milliseconds); }
int ReadTimeout() { return g_readTimeoutMs; }

QString BoxLinkProblemText(int language) {
  const bool current = language < 0;
  switch (LinkState) {
    case BoxLinkState::NoPermission:
      return (current ? GetText(MoreTextId::BoxNoPermission) : GetText(MoreTextId::BoxNoPermission, language))
          .arg(ProductName);
    case BoxLinkState::OpenFailed:
      return (current ? GetText(MoreTextId::BoxOpenFailed) : GetText(MoreTextId::BoxOpenFailed, language))
          .arg(ProductName, g_openError);
    default:
      return QString();
  }
}

// ---- creation ----

namespace {

std::function<std::unique_ptr<HidTransport>()> g_transportFactory;
std::function<std::unique_ptr<HidTransport>()> g_systemFactory;

// The system's layer of a program built without the USB backend.
class NoHidTransport : public HidTransport {
 public:
  std::vector<HidDeviceInfo> Enumerate() override { return {}; }
  std::unique_ptr<HidConnection> Open(const QString&, HidOpenStatus* status, QString* error) override {
    *status = HidOpenStatus::Failed;
    if (error) *error = QStringLiteral("no USB backend");
    return nullptr;
  }
  void WatchDeviceChanges(std::function<void()>) override {}
};

std::unique_ptr<HidTransport> SystemTransport() {
  if (g_systemFactory) return g_systemFactory();
  return std::make_unique<NoHidTransport>();
}

}  // namespace

void SetBoxTransportFactory(std::function<std::unique_ptr<HidTransport>()> factory) {
  g_transportFactory = std::move(factory);
}

void SetSystemHidTransportFactory(std::function<std::unique_ptr<HidTransport>()> factory) {
  g_systemFactory = std::move(factory);
}

void CreateBoxLink() { CreateBoxLink(g_transportFactory ? g_transportFactory() : SystemTransport()); }

void CreateBoxLink(std::unique_ptr<HidTransport> transport) {
  ReleaseBoxLink();
  HidController = std::make_unique<THidController>(std::move(transport));
  HidController->SetOnEnumerate(OnBoxEnumerate);
  HidController->SetOnDeviceChange(OnBoxDeviceChange);
}

void ReleaseBoxLink() {
  BoxDevice.reset();
  HidController.reset();
  BoxConnected = false;
  LinkState = BoxLinkState::NoBox;
}

// ---- callbacks ----

bool OnBoxEnumerate(THidDevice& device, int index) {
  if (device.VendorId() == BoxVendorId && device.SetupClass().toUpper() == QLatin1String(HidSetupClassGuid) &&
      (device.ProductId() == ExpectedProductId || device.ProductId() == LoaderProductId)) {
    BoxDevice = HidController->CheckOutByIndex(index);
  }
  return !BoxDevice;
}

void OnBoxDeviceChange(THidController* sender) {
  if (MessageOpen()) return;
  BoxDevice.reset();
  if (HidController) HidController->Enumerate();

  if (!BoxDevice) {
    LinkState = BoxLinkState::NoBox;
    if (FirmwareUpdateStarted) return;
    if (!sender) return;
    ShowMessage(GetText(TextId::Attention), GetText(TextId::TheKLV820IsNotConnected));
    BoxConnected = false;
    OnBoxDeviceChange(nullptr);
    return;
  }

  const uint16_t version = BoxDevice->VersionNumber();
  BoxVersion = QStringLiteral("%1.%2").arg(version >> 8).arg(version & 0xFF);

  // A box that cannot be opened can neither be talked to nor updated: say why,
  // instead of claiming it is absent.
  const HidOpenStatus status = BoxDevice->Open();
  if (status != HidOpenStatus::Ok) {
    g_openError = BoxDevice->OpenError();
    LinkState =
        status == HidOpenStatus::PermissionDenied ? BoxLinkState::NoPermission : BoxLinkState::OpenFailed;
    BoxConnected = false;
    if (!sender) return;
    ShowMessage(GetText(TextId::Attention), BoxLinkProblemText());
    // The rule may have been installed meanwhile.
    OnBoxDeviceChange(nullptr);
    return;
  }

  if (BoxDevice->ProductId() != ExpectedProductId || BoxVersion != ExpectedFirmwareVersion) {
    LinkState = BoxLinkState::UpdateNeeded;
    if (g_hooks.ArmUpdateTimer) g_hooks.ArmUpdateTimer();
    return;
  }
  if (g_hooks.UpdateWindowVisible && g_hooks.UpdateWindowVisible() && g_hooks.CompleteUpdateWindow) {
    g_hooks.CompleteUpdateWindow(ProductName + GetText(TextId::HasBeenUpdated),
                                 GetText(TextId::AndIsReadyForUse));
  }
  LinkState = BoxLinkState::Ready;
  BoxConnected = true;
  SendBoxClock(QDateTime::currentDateTime());
  CheckBoxAddress();
}

// ---- transfer ----

bool WriteReport(const uint8_t* buffer, int /*length*/) {
  if (!BoxConnected) return false;
  HidConnection* c = BoxConnection();
  if (!c) {
    LoseBox();
    return false;
  }
  // An answer that came after its reader gave up must not be taken for the
  // answer to this report.
  uint8_t stale[ReportSize];
  for (;;) {
    std::memset(stale, 0, sizeof stale);
    const HidReadResult r = c->Read(stale, 0);
    if (r == HidReadResult::Gone) {
      LoseBox();
      return false;
    }
    if (r != HidReadResult::Report) break;
    Trace(false, stale);
  }
  uint8_t report[ReportSize];
  std::memcpy(report, buffer, ReportSize);
  report[0] = 0;
  Trace(true, report);
  if (!c->Write(report)) {
    LoseBox();
    return false;
  }
  return true;
}

bool ReadReport(uint8_t* buffer) {
  if (!BoxConnected) return false;
  HidConnection* c = BoxConnection();
  if (!c) {
    LoseBox();
    return false;
  }
  uint8_t report[ReportSize] = {};
  const HidReadResult r = c->Read(report, g_readTimeoutMs);
  if (r == HidReadResult::Report) {
    report[0] = 0;
    Trace(false, report);
    std::memcpy(buffer, report, ReportSize);
    return true;
  }
  Trace(false, nullptr);
  if (r == HidReadResult::Gone) LoseBox();
  return false;
}
