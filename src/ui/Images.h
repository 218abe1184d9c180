#pragma once

#include <QIcon>
#include <QPixmap>

namespace ui
{
// The program's icon for its windows (16, 32 and 48 pixels).
QIcon StarbondIcon();
// The main window's picture: an eight-pointed star ringed by the planets'
// symbols, 103 x 105 pixels.
QPixmap StarPicture();
} // namespace ui
