#include "gui/common/BusyCursor.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace {
int g_active = 0;
}  // namespace

TBusyCursor::TBusyCursor() {
  // Only paints and other posted work; no clicks or keys reach the screens here.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  Resume();
}

TBusyCursor::~TBusyCursor() { Pause(); }

void TBusyCursor::Pause() {
  if (!on_) return;
  QGuiApplication::restoreOverrideCursor();
  on_ = false;
  --g_active;
}

void TBusyCursor::Resume() {
  if (on_) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  on_ = true;
  ++g_active;
}

bool TBusyCursor::Active() { return g_active > 0; }
