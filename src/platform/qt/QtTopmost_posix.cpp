#include "platform/qt/QtServices.h"

#include <QWidget>

namespace platform
{

class QtTopmost final : public Topmost
{
  public:
    // Changing window flags after the first show hides and recreates the
    // native window, so the hint goes on before it.
    void prepare(QWidget *window) override { window->setWindowFlag(Qt::WindowStaysOnTopHint, true); }
    void apply(QWidget *) override {}
};

Topmost &qtTopmost()
{
    static QtTopmost topmost;
    return topmost;
}

} // namespace platform
