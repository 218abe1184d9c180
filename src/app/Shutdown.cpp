#include "app/Shutdown.h"

#include "platform/Services.h"

#include <QApplication>
#include <QPointer>
#include <QSet>
#include <QWidget>

namespace
{

// State of the exit in progress. A window's close handling may call
// ExitApplication again (the exit screen does); the inner call closes what is
// left and terminates. Should the terminator return (a test's fake), the
// outer call must neither walk on nor terminate a second time.
struct Exit {
    int depth = 0;
    bool terminated = false;
    QSet<QWidget *> closing;
};

Exit &exitState()
{
    static Exit state;
    return state;
}

} // namespace

namespace modHelp
{

void ExitApplication()
{
    Exit &state = exitState();
    ++state.depth;
    // Guarded up front: a close handler may delete another window.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows) {
        if (state.terminated)
            break;
        if (window.isNull() || state.closing.contains(window.data()))
            continue;
        state.closing.insert(window.data());
        window->close();
    }
    if (!state.terminated) {
        state.terminated = true;
        platform::services().terminator->terminate(0);
    }
    if (--state.depth == 0)
        state = Exit{};
}

} // namespace modHelp
