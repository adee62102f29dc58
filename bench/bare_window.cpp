// The yardstick of bench_startup: a bare Qt program, an 800 x 600 frameless
// window with one text label. With KLV820_EXIT_AFTER_FIRST_PAINT set it ends
// once its first frame is painted, as the program does.

#include <QApplication>
#include <QLabel>

#include "gui/shell/ExitAfterFirstPaint.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  TExitAfterFirstPaint first;
  if (qEnvironmentVariableIsSet("KLV820_EXIT_AFTER_FIRST_PAINT")) app.installEventFilter(&first);
  QLabel window(QStringLiteral("KLV-820"));
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  window.setAlignment(Qt::AlignCenter);
  window.resize(800, 600);
  window.show();
  return app.exec();
}
