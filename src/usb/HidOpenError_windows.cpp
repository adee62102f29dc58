// On Windows a device another program holds exclusively, or that this user
// may not open, fails with ERROR_ACCESS_DENIED.
//
// The probe opens the device for reading and writing itself: hidapi, when that
// fails, retries without read and write access and would then hand back a
// handle that can neither send nor receive reports, and the error it leaves
// behind is gone by the time hid_open_path returns.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <hidapi.h>

#include <string>

#include "usb/HidOpenError.h"

namespace {

QString SystemMessage(DWORD code) {
  wchar_t text[512];
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                 text, DWORD(sizeof text / sizeof text[0]), nullptr);
  if (n == 0) return QStringLiteral("Windows error %1").arg(qulonglong(code));
  return QString::fromWCharArray(text, int(n)).trimmed();
}

HidOpenStatus StatusFor(DWORD code) {
  return code == ERROR_ACCESS_DENIED ? HidOpenStatus::PermissionDenied : HidOpenStatus::Failed;
}

}  // namespace

HidOpenStatus HidProbeOpen(const QByteArray& path, QString* why) {
  // hidapi's paths are UTF-8 (device interface paths are plain ASCII anyway).
  const std::wstring wide = QString::fromUtf8(path).toStdWString();
  HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return HidOpenStatus::Ok;
  }
  const DWORD code = GetLastError();
  *why = SystemMessage(code);
  return StatusFor(code);
}

void HidClearOpenError() { SetLastError(ERROR_SUCCESS); }

HidOpenStatus HidOpenFailure(QString* why) {
  const DWORD code = GetLastError();  // before anything else can overwrite it
  if (code != ERROR_SUCCESS) {
    *why = SystemMessage(code);
  } else {
    const wchar_t* text = hid_error(nullptr);
    *why = text ? QString::fromWCharArray(text) : SystemMessage(ERROR_GEN_FAILURE);
  }
  return StatusFor(code);
}
