#pragma once

// Qt backends of the services that need the GUI, on every platform, and the
// one service that works on Qt's own windows.

#include "platform/Services.h"

#include <string>

class QMessageBox;
class QWidget;

namespace platform
{

// Keeps a top-level window above other applications' windows.
// prepare() runs before the first show, apply() once it is shown.
class Topmost
{
  public:
    virtual ~Topmost() = default;
    virtual void prepare(QWidget *window) = 0;
    virtual void apply(QWidget *window) = 0;
};

// The services that take Qt's windows; tests replace them as they do the
// table of Services.h.
struct QtServices {
    Topmost *topmost = nullptr;
};
QtServices &qtServices();

// Puts the Qt message boxes and clipboard in force.
void installQtServices();

// The message box the message-box service shows, titled "Starbond"; the caller
// owns it.
QMessageBox *createMessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, QWidget *parent);

} // namespace platform
