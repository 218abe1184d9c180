#include "outreach/frmNagScreen2.h"

#include "app/Shutdown.h"
#include "outreach/Links.h"
#include "outreach/TellAFriend.h"
#include "platform/Services.h"
#include "platform/qt/QtServices.h"
#include "ui/Form.h"
#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/LinkLabel.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>

namespace
{

// The text of a box as the form stores it: lines end in CR LF.
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

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The run of blanks pushes the second paragraph onto a line of its own.
QString softwareAreaText()
{
    return QStringLiteral(
               "If you have enjoyed this software you will surely be interested in our other Velmora Softwares. "
               "From a single software, we have now grown to become the world\u2019s largest resource of velmora "
               "softwares. Be it astrology, psychic, tarot, numerology or occult, we have programs in all fields "
               "thus giving our users a wide choice depending on their interests.") +
           QString(61, u' ') +
           QStringLiteral(
               "All the programs in the Velmora Softwares suite are simple and easy to use. They are not only fun "
               "to use but also very informative. Try them out today and share your experience with your "
               "friends and family. ");
}

using ui::Kind;
using namespace ui::colours;

// In the order of the design; the support text, the software-area text and
// the message box's text are put in when the window loads. The boxes show
// their placeholders, which the form's checks compare with.
constexpr ui::Control Controls[] = {
    {Kind::Label, "Label1", nullptr, 1080, 240, 5625, 435, ui::WindowTitle, {"MS Sans Serif", 18}, Black},
    {Kind::Picture, "Picture1", nullptr, 360, 217, 480, 480, "", {}, ui::Inherit, 0, "Starbond icon"},
    {Kind::Label, "Label2", nullptr, 120, 840, 6975, 1095, "", {"Verdana", 9.75, true}, Black, ui::Wrap},
    {Kind::CheckButton,
     "Check1",
     nullptr,
     30,
     2040,
     7185,
     555,
     "Click Here To Visit Velmora Now",
     {"Verdana", 14.25},
     qRgb(0, 0, 192)},
    {Kind::Button, "cmdClose", nullptr, 6000, 2760, 1245, 375, "E&xit", {"MS Sans Serif", 8}},
    {Kind::CaptionFrame, "Frame2", nullptr, 120, 3240, 7065, 1455, "Refer A Friend", {"Verdana", 9.75, true}, Navy},
    // The boxes are named for what they ask: the text they show is a value.
    {Kind::TextBox,
     "txtName",
     "Frame2",
     85,
     360,
     3375,
     285,
     modTellAFriend::NamePlaceholder.data(),
     {},
     ui::Inherit,
     0,
     "Your name"},
    {Kind::TextBox,
     "txtEmail",
     "Frame2",
     3600,
     360,
     3375,
     285,
     modTellAFriend::EmailPlaceholder.data(),
     {},
     ui::Inherit,
     0,
     "Your email address"},
    {Kind::TextBox,
     "txtFriendName",
     "Frame2",
     85,
     720,
     3375,
     285,
     modTellAFriend::FriendNamePlaceholder.data(),
     {},
     ui::Inherit,
     0,
     "Your friend's name"},
    {Kind::TextBox,
     "txtFriendEmail",
     "Frame2",
     3600,
     720,
     3375,
     285,
     modTellAFriend::FriendEmailPlaceholder.data(),
     {},
     ui::Inherit,
     0,
     "Your friend's email address"},
    {Kind::Button, "cmdSubmit", "Frame2", 1920, 1080, 3375, 285, "Refer A Friend &Now", {"Verdana", 8.25, true}},
    // Below the frame's bottom edge: never seen, still reached by Tab.
    {Kind::TextArea, "txtMessage", "Frame2", 4800, 3600, 1815, 495, "", {}, ui::Inherit, 0, "Your message"},
    {Kind::CaptionFrame,
     "Frame6",
     nullptr,
     7320,
     120,
     3735,
     4575,
     "Download Velmora Softwares",
     {"Verdana", 9.75, true},
     Navy},
    {Kind::Label, "Label3", "Frame6", 120, 360, 3495, 3855, "", {"Verdana", 9}, White, ui::Wrap},
    {Kind::Link,
     "lblGoToHome",
     "Frame6",
     75,
     4250,
     3585,
     210,
     "Click Here To Visit Velmora Softwares",
     {"Verdana", 9, true, true},
     Yellow,
     ui::Squeeze},
};

} // namespace

