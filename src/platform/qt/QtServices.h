#pragma once

// Qt backends of the services that need the GUI, on every platform.

#include "platform/Services.h"

#include <string>

class QMessageBox;
class QWidget;

namespace platform
{
// Puts the Qt message boxes, clipboard and topmost backends in force.
void installQtServices();

// The message box the message-box service shows, titled "Starbond"; the caller
// owns it.
QMessageBox *createMessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, QWidget *parent);
} // namespace platform
