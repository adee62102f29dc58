#pragma once

#include <QColor>
#include <QRegion>
#include <QSize>

class QWidget;

// Rounded outline for any top-level window (main window, dialogs).
//
//   RoundForm(this, 20);   // e.g. at the end of a dialog's constructor
//
// The window's visible region becomes the rounded rectangle from (1, 1) to
// (width, height) -- pixels x = 1..width-1, y = 1..height-1 -- whose corners
// are ellipses of `radius` x `radius` pixels (so the corner radius is
// radius / 2). The window is frameless-looking only if it has
// Qt::FramelessWindowHint; RoundForm does not change its flags.
//
// A mask is a hard pixel boundary, so RoundForm also places a transparent
// overlay over the form that draws an antialiased edge in `edge` colour along
// the outline, covering the steps of the mask. The overlay ignores the mouse,
// follows resizes (the mask is rebuilt) and keeps itself above children added
// later. Calling RoundForm again on the same form replaces radius and colour;
// radius 0 removes the mask and the edge.
void RoundForm(QWidget* form, int radius, const QColor& edge = QColor(62, 80, 96));

// The region RoundForm gives a form of `size`.
QRegion RoundedRegion(const QSize& size, int radius);
