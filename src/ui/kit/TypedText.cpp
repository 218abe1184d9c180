#include "ui/kit/TypedText.h"

#include <QInputMethodEvent>
#include <QLineEdit>

namespace ui
{

bool letTypedTextThrough(QLineEdit *box, QEvent *event, const QString &typed, const std::function<bool(QChar)> &accept)
{
    QString accepted;
    for (const QChar c : typed) {
        if (accept(c))
            accepted += c;
    }
    QString rest = accepted;
    rest.remove(QChar(8));
    if (event->type() == QEvent::InputMethod) {
        auto *input = static_cast<QInputMethodEvent *>(event);
        if (rest != typed)
            input->setCommitString(rest, input->replacementStart(), input->replacementLength());
        return false;
    }
    if (accepted == typed)
        return false;
    if (!rest.isEmpty())
        box->insert(rest);
    return true;
}

} // namespace ui
