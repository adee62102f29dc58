#pragma once

#include <optional>

class TImage;

// Shows the LED strip (64 x 16) for a scene item's action on `led`: 0 (off)
// red, 17 (on) or more green, 1..16 (a dim level) yellow; no action: all
// off. Its accessible name says the action ("on", "off", "dim value" and the
// level), empty without one.
void ShowActionLed(TImage* led, std::optional<int> action);
