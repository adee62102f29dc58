#pragma once

class QWidget;
class TTimerHandler;

// Gives a timer programme screen its pickers for another target: a
// double-click on its device panel opens the composition screen in target
// mode ("timer: rooms", "timer: devices") on the current device, one on its
// scene panel the scenes overview in select mode ("timer: scenes") on the
// current scene. The pick goes to the selected entry only. Both pickers are
// built on first use and belong to the timer screen.
void AttachTargetPickers(TTimerHandler* timer, QWidget* mainPanel, QWidget* buttonPanel);
