#pragma once

#include <QFont>
#include <QSize>
#include <QString>

// Text that does not fit its control at the designed size is drawn smaller,
// one pixel at a time, but never below this size: it stays readable, and a
// text that needs less is shortened in the language table instead.
constexpr int kReadableFloorPx = 12;

// Whether `text` ("\r" a line break) drawn with `font` and `flags`
// (Qt::TextWordWrap or not) fits `box`: no line wider, no more lines than the
// box is high.
bool TextFits(const QFont& font, const QString& text, QSize box, int flags);

// `font` at the largest pixel size from its own down to kReadableFloorPx at
// which `text` fits `box`; at the floor when none does.
QFont FittingFont(const QFont& font, const QString& text, QSize box, int flags);
