#include "platform/Services.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform
{

// On X11 the primary selection (what the middle button pastes) holds the
// text too, so it counts as the clipboard's content.
class QtClipboard final : public Clipboard
{
  public:
    bool ownsContent() override
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        return clipboard->ownsClipboard() || clipboard->ownsSelection();
    }
    void clear() override
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        if (clipboard->ownsClipboard())
            clipboard->clear(QClipboard::Clipboard);
        if (clipboard->ownsSelection())
            clipboard->clear(QClipboard::Selection);
    }
};

Clipboard &qtClipboard()
{
    static QtClipboard clipboard;
    return clipboard;
}

} // namespace platform
