#pragma once

class QWidget;

// What a screen reader hears for the program's picture controls (TImage),
// which are plain widgets to Qt and would read as nameless fillers. The role
// and state live on the widget and are read whenever the reader asks.
namespace Accessible {

// Installs the interface factory for TImage (once; later calls do nothing).
void Install();

// A tile: a selectable list item, selected or not.
void MarkSelectable(QWidget* w, bool selected);
// One side of a yes/no choice: a radio button, checked or not.
void MarkCheckable(QWidget* w, bool checked);
// A page dot: a page tab; `current` reads as selected.
void MarkPageTab(QWidget* w, bool current);
// Back to a plain picture (an empty slot that takes no click).
void MarkPicture(QWidget* w);

}  // namespace Accessible
