// The system's HID layer through hidapi (hidraw on Linux, hid.dll on Windows).
// What differs between the systems, telling a refused open from other
// failures, lives in HidOpenError.
#include <hidapi.h>

#include <cstring>

#include "core/device/MyDevFunctions.h"
#include "usb/HidOpenError.h"
#include "usb/SystemHid.h"

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
    // All 65 bytes, report id 0 first: hidraw strips it for an unnumbered
    // report, Windows wants it as the first byte of a full-length report.
    const int n = hid_write(device_, report, 65);
    if (n < 0) gone_ = true;
    return n == 65;
  }

  HidReadResult Read(uint8_t* report, int timeoutMs) override {
    if (gone_) return HidReadResult::Gone;
    // hidapi hands back the payload without the report id on both systems.
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
      // hidapi lists HID devices only: hidraw nodes on Linux, interfaces of
      // the HID class on Windows.
      i.SetupClass = QString::fromLatin1(HidSetupClassGuid);
      if (d->path) i.Path = QString::fromUtf8(d->path);
      list.push_back(i);
    }
    hid_free_enumeration(all);
    return list;
  }

  std::unique_ptr<HidConnection> Open(const QString& path, HidOpenStatus* status, QString* error) override {
    EnsureInit();
    const QByteArray p = path.toUtf8();
    QString why;
    if (const HidOpenStatus probed = HidProbeOpen(p, &why); probed != HidOpenStatus::Ok) {
      *status = probed;
      if (error) *error = why;
      return nullptr;
    }
    HidClearOpenError();
    hid_device* d = hid_open_path(p.constData());
    if (!d) {
      *status = HidOpenFailure(&why);
      if (error) *error = why;
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

void UseSystemHid() { SetSystemHidTransportFactory(&CreateSystemHidTransport); }
