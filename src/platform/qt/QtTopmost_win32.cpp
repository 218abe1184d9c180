#include "platform/Topmost_win32.h"
#include "platform/qt/QtServices.h"

#include <QWidget>

#include <cstdint>

namespace platform
{

class QtTopmost final : public Topmost
{
  public:
    void prepare(QWidget *) override {}
    // Qt may recreate the native window, so its handle is taken at each call.
    void apply(QWidget *window) override { win32::SetTopmost(static_cast<std::uintptr_t>(window->winId())); }
};

Topmost &qtTopmost()
{
    static QtTopmost topmost;
    return topmost;
}

} // namespace platform
