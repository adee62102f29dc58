#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "core/device/HidTransport.h"

// The system's HID layer: hidapi (over hidraw on Linux, hid.dll on Windows);
// plug and unplug through udev on Linux, WM_DEVICECHANGE on Windows. The core
// knows only the HidTransport interface; a program that talks to a real box
// calls UseSystemHid once at start.

std::unique_ptr<HidTransport> CreateSystemHidTransport();

// Watches the system for HID devices coming and going and calls `changed`
// from the event loop for each such event. The watch ends with the returned
// object; null when the system offers no way to watch.
std::unique_ptr<QObject> CreateHidMonitor(std::function<void()> changed);

// Makes CreateBoxLink() (without a transport) open the system's HID layer.
void UseSystemHid();
