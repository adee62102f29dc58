#pragma once

#include <QString>

class TLabel;

// Puts a name on a tile caption, in lines that fit its width, with the font
// shrunk from 16 px down to 10 px until the lines fit its height. Words stay
// whole when some size allows it; otherwise a word too wide for a line is
// broken, and beyond that the second line is elided.
void SetTileCaption(TLabel* label, const QString& text);
