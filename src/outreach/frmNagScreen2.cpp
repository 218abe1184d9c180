#include "outreach/frmNagScreen2.h"

#include "app/Shutdown.h"
#include "outreach/Links.h"
#include "outreach/TellAFriend.h"
#include "platform/Services.h"
#include "ui/Layout.h"
#include "ui/LinkLabel.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

#include <algorithm>

namespace
{

// A frame filled with one colour, its caption drawn into the etched border.
// The caption font is kept apart so that the boxes inside keep theirs.
class CaptionFrame final : public QWidget
{
  public:
    CaptionFrame(const QString &caption, QWidget *parent)
        : QWidget(parent), m_caption(caption), m_captionFont(ui::verdana(9.75, true))
    {
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), ui::Navy);
        const QFontMetrics metrics(m_captionFont);
        const QRect border = rect().adjusted(0, metrics.height() / 2, -1, -1);
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(border.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        painter.drawRect(border.adjusted(1, 1, 0, 0));
        const QRect text(8, 0, metrics.horizontalAdvance(m_caption) + 4, metrics.height());
        painter.fillRect(text, ui::Navy);
        painter.setFont(m_captionFont);
        painter.drawText(text, Qt::AlignCenter, m_caption);
    }

  private:
    QString m_caption;
    QFont m_captionFont;
};

// Where the substitute face runs wider than the designed one, a label
// squeezes a little rather than lose its last letters.
void fitWidth(QLabel *label)
{
    QFont font = label->font();
    for (int stretch = QFont::Unstretched;
         stretch > QFont::SemiCondensed && QFontMetrics(font).horizontalAdvance(label->text()) > label->width();)
        font.setStretch(--stretch);
    label->setFont(font);
}

QLineEdit *textBox(const QString &name, const QString &text, QWidget *parent)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(name);
    return box;
}

QPushButton *button(const QString &name, const QString &caption, const QFont &font, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(font);
    b->setAutoDefault(true); // Return presses the button that has the focus
    return b;
}

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

} // namespace

frmNagScreen2::frmNagScreen2(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setWindowTitle(ui::WindowTitle);
    setFixedSize(ui::twips(11115), ui::twips(4725));
    ui::paintBackground(this, Qt::white);

    // Left, top, width, height in twips, relative to the parent.
    Label1 = ui::label(this, QStringLiteral("Label1"), ui::WindowTitle, QFont(QStringLiteral("MS Sans Serif"), 18),
                       Qt::black);
    ui::place(Label1, 1080, 240, 5625, 435);
    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(windowIcon().pixmap(ui::twips(480)));
    ui::place(Picture1, 360, 217, 480, 480);
    Label2 = ui::label(this, QStringLiteral("Label2"), SupportText(1), ui::verdana(9.75, true), Qt::black);
    Label2->setWordWrap(true);
    ui::place(Label2, 120, 840, 6975, 1095);

    Check1 =
        button(QStringLiteral("Check1"), QStringLiteral("Click Here To Visit Velmora Now"), ui::verdana(14.25), this);
    Check1->setCheckable(true);
    Check1->setAutoDefault(false);
    Check1->setCursor(Qt::PointingHandCursor);
    ui::setTextColour(Check1, QColor(0, 0, 192));
    ui::place(Check1, 30, 2040, 7185, 555);
    cmdClose =
        button(QStringLiteral("cmdClose"), QStringLiteral("E&xit"), QFont(QStringLiteral("MS Sans Serif"), 8), this);
    ui::place(cmdClose, 6000, 2760, 1245, 375);

    Frame2 = new CaptionFrame(QStringLiteral("Refer A Friend"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    ui::place(Frame2, 120, 3240, 7065, 1455);
    txtName = textBox(QStringLiteral("txtName"), fromView(modTellAFriend::NamePlaceholder), Frame2);
    ui::place(txtName, 85, 360, 3375, 285);
    txtEmail = textBox(QStringLiteral("txtEmail"), fromView(modTellAFriend::EmailPlaceholder), Frame2);
    ui::place(txtEmail, 3600, 360, 3375, 285);
    txtFriendName = textBox(QStringLiteral("txtFriendName"), fromView(modTellAFriend::FriendNamePlaceholder), Frame2);
    ui::place(txtFriendName, 85, 720, 3375, 285);
    txtFriendEmail =
        textBox(QStringLiteral("txtFriendEmail"), fromView(modTellAFriend::FriendEmailPlaceholder), Frame2);
    ui::place(txtFriendEmail, 3600, 720, 3375, 285);
    cmdSubmit =
        button(QStringLiteral("cmdSubmit"), QStringLiteral("Refer A Friend &Now"), ui::verdana(8.25, true), Frame2);
    ui::place(cmdSubmit, 1920, 1080, 3375, 285);
    // Lies below the frame's bottom edge: never seen, still reached by Tab.
    txtMessage = new QPlainTextEdit(Frame2);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setPlainText(fromView(modTellAFriend::MessagePlaceholder) + u'\n');
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setTabChangesFocus(true);
    ui::place(txtMessage, 4800, 3600, 1815, 495);

    Frame6 = new CaptionFrame(QStringLiteral("Download Velmora Softwares"), this);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    ui::place(Frame6, 7320, 120, 3735, 4575);
    Label3 = ui::label(Frame6, QStringLiteral("Label3"), softwareAreaText(), ui::verdana(9), Qt::white);
    Label3->setWordWrap(true);
    ui::place(Label3, 120, 360, 3495, 3855);
    lblGoToHome = new ui::LinkLabel(QStringLiteral("Click Here To Visit Velmora Softwares"), Frame6);
    lblGoToHome->setObjectName(QStringLiteral("lblGoToHome"));
    lblGoToHome->setFont(ui::verdana(9, true, true));
    ui::setTextColour(lblGoToHome, ui::Yellow);
    ui::place(lblGoToHome, 75, 4250, 3585, 210);
    fitWidth(lblGoToHome);

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
    services.topmost->prepare(this);
}

void frmNagScreen2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    platform::services().topmost->apply(this);
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
            if (box->refusesBlanks)
                return txtEmail_KeyPress(*box, static_cast<QKeyEvent *>(event));
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

// The blank filter of the two address boxes; true discards the key.
bool frmNagScreen2::txtEmail_KeyPress(const PlaceholderBox &box, QKeyEvent *event)
{
    if (event->text() != QStringLiteral(" "))
        return false;
    platform::ShowMessage("Email Address Cannot Contain Space", platform::MsgIcon::Critical);
    box.box->setFocus();
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
    modTellAFriend::SubmitReferral({boxText(txtName).toStdString(), boxText(txtEmail).toStdString(),
                                    boxText(txtMessage).toStdString(), boxText(txtFriendName).toStdString(),
                                    boxText(txtFriendEmail).toStdString()});
}

void frmNagScreen2::cmdClose_Click()
{
    modHelp::ExitApplication();
}

void renderExitScreen(const QString &path)
{
    frmNagScreen2 screen;
    screen.grab().save(path);
}
