#pragma once

#include <QColor>
#include <cstdint>

// Colours are given throughout the program as Windows colour values
// 0x00BBGGRR (red in the low byte). This is the one place that converts them.

constexpr QRgb WinToRgb(uint32_t win) {
  return 0xFF000000u | ((win & 0xFFu) << 16) | (win & 0xFF00u) | ((win >> 16) & 0xFFu);
}
inline QColor FromWinColor(uint32_t win) { return QColor::fromRgb(WinToRgb(win)); }
// Alpha is dropped.
inline uint32_t ToWinColor(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

// Colours the screens share (Windows values).
namespace WinColour {
constexpr uint32_t Selected = 729114;  // 0x0B201A: RGB (26, 32, 11), dark green
constexpr uint32_t Grey = 0x808080;
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t Red = 0x0000FF;  // 255
constexpr uint32_t Cream = 0xF0FBFF;
constexpr uint32_t LightGrey = 0xD0D0D0;
}  // namespace WinColour
