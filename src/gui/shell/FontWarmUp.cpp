#include "gui/shell/FontWarmUp.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <future>

#if defined(__linux__)
#include <dlfcn.h>
#endif

void StartFontWarmUp() {
#if defined(__linux__)
  static bool started = false;
  if (started || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  started = true;
  // Looked up rather than linked: fontconfig is there only as Qt's own
  // font back end, already loaded when it is the one in use.
  using Init = int (*)();
  const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
  if (!init) return;
  static std::future<void> done;
  done = std::async(std::launch::async, [init] { init(); });
  // Before the platform (and with it fontconfig's configuration) goes.
  qAddPostRoutine([] {
    if (done.valid()) done.wait();
  });
#endif
}
