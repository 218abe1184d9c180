#include "platform/qt/QtServices.h"

#include "platform/Services.h"

namespace platform
{

MessageBoxes &qtMessageBoxes();
Clipboard &qtClipboard();
Topmost &qtTopmost();

void installQtServices()
{
    Services &s = services();
    s.messageBoxes = &qtMessageBoxes();
    s.clipboard = &qtClipboard();
    s.topmost = &qtTopmost();
}

} // namespace platform
