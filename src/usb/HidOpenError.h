#pragma once

#include <QByteArray>
#include <QString>

#include "core/device/HidTransport.h"

// The system-specific part of opening a HID device through hidapi: telling
// "this user may not open it" from other failures. hidapi itself reports only
// that the open failed.

// Asked before hidapi opens `path` (the bytes hidapi listed). Ok lets hidapi
// try; any other status is final and *why holds the system's reason. Paths
// that are plainly no HID device are refused here, because not every hidapi
// version survives opening them.
HidOpenStatus HidProbeOpen(const QByteArray& path, QString* why);

// Clears the system's last error, so that HidOpenFailure sees only what the
// following hid_open_path left.
void HidClearOpenError();

// Right after hid_open_path returned null: PermissionDenied or Failed for the
// error it left; *why is set to the reason.
HidOpenStatus HidOpenFailure(QString* why);
