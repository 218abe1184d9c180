#include "outreach/ReferralForm.h"

#include "outreach/Links.h"
#include "platform/Services.h"
#include "reading/Text.h"
#include "ui/kit/Layout.h"
#include "ui/kit/TypedText.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>

namespace outreach
{
namespace
{

// The text of a box as the form keeps it: lines end in CR LF.
QString boxText(QWidget *box)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    QString text = static_cast<QPlainTextEdit *>(box)->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return text;
}

void setBoxText(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else
        static_cast<QPlainTextEdit *>(box)->setPlainText(text);
}

// Focus that moves to another window (a message box, another program) and
// back is no move between the boxes.
bool movesBetweenControls(const QFocusEvent *event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

// The boxes are named for what they ask: the text they show is a value.
ui::Control box(const char *name, int left, int top, std::string_view placeholder, const char *says)
{
    return {.name = name, .rect = {left, top, 3375, 285}, .text = placeholder.data(), .accessibleName = says};
}

} // namespace

ReferralForm::ReferralForm(QWidget *parent)
    : ui::CaptionFrame(parent, {.name = "Frame2",
                                .rect = {120, 3240, 7065, 1455},
                                .text = "Refer A Friend",
                                .face = {.family = "Verdana", .points = 9.75, .bold = true},
                                .colour = ui::colours::Navy,
                                .style = ui::Etched})
{
    m_name = {ui::textBox(this, box("txtName", 85, 360, NamePlaceholder, "Your name")), NamePlaceholder, false};
    m_email = {ui::textBox(this, box("txtEmail", 3600, 360, EmailPlaceholder, "Your email address")), EmailPlaceholder,
               true};
    m_friendName = {ui::textBox(this, box("txtFriendName", 85, 720, FriendNamePlaceholder, "Your friend's name")),
                    FriendNamePlaceholder, false};
    m_friendEmail = {
        ui::textBox(this, box("txtFriendEmail", 3600, 720, FriendEmailPlaceholder, "Your friend's email address")),
        FriendEmailPlaceholder, true};
    m_send = ui::button(
        this, {.name = "cmdSubmit", .rect = {1920, 1080, 3375, 285}, .text = "Refer A Friend &Now", .face = ui::Bold});
    // Below the frame's bottom edge: never seen, still reached by Tab. As
    // designed it holds the placeholder and a line break, which is no
    // placeholder.
    auto *message =
        ui::textArea(this, {.name = "txtMessage", .rect = {4800, 3600, 1815, 495}, .accessibleName = "Your message"});
    message->setPlainText(ui::qString(MessagePlaceholder) + u'\n');
    m_message = {message, MessagePlaceholder, false};

    for (const Box *b : {&m_name, &m_email, &m_friendName, &m_friendEmail, &m_message})
        b->widget->installEventFilter(this);
    // Return presses the button when it has the focus.
    m_send->setAutoDefault(true);
    connect(m_send, &QPushButton::clicked, this, &ReferralForm::send);
}

QList<QWidget *> ReferralForm::keyboardOrder() const
{
    return {m_name.widget, m_send, m_email.widget, m_friendEmail.widget, m_friendName.widget, m_message.widget};
}

Referral ReferralForm::typed() const
{
    const auto text = [](const Box &box) { return boxText(box.widget).toStdString(); };
    return {text(m_name), text(m_email), text(m_message), text(m_friendName), text(m_friendEmail)};
}

void ReferralForm::send()
{
    const Referral referral = trimmed(typed());
    platform::Services &services = platform::services();
    if (const auto fault = firstReferralFault(referral)) {
        services.messageBoxes->show(std::string(*fault), platform::MsgIcon::Critical);
        return;
    }
    // Nothing is reported as sent: a sent referral shows nothing. The form
    // may be gone by the time the browser's failure is known.
    services.shell->openUrl(referralUrl(referral), [form = QPointer<ReferralForm>(this)] {
        if (form)
            platform::services().messageBoxes->show(std::string(NotSentMessage), platform::MsgIcon::Critical);
    });
}

bool ReferralForm::eventFilter(QObject *watched, QEvent *event)
{
    for (const Box *box : {&m_name, &m_email, &m_friendName, &m_friendEmail, &m_message}) {
        if (box->widget != watched)
            continue;
        switch (event->type()) {
        case QEvent::FocusIn:
            if (movesBetweenControls(static_cast<QFocusEvent *>(event)))
                clearPlaceholder(*box);
            break;
        case QEvent::FocusOut:
            if (movesBetweenControls(static_cast<QFocusEvent *>(event)))
                restorePlaceholder(*box);
            break;
        case QEvent::KeyPress:
        case QEvent::InputMethod:
            if (box->refusesBlanks)
                return refuseBlanks(*box, event);
            break;
        default:
            break;
        }
    }
    return ui::CaptionFrame::eventFilter(watched, event);
}

void ReferralForm::clearPlaceholder(const Box &box)
{
    if (reading::trimBlanks(boxText(box.widget).toStdString()) == box.placeholder)
        setBoxText(box.widget, QString());
}

void ReferralForm::restorePlaceholder(const Box &box)
{
    if (reading::trimBlanks(boxText(box.widget).toStdString()).empty())
        setBoxText(box.widget, ui::qString(box.placeholder));
}

// The blank filter of the two address boxes: each blank typed is refused
// with the message, the rest goes in. True discards the event.
bool ReferralForm::refuseBlanks(const Box &box, QEvent *event)
{
    const QString typed = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(event)->text()
                                                            : static_cast<QInputMethodEvent *>(event)->commitString();
    return ui::letTypedTextThrough(static_cast<QLineEdit *>(box.widget), event, typed, [&box](QChar c) {
        if (c != u' ')
            return true;
        platform::services().messageBoxes->show("Email Address Cannot Contain Space", platform::MsgIcon::Critical);
        box.widget->setFocus();
        return false;
    });
}

} // namespace outreach
