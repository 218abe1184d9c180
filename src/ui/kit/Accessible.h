#pragma once

// What assistive technology (a screen reader) is told about the widget kit
// beyond Qt's own: link labels are links that a press action follows, caption
// frames are groups named by their caption, and a frame or link that a
// sibling covers whole is off screen, so that reading the window skips it.
// Frames offer no control hidden in them.

class QWidget;

namespace ui
{

// Installs the kit's accessibility; once is enough, more is harmless.
void installAccessibility();

// Tells assistive technology when a raise or lower puts the widget, or a
// sibling, under another sibling or brings it back to the top.
void watchStacking(QWidget *widget);

// True when a later sibling (one above it) that is shown covers the widget's
// whole rectangle.
bool isCovered(const QWidget *widget);

} // namespace ui
