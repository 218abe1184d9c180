// The table of services in force, and the services Qt gives on every host:
// message boxes, the clipboard, the program's name.

#include "platform/Services.h"

#include "platform/Backends.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMessageBox>

namespace platform
{
namespace
{

class QtMessageBoxes final : public MessageBoxes
{
    MsgAnswer ask(const std::string &text, MsgIcon icon, MsgButtons buttons) override
    {
        QMessageBox *box = createMessageBox(text, icon, buttons, QApplication::activeWindow());
        const int result = box->exec();
        delete box;
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        return result == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
};

// On X11 the primary selection (what the middle button pastes) holds the
// text too, so it counts as the clipboard's content.
class QtClipboard final : public Clipboard
{
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

} // namespace

Services hostServices()
{
    static QtMessageBoxes messageBoxes;
    static QtClipboard clipboard;
    return {&hostShell(), &hostStore(), &hostInstanceLock(), &hostCalendar(), &messageBoxes, &clipboard};
}

Services &services()
{
    static Services current = hostServices();
    return current;
}

QMessageBox *createMessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, QWidget *parent)
{
    // A carriage return breaks the line in the system's own message boxes;
    // Qt breaks only at line feeds.
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');

    auto *box = new QMessageBox(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                                QStringLiteral("Starbond"), shown, QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setTextFormat(Qt::PlainText);
    box->setStandardButtons(buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                       : QMessageBox::StandardButtons(QMessageBox::Ok));
    box->setDefaultButton(buttons == MsgButtons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    return box;
}

QString programName()
{
    return programNameOf(QCoreApplication::applicationFilePath());
}

QString programNameOf(const QString &filePath)
{
    const QString file = QFileInfo(filePath).fileName();
    const qsizetype dot = file.lastIndexOf(u'.');
    const QString name = dot > 0 ? file.left(dot) : file;
    if (name.isEmpty() || name == u"." || name == u"..")
        return QStringLiteral("starbond");
    return name;
}

} // namespace platform
