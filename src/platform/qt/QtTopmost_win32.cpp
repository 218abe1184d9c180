#include "platform/Topmost_win32.h"
#include "platform/qt/QtServices.h"

#include <QGuiApplication>
#include <QWidget>

#include <cstdint>

namespace platform
{

class QtTopmost final : public Topmost
{
  public:
    void prepare(QWidget *) override {}
    // Qt may recreate the native window, so its handle is taken at each call.
    // Only the Windows platform's windows have one (not offscreen, say).
    void apply(QWidget *window) override
    {
        if (QGuiApplication::platformName() == QLatin1String("windows"))
            win32::setTopmost(static_cast<std::uintptr_t>(window->winId()));
    }
};

Topmost &qtTopmost()
{
    static QtTopmost topmost;
    return topmost;
}

} // namespace platform
