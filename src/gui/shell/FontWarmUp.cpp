#include "gui/shell/FontWarmUp.h"

#include <QFontDatabase>
#include <QGuiApplication>

TFontWarmUp::TFontWarmUp() {
  // The font database belongs to the platform of a GUI application.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  done_ = std::async(std::launch::async, [] { QFontDatabase::families(); });
}

TFontWarmUp::~TFontWarmUp() {
  if (done_.valid()) done_.wait();
}