frmNagScreen2::frmNagScreen2(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowTitle(QString::fromUtf8(ui::WindowTitle));
    setFixedSize(ui::twips(11115), ui::twips(4725));
    ui::paintBackground(this, Qt::white);

    ui::buildControls(this, Controls);
    Label1 = ui::control<QLabel>(this, QStringLiteral("Label1"));
    Picture1 = ui::control<QLabel>(this, QStringLiteral("Picture1"));
    Label2 = ui::control<QLabel>(this, QStringLiteral("Label2"));
    Check1 = ui::control<QPushButton>(this, QStringLiteral("Check1"));
    cmdClose = ui::control<QPushButton>(this, QStringLiteral("cmdClose"));
    Frame2 = ui::control<QWidget>(this, QStringLiteral("Frame2"));
    txtName = ui::control<QLineEdit>(this, QStringLiteral("txtName"));
    txtEmail = ui::control<QLineEdit>(this, QStringLiteral("txtEmail"));
    txtFriendName = ui::control<QLineEdit>(this, QStringLiteral("txtFriendName"));
    txtFriendEmail = ui::control<QLineEdit>(this, QStringLiteral("txtFriendEmail"));
    cmdSubmit = ui::control<QPushButton>(this, QStringLiteral("cmdSubmit"));
    txtMessage = ui::control<QPlainTextEdit>(this, QStringLiteral("txtMessage"));
    Frame6 = ui::control<QWidget>(this, QStringLiteral("Frame6"));
    Label3 = ui::control<QLabel>(this, QStringLiteral("Label3"));
    lblGoToHome = ui::control<ui::LinkLabel>(this, QStringLiteral("lblGoToHome"));

    ui::showPicture(Picture1, [](qreal ratio) { return ui::StarbondIconPicture(ui::twips(480), ratio); });
    Label3->setText(softwareAreaText());
    // As designed: the placeholder, then a line break.
    txtMessage->setPlainText(fromView(modTellAFriend::MessagePlaceholder) + u'\n');
    // Return presses the button that has the focus; the check box is no
    // button in that sense.
    for (QPushButton *b : {cmdClose, cmdSubmit})
        b->setAutoDefault(true);

    setTabOrder(cmdClose, Check1);
    setTabOrder(Check1, txtName);
    setTabOrder(txtName, cmdSubmit);
    setTabOrder(cmdSubmit, txtEmail);
    setTabOrder(txtEmail, txtFriendEmail);
    setTabOrder(txtFriendEmail, txtFriendName);
    setTabOrder(txtFriendName, txtMessage);
    cmdClose->setFocus();

    m_boxes = {{{txtName, modTellAFriend::NamePlaceholder, false},
                {txtEmail, modTellAFriend::EmailPlaceholder, true},
                {txtFriendName, modTellAFriend::FriendNamePlaceholder, false},
                {txtFriendEmail, modTellAFriend::FriendEmailPlaceholder, true},
                {txtMessage, modTellAFriend::MessagePlaceholder, false}}};
    for (const PlaceholderBox &box : m_boxes)
        box.box->installEventFilter(this);

    connect(Check1, &QPushButton::clicked, this, &frmNagScreen2::Check1_Click);
    connect(lblGoToHome, &ui::LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);

    ui::centreOnScreen(this);
    Form_Load();
}

int frmNagScreen2::SupportTextNumber(float r)
{
    return std::clamp(static_cast<int>(r * 4.0f), 0, 3);
}

