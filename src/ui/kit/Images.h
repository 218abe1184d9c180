#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>

class QLabel;

namespace ui
{
// The program's icon for its windows: 16, 32 and 48 pixels, and their
// doubles for screens of twice the density.
QIcon starbondIcon();
// The icon as a picture of the given size in logical pixels, drawn for a
// screen of this device pixel ratio.
QPixmap iconPicture(int size, qreal devicePixelRatio);
// The main window's picture: an eight-pointed star ringed by the planets'
// symbols, 103 x 105 logical pixels, drawn for a screen of this device pixel
// ratio.
QPixmap starPicture(qreal devicePixelRatio);

// Shows a picture in the label, drawn for the density of the label's screen,
// and drawn again when the window moves to a screen of another density.
void showPicture(QLabel *label, std::function<QPixmap(qreal devicePixelRatio)> draw);
} // namespace ui
