// Plug and unplug through a udev monitor on the hidraw subsystem. The "udev"
// source reports a device only after udev's rules ran, so its permissions are
// already set when we rescan.
#include <libudev.h>

#include <QSocketNotifier>

#include "usb/SystemHid.h"

namespace {

class HidMonitor : public QObject {
 public:
  HidMonitor(udev* u, udev_monitor* m, std::function<void()> changed)
      : udev_(u),
        monitor_(m),
        changed_(std::move(changed)),
        notifier_(udev_monitor_get_fd(m), QSocketNotifier::Read, this) {
    connect(&notifier_, &QSocketNotifier::activated, this, [this] { OnReadable(); });
  }
  ~HidMonitor() override {
    notifier_.setEnabled(false);
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
  }

 private:
  void OnReadable() {
    // Take every queued event, then rescan once.
    bool any = false;
    while (udev_device* d = udev_monitor_receive_device(monitor_)) {
      udev_device_unref(d);
      any = true;
    }
    if (any && changed_) changed_();
  }

  udev* udev_;
  udev_monitor* monitor_;
  std::function<void()> changed_;
  QSocketNotifier notifier_;
};

}  // namespace

std::unique_ptr<QObject> CreateHidMonitor(std::function<void()> changed) {
  udev* u = udev_new();
  if (!u) return nullptr;
  udev_monitor* m = udev_monitor_new_from_netlink(u, "udev");
  if (!m) {
    udev_unref(u);
    return nullptr;
  }
  if (udev_monitor_filter_add_match_subsystem_devtype(m, "hidraw", nullptr) < 0 ||
      udev_monitor_enable_receiving(m) < 0) {
    udev_monitor_unref(m);
    udev_unref(u);
    return nullptr;
  }
  return std::make_unique<HidMonitor>(u, m, std::move(changed));
}
