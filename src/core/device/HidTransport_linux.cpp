// The system's HID layer on Linux: hidapi over hidraw.
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device/HidTransport.h"

namespace {

bool g_hidInitialised = false;

void EnsureInit() {
  if (!g_hidInitialised) g_hidInitialised = hid_init() == 0;
}

class HidapiConnection : public HidConnection {
 public:
  explicit HidapiConnection(hid_device* d) : device_(d) {}
  ~HidapiConnection() override { hid_close(device_); }

  bool Write(const uint8_t* report) override {
    if (gone_) return false;
    // All 65 bytes, report id 0 first: hidraw strips it for an unnumbered report.
    const int n = hid_write(device_, report, 65);
    if (n < 0) gone_ = true;
    return n == 65;
  }

  HidReadResult Read(uint8_t* report, int timeoutMs) override {
    if (gone_) return HidReadResult::Gone;
    uint8_t payload[64];
    const int n = hid_read_timeout(device_, payload, sizeof payload, timeoutMs);
    if (n < 0) {
      gone_ = true;
      return HidReadResult::Gone;
    }
    if (n == 0) return HidReadResult::Timeout;
    report[0] = 0;
    std::memset(report + 1, 0, 64);
    std::memcpy(report + 1, payload, size_t(n));
    return HidReadResult::Report;
  }

 private:
  hid_device* device_;
  bool gone_ = false;
};

class HidapiTransport : public HidTransport {
 public:
  std::vector<HidDeviceInfo> Enumerate() override {
    EnsureInit();
    std::vector<HidDeviceInfo> list;
    hid_device_info* all = hid_enumerate(0, 0);
    for (hid_device_info* d = all; d; d = d->next) {
      HidDeviceInfo i;
      i.VendorId = d->vendor_id;
      i.ProductId = d->product_id;
      i.VersionNumber = d->release_number;
      if (d->product_string) i.ProductString = QString::fromWCharArray(d->product_string);
      // Every hidraw node is a HID device.
      i.SetupClass = QString::fromLatin1(HidSetupClassGuid);
      i.Path = QString::fromLocal8Bit(d->path);
      list.push_back(i);
    }
    hid_free_enumeration(all);
    return list;
  }

  std::unique_ptr<HidConnection> Open(const QString& path, HidOpenStatus* status, QString* error) override {
    EnsureInit();
    const QByteArray p = path.toLocal8Bit();
    if (access(p.constData(), R_OK | W_OK) != 0 && (errno == EACCES || errno == EPERM)) {
      *status = HidOpenStatus::PermissionDenied;
      if (error) *error = QString::fromLocal8Bit(std::strerror(errno));
      return nullptr;
    }
    errno = 0;
    hid_device* d = hid_open_path(p.constData());
    if (!d) {
      const int e = errno;
      *status = (e == EACCES || e == EPERM) ? HidOpenStatus::PermissionDenied : HidOpenStatus::Failed;
      if (error) {
        const wchar_t* why = hid_error(nullptr);
        *error = why ? QString::fromWCharArray(why) : QString::fromLocal8Bit(std::strerror(e ? e : EIO));
      }
      return nullptr;
    }
    *status = HidOpenStatus::Ok;
    return std::make_unique<HidapiConnection>(d);
  }

  void WatchDeviceChanges(std::function<void()> changed) override {
    monitor_ = CreateHidMonitor(std::move(changed));
  }

 private:
  std::unique_ptr<QObject> monitor_;
};

}  // namespace

std::unique_ptr<HidTransport> CreateSystemHidTransport() { return std::make_unique<HidapiTransport>(); }
