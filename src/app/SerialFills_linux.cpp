// Qt's own GUI thread pool, made to run its tasks on the calling thread.
//
// Qt's raster engine hands every fill of 96 spans or more (a rounded button,
// a panel's border, the window's edge) to a thread pool in slices and waits
// for them; image conversions and smooth scaling do the same. For this
// window's small shapes the hand-off (waking the pool's threads, and starting
// them the first time) costs more than the fill itself: about 2 ms of the
// start, and two threads kept alive. Newer Qt versions turn the pool off with
// QT_NO_GUI_THREADPOOL (main sets it); Qt 6.4 has no such switch, so on
// Linux this definition of QThreadPool::start, which the dynamic linker
// prefers to QtCore's, runs a task that QtGui's own code starts at once (in
// 6.4 on the global pool). Every such task is a slice of work the caller
// then waits for, so running it in place is the serial fill. All other
// callers, the program's own pools among them, reach QtCore's definition
// unchanged.

#include <dlfcn.h>
#include <link.h>
#include <QThreadPool>

#include <cstdint>
#include <cstring>
#include <functional>

namespace {

using RealStart = void (*)(QThreadPool*, std::function<void()>, int);

struct Range {
  uintptr_t begin = 0;
  uintptr_t end = 0;
};

// Where QtGui's code lies; empty when it is not loaded.
Range QtGuiCode() {
  Range range;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        if (!info->dlpi_name || !std::strstr(info->dlpi_name, "libQt6Gui.so")) return 0;
        auto* r = static_cast<Range*>(data);
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& ph = info->dlpi_phdr[i];
          if (ph.p_type != PT_LOAD || !(ph.p_flags & PF_X)) continue;
          const uintptr_t b = info->dlpi_addr + ph.p_vaddr;
          if (!r->begin || b < r->begin) r->begin = b;
          if (b + ph.p_memsz > r->end) r->end = b + ph.p_memsz;
        }
        return 1;
      },
      &range);
  return range;
}

}  // namespace

void QThreadPool::start(std::function<void()> functionToRun, int priority) {
  static const RealStart real =
      reinterpret_cast<RealStart>(dlsym(RTLD_NEXT, "_ZN11QThreadPool5startESt8functionIFvvEEi"));
  // QtGui is loaded before main runs, and stays.
  static const Range gui = QtGuiCode();
  const auto caller = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
  const bool fromGui = caller >= gui.begin && caller < gui.end;
  // Without QtCore's definition (never seen) every task runs in place.
  if (fromGui || !real) {
    functionToRun();
    return;
  }
  real(this, std::move(functionToRun), priority);
}