QString frmNagScreen2::SupportText(int n)
{
    switch (n) {
    case 0:
        return QStringLiteral("Velmora Softwares, such as this can be created and maintained only with your support. "
                              "The best way to support Velmora is to visit Velmora regularly and take part in the "
                              "discussions and other activities on the board.");
    case 1:
        return QStringLiteral("Visit Velmora regularly. Support Velmora by taking part in the discussions and other "
                              "activities. These softwares cannot be supported and maintained, without you regularly "
                              "visiting Velmora");
    case 2:
        return QStringLiteral("Velmora is a FREE online discussion forum for all things mystic. To help Velmora "
                              "develop and maintain this software visit Velmora regularly.");
    default:
        return QStringLiteral("Velmora needs your help. All you need to do is visit Velmora regularly and take part "
                              "in the various discussions and activites to help us maintain and develop more Velmora "
                              "Softwares.");
    }
}

void frmNagScreen2::Form_Load()
{
    platform::Services &services = platform::services();
    services.random->seedFromClock();
    Label2->setText(SupportText(SupportTextNumber(services.random->next())));
    platform::qtServices().topmost->prepare(this);
}

void frmNagScreen2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    platform::qtServices().topmost->apply(this);
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    event->accept();
    modHelp::ExitApplication();
}

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    const auto box = std::find_if(m_boxes.begin(), m_boxes.end(), [&](const auto &b) { return b.box == watched; });
    if (box != m_boxes.end()) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (movesBetweenControls(static_cast<QFocusEvent *>(event)))
                txt_GotFocus(*box);
            break;
        case QEvent::FocusOut:
            if (movesBetweenControls(static_cast<QFocusEvent *>(event)))
                txt_LostFocus(*box);
            break;
        case QEvent::KeyPress:
        case QEvent::InputMethod:
            if (box->refusesBlanks)
                return txtEmail_KeyPress(*box, event);
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmNagScreen2::txt_GotFocus(const PlaceholderBox &box)
{
    if (modTellAFriend::TrimBlanks(boxText(box.box).toStdString()) == box.placeholder)
        setBoxText(box.box, QString());
}

void frmNagScreen2::txt_LostFocus(const PlaceholderBox &box)
{
    if (modTellAFriend::TrimBlanks(boxText(box.box).toStdString()).empty())
        setBoxText(box.box, fromView(box.placeholder));
}

// The blank filter of the two address boxes, for a key's text or an input
// method's commit: each blank in it is refused with the message, the rest
// goes in. True discards the event.
bool frmNagScreen2::txtEmail_KeyPress(const PlaceholderBox &box, QEvent *event)
{
    auto *key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent *>(event) : nullptr;
    auto *input = key ? nullptr : static_cast<QInputMethodEvent *>(event);
    const QString typed = key ? key->text() : input->commitString();
    if (!typed.contains(u' '))
        return false;
    for (qsizetype blanks = typed.count(u' '); blanks > 0; --blanks) {
        platform::ShowMessage("Email Address Cannot Contain Space", platform::MsgIcon::Critical);
        box.box->setFocus();
    }
    const QString rest = QString(typed).remove(u' ');
    if (input) {
        input->setCommitString(rest, input->replacementStart(), input->replacementLength());
        return false;
    }
    if (!rest.isEmpty())
        static_cast<QLineEdit *>(box.box)->insert(rest);
    return true;
}

void frmNagScreen2::Check1_Click()
{
    if (!Check1->isChecked())
        return;
    Check1->setChecked(false);
    modHelp::OpenHomePage();
}

void frmNagScreen2::lblGoToHome_Click()
{
    modHelp::OpenSoftwaresSite();
}

void frmNagScreen2::cmdSubmit_Click()
{
    modTellAFriend::StoreEntries({boxText(txtName).toStdString(), boxText(txtEmail).toStdString(),
                                  boxText(txtMessage).toStdString(), boxText(txtFriendName).toStdString(),
                                  boxText(txtFriendEmail).toStdString()});
    if (const auto fault = modTellAFriend::FirstReferralFault(modTellAFriend::StoredEntries())) {
        platform::ShowMessage(*fault, platform::MsgIcon::Critical);
        return;
    }
    if (!modTellAFriend::SendReferral())
        platform::ShowMessage(std::string(modTellAFriend::NotSentMessage), platform::MsgIcon::Critical);
}

void frmNagScreen2::cmdClose_Click()
{
    modHelp::ExitApplication();
}
