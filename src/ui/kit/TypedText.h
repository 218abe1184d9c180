#pragma once

#include <QString>

#include <functional>

class QEvent;
class QLineEdit;

namespace ui
{

// A box's filter on what is typed into it: each character a key press or an
// input method's commit types goes through accept() on its own, in order, as
// typing it alone would (accept() says what it refuses); the refused ones are
// dropped and the rest goes in. A backspace among several characters erases
// nothing, so it is no character of the text either. Only typing is filtered:
// a paste or a drop is not. True when the event is used up.
bool letTypedTextThrough(QLineEdit *box, QEvent *event, const QString &typed, const std::function<bool(QChar)> &accept);

} // namespace ui
