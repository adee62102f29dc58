#pragma once

#include <functional>

class QWidget;

// Runs `then` from the event loop once the first frame of `window` is on
// screen (one loop turn after the first paint event of one of its widgets),
// or after `fallbackMs` milliseconds when the window is not painted (hidden
// or minimised). Runs once; nothing runs when `window` goes first.
void AfterFirstPaint(QWidget* window, std::function<void()> then, int fallbackMs = 500);
