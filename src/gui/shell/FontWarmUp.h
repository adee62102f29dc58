#pragma once

#include <future>

// Reads the system's font configuration on another thread (the first use of
// any font otherwise does it on the GUI thread, a few milliseconds), while
// the GUI thread loads the installation. Whoever needs a font first waits
// for it. Keep the result until the main window exists: its destruction
// waits for the thread, which must end before the application object.
std::future<void> WarmUpFonts();
