#pragma once

#include "platform/Services.h"

#include <string>

class QMessageBox;
class QWidget;

namespace platform
{
// The message box the message-box service shows, titled "Starbond"; the
// caller owns it.
QMessageBox *createMessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, QWidget *parent);
} // namespace platform
