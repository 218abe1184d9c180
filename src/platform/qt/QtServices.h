#pragma once

// Qt backends of the services that need the GUI, on every platform.

namespace platform
{
// Puts the Qt message boxes, clipboard and topmost backends in force.
void installQtServices();
} // namespace platform
