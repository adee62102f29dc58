#pragma once

// Starts fontconfig's own set-up on a second thread, once per run, where the
// platform's fonts come from fontconfig: reading its configuration files and
// font caches is most of the cost of the first text measured or drawn (some
// 28 M instructions, several milliseconds). Call it with the application
// object in place, early in the start. Nothing waits for the thread: should
// the program need fonts first, it sets fontconfig up itself and fontconfig
// keeps one of the two. The application waits for the thread as it ends.
void StartFontWarmUp();
