// Plug and unplug on Windows through WM_DEVICECHANGE.
//
// The system broadcasts DBT_DEVNODES_CHANGED to top-level windows only (a
// message-only window never sees it), and the command-line tool has no window
// at all, so the monitor makes a hidden top-level window of its own with its
// own window procedure; it needs no GUI module. That window is also registered
// for arrivals and removals of HID interfaces, which come once the new device
// can be opened. As a native event filter the monitor further sees the
// message where it reaches Qt's own windows. One change brings a burst of
// messages; a zero-time single-shot timer folds each burst into one call.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <dbt.h>

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include "usb/SystemHid.h"

namespace {

constexpr wchar_t kWindowClass[] = L"Klv820HidMonitorWindow";

// The HID device interface class.
constexpr GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

class HidMonitor : public QObject, public QAbstractNativeEventFilter {
 public:
  explicit HidMonitor(std::function<void()> changed) : changed_(std::move(changed)) {
    coalesce_.setSingleShot(true);
    coalesce_.setInterval(0);
    QObject::connect(&coalesce_, &QTimer::timeout, this, [this] {
      if (changed_) changed_();
    });
  }

  ~HidMonitor() override {
    coalesce_.stop();
    if (filtering_) {
      if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
    }
    if (notification_) UnregisterDeviceNotification(notification_);
    if (window_) {
      // Messages sent while the window goes away must not reach this object.
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      DestroyWindow(window_);
    }
  }

  // False when neither the window nor the filter could be set up.
  bool Start() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &HidMonitor::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWindowClass;
    // A second monitor finds the class already there; it is the same class.
    if (RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
      // No parent: a top-level window. Never shown.
      window_ = CreateWindowExW(0, kWindowClass, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance,
                                static_cast<void*>(this));
    }
    if (window_) {
      DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
      filter.dbcc_size = sizeof filter;
      filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
      filter.dbcc_classguid = kHidInterfaceClass;
      // Null on failure; the broadcast still reaches the window then.
      notification_ = RegisterDeviceNotificationW(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    // The application's filters run on its own thread; a monitor living on
    // another thread must not be called from there.
    QCoreApplication* app = QCoreApplication::instance();
    if (app && app->thread() == QThread::currentThread()) {
      app->installNativeEventFilter(this);
      filtering_ = true;
    }
    return window_ || filtering_;
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType == "windows_generic_MSG" || eventType == "windows_dispatcher_MSG") {
      const MSG* msg = static_cast<const MSG*>(message);
      if (msg && msg->message == WM_DEVICECHANGE) OnDeviceChange(msg->wParam);
    }
    return false;  // others may want the message too
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      // The first message carrying the creation parameters; a few may come
      // before it and find no monitor yet.
      const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (msg == WM_DEVICECHANGE) {
      if (HidMonitor* self = reinterpret_cast<HidMonitor*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
        self->OnDeviceChange(wParam);
      return TRUE;  // also grants DBT_DEVICEQUERYREMOVE
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  void OnDeviceChange(WPARAM event) {
    switch (event) {
      case DBT_DEVNODES_CHANGED:
      case DBT_DEVICEARRIVAL:
      case DBT_DEVICEREMOVECOMPLETE:
        coalesce_.start();
        break;
      default:
        break;
    }
  }

  std::function<void()> changed_;
  QTimer coalesce_;
  HWND window_ = nullptr;
  HDEVNOTIFY notification_ = nullptr;
  bool filtering_ = false;
};

}  // namespace

std::unique_ptr<QObject> CreateHidMonitor(std::function<void()> changed) {
  auto monitor = std::make_unique<HidMonitor>(std::move(changed));
  if (!monitor->Start()) return nullptr;
  return monitor;
}
