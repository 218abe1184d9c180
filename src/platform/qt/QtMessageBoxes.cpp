#include "platform/qt/QtServices.h"

#include "platform/Services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform
{

QMessageBox *createMessageBox(const std::string &text, MsgIcon icon, MsgButtons buttons, QWidget *parent)
{
    // A carriage return breaks the line in the system's own message boxes;
    // Qt breaks only at line feeds.
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    auto *box = new QMessageBox(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                                QStringLiteral("Starbond"), shown, QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("messageBox"));
    box->setTextFormat(Qt::PlainText);
    if (buttons == MsgButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
    }
    return box;
}

class QtMessageBoxes final : public MessageBoxes
{
  public:
    MsgAnswer show(const std::string &text, MsgIcon icon, MsgButtons buttons) override
    {
        QMessageBox *box = createMessageBox(text, icon, buttons, QApplication::activeWindow());
        const int result = box->exec();
        delete box;
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        return result == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
    }
};

MessageBoxes &qtMessageBoxes()
{
    static QtMessageBoxes boxes;
    return boxes;
}

} // namespace platform
