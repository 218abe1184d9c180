#include "platform/Services.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform
{

class QtClipboard final : public Clipboard
{
  public:
    bool ownsContent() override { return QGuiApplication::clipboard()->ownsClipboard(); }
    void clear() override { QGuiApplication::clipboard()->clear(QClipboard::Clipboard); }
};

Clipboard &qtClipboard()
{
    static QtClipboard clipboard;
    return clipboard;
}

} // namespace platform
