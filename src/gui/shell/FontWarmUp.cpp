#include "gui/shell/FontWarmUp.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>

std::future<void> WarmUpFonts() {
  return std::async(std::launch::async, [] {
    // The main window's font: the database, its fontconfig set-up and the
    // face the first screen draws with.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    (void)QFontMetrics(font).height();
  });
}
