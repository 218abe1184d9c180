#include "app/Shutdown.h"

#include "platform/Services.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace app
{

void Shutdown::exitApplication()
{
    ++m_depth;
    // Guarded up front: a close handler may delete another window.
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget> &window : windows) {
        if (m_terminated)
            break;
        if (window.isNull() || m_closing.contains(window.data()))
            continue;
        m_closing.insert(window.data());
        window->close();
    }
    if (!m_terminated) {
        m_terminated = true;
        platform::services().terminator->terminate(0);
    }
    if (--m_depth == 0) {
        m_terminated = false;
        m_closing.clear();
    }
}

} // namespace app
