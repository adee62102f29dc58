// On Linux a hidraw node this user may not open fails with EACCES or EPERM.
#include <hidapi.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "usb/HidOpenError.h"

namespace {

bool IsDenied(int e) { return e == EACCES || e == EPERM; }

QString ErrnoText(int e) { return QString::fromLocal8Bit(std::strerror(e)); }

// False only when sysfs names another subsystem: hidapi 0.13 crashes in
// hid_open_path on a node that is no hidraw device.
bool IsHidrawNode(const struct stat& st) {
  if (!S_ISCHR(st.st_mode)) return false;
  const QString link =
      QStringLiteral("/sys/dev/char/%1:%2/subsystem").arg(major(st.st_rdev)).arg(minor(st.st_rdev));
  const QString target = QFileInfo(link).symLinkTarget();
  return target.isEmpty() || QFileInfo(target).fileName() == QLatin1String("hidraw");
}

}  // namespace

HidOpenStatus HidProbeOpen(const QByteArray& path, QString* why) {
  struct stat st;
  if (stat(path.constData(), &st) != 0) {
    const int e = errno;
    *why = ErrnoText(e);
    return IsDenied(e) ? HidOpenStatus::PermissionDenied : HidOpenStatus::Failed;
  }
  if (access(path.constData(), R_OK | W_OK) != 0 && IsDenied(errno)) {
    *why = ErrnoText(errno);
    return HidOpenStatus::PermissionDenied;
  }
  if (!IsHidrawNode(st)) {
    *why = ErrnoText(ENOTTY);
    return HidOpenStatus::Failed;
  }
  return HidOpenStatus::Ok;
}

void HidClearOpenError() { errno = 0; }

HidOpenStatus HidOpenFailure(QString* why) {
  const int e = errno;  // before anything else can overwrite it
  const wchar_t* text = hid_error(nullptr);
  *why = text ? QString::fromWCharArray(text) : ErrnoText(e ? e : EIO);
  return IsDenied(e) ? HidOpenStatus::PermissionDenied : HidOpenStatus::Failed;
}
