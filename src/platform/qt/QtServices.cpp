#include "platform/qt/QtServices.h"

namespace platform
{

MessageBoxes &qtMessageBoxes();
Clipboard &qtClipboard();
Topmost &qtTopmost();

QtServices &qtServices()
{
    static QtServices current{&qtTopmost()};
    return current;
}

void installQtServices()
{
    Services &s = services();
    s.messageBoxes = &qtMessageBoxes();
    s.clipboard = &qtClipboard();
}

} // namespace platform
