#include "platform/Services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace platform
{

class QtMessageBoxes final : public MessageBoxes
{
  public:
    MsgAnswer show(const std::string &text, MsgIcon icon, MsgButtons buttons) override
    {
        QMessageBox box(icon == MsgIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                        QStringLiteral("Starbond"), QString::fromStdString(text), QMessageBox::NoButton,
                        QApplication::activeWindow());
        box.setObjectName(QStringLiteral("messageBox"));
        if (buttons == MsgButtons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
            box.setDefaultButton(QMessageBox::Ok);
        }
        const int result = box.exec();
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
