#include "app/Shutdown.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace app
{

Shutdown::Shutdown(std::function<void()> terminate) : m_terminate(std::move(terminate)) {}

void Shutdown::exitApplication()
{
    ++m_depth;
    // Guarded up front: a close handler may delete another window.
    QList<QPointer<QWidget>> windows;
    const QWidgetList topLevel = QApplication::topLevelWidgets();
    for (QWidget *window : topLevel)
        windows.append(window);
    for (const QPointer<QWidget> &window : std::as_const(windows)) {
        if (m_terminated)
            break;
        if (window.isNull() || m_closing.contains(window.data()))
            continue;
        m_closing.insert(window.data());
        window->close();
    }
    if (!m_terminated) {
        m_terminated = true;
        m_terminate();
    }
    if (--m_depth == 0) {
        m_terminated = false;
        m_closing.clear();
    }
}

} // namespace app
