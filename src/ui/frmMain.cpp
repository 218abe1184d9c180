#include "ui/frmMain.h"

#include "app/Shutdown.h"
#include "outreach/Links.h"
#include "outreach/frmNagScreen2.h"
#include "platform/Services.h"
#include "reading/Composition.h"
#include "ui/Accessible.h"
#include "ui/Layout.h"
#include "ui/frmAbout.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTextCursor>
#include <QTextEdit>

#include <optional>

namespace
{

using platform::MsgIcon;

std::array<modStarbond::BirthInput, 2> readInput(const frmMain &w)
{
    std::array<modStarbond::BirthInput, 2> input;
    for (int i : {0, 1}) {
        input[i].nameText = w.txtName[i]->text().toStdString();
        input[i].dayPosition = w.cboDate[i]->currentIndex();
        input[i].monthPosition = w.cboMonth[i]->currentIndex();
        input[i].monthText = w.cboMonth[i]->currentText().toStdString();
        input[i].yearText = w.cboYear[i]->currentText().toStdString();
    }
    return input;
}

// Writes a value label; those without word wrap size themselves to the text.
void setCaption(QLabel *label, const std::string &text)
{
    label->setText(QString::fromStdString(text));
    if (!label->wordWrap())
        label->adjustSize();
}

bool isNameCharacter(int code)
{
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || code == 8 || code == ' ';
}

// The characters a key press types, as the key-press codes of a text box.
// Keys that type none (cursor keys, Delete, Tab) give an empty string and
// pass untouched; nullopt is a key that would put text in the box although
// it types no character there, and is dropped.
std::optional<QString> typedCharacters(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(QChar(13));
    case Qt::Key_Backspace:
        return QString(QChar(ctrl ? 127 : 8));
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return QString();
    default:
        break;
    }
    const QString text = event.text();
    const bool altOrSuper = mods & (Qt::AltModifier | Qt::MetaModifier);
    if (ctrl && altOrSuper) // AltGr on Windows: types as a plain key does
        return text;
    // Alt and the Windows key choose menus and buttons; they type nothing.
    if (altOrSuper)
        return text.isEmpty() ? std::optional<QString>(QString()) : std::nullopt;
    if (ctrl) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
            return QString(QChar(event.key() - Qt::Key_A + 1));
        // Control characters (Ctrl+[ types Esc), and formatting marks, which
        // QLineEdit inserts even with Ctrl held.
        QString typed;
        for (QChar c : text)
            if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
                typed += c;
        return typed;
    }
    return text;
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(ui::WindowTitle));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(ui::verdana(8.25));

    buildWindow();
    bindControls();
    wireControls();
    buildMenus();
    setKeyboardOrder();
    setFixedSize(sizeHint()); // before the native window exists
    ui::centreOnScreen(this);

    Form_Load();
    txtName[0]->setFocus();
}

void frmMain::Form_Load()
{
    for (int n = 1; n <= 31; ++n)
        for (QComboBox *c : cboDate)
            c->addItem(QString::number(n));
    static const char *const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    for (QComboBox *c : cboMonth)
        for (const char *month : months)
            c->addItem(QString::fromLatin1(month));
    for (int y = 1900; y <= 2050; ++y)
        for (QComboBox *c : cboYear)
            c->addItem(QString::number(y));
    selectFirstEntries();
    fraMain->raise();
}

// Both people at day 1, January, 1900.
void frmMain::selectFirstEntries()
{
    for (int i : {0, 1})
        for (QComboBox *c : {cboDate[i], cboMonth[i], cboYear[i]})
            c->setCurrentIndex(0);
}

void frmMain::txtName_KeyPress(int index, int &KeyAscii)
{
    if (isNameCharacter(KeyAscii))
        return;
    platform::ShowMessage("First Name Can Accept Text Only", MsgIcon::Critical);
    KeyAscii = 0;
    txtName[index]->setFocus();
}

// The part of a typed text that reaches the box: each character goes through
// the key-press handler on its own, in order, as typing it would; the refused
// ones are dropped. Only typing is filtered: a paste from the context menu or
// Shift+Insert, or a drop, is not.
QString frmMain::acceptTypedText(int index, const QString &text)
{
    QString accepted;
    for (const QChar c : text) {
        int code = c.unicode();
        txtName_KeyPress(index, code);
        if (code != 0)
            accepted += c;
    }
    return accepted;
}

bool frmMain::ValidateInput()
{
    const auto fault = modStarbond::FirstInputFault(readInput(*this));
    if (!fault)
        return true;
    // Missing input is critical; a wrong date only informs.
    const MsgIcon icon = fault->kind == modStarbond::FaultKind::MissingName ? MsgIcon::Critical : MsgIcon::Information;
    platform::ShowMessage(fault->message, icon);
    if (fault->focusPerson)
        txtName[*fault->focusPerson]->setFocus();
    return false;
}

void frmMain::cmdProceed_Click()
{
    if (!ValidateInput())
        return;
    modStarbond::FillPersons(readInput(*this));
    for (int i : {0, 1})
        setCaption(lblResult[10 * i], modStarbond::Persons[i].sunSign);
    ShowPersonCard(true);
    ShowPersonCard(false);
    ShowCompatibility();
    TS->setCurrentIndex(0);
    fraDisplay[0]->raise();
    fraResult->raise();
}

void frmMain::ShowPersonCard(bool isUser)
{
    const int person = isUser ? 0 : 1;
    const auto card = modStarbond::ComposePersonCard(modStarbond::Persons[person]);
    if (!card)
        return;
    const std::pair<int, const std::string &> values[] = {
        {1, card->planet},   {2, card->archetype}, {3, card->characteristics}, {4, card->alsoKnownAs},
        {5, card->keywords}, {7, card->ruler},     {8, card->tarotCard},       {9, card->detriment},
    };
    for (const auto &[index, text] : values)
        setCaption(lblResult[index + 10 * person], text);
}

void frmMain::ShowCompatibility()
{
    const auto runs = modStarbond::ComposeCompatibility(modStarbond::Persons[0], modStarbond::Persons[1]);
    RTB->clear();
    QTextCursor cursor(RTB->document());
    cursor.beginEditBlock();
    QTextCharFormat format;
    format.setFont(ui::verdana(8.25));
    for (const modStarbond::TextRun &run : runs) {
        format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
        const QStringList lines = QString::fromStdString(run.text).split(QStringLiteral("\r\n"));
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (k > 0)
                cursor.insertBlock(QTextBlockFormat(), format);
            cursor.insertText(lines[k], format);
        }
    }
    cursor.endEditBlock();
}

void frmMain::TS_Click()
{
    const int tab = TS->currentIndex();
    fraDisplay[tab == 0 ? 0 : tab == 1 ? 1 : 2]->raise();
}

void frmMain::cmdBackToMain_Click()
{
    for (QLineEdit *box : txtName)
        box->clear();
    txtName[0]->setFocus();
    selectFirstEntries();
    fraMain->raise();
}

void frmMain::cmdBack_Click(int person)
{
    modStarbond::PersonEntry &entry = modStarbond::Persons[person];
    --entry.PlanetPos;
    if (entry.PlanetPos < 0) {
        platform::ShowMessage("You are at the first record", MsgIcon::Critical);
        entry.PlanetPos = 0;
    } else {
        ShowPersonCard(person == 0);
    }
}

void frmMain::cmdNext_Click(int person)
{
    modStarbond::PersonEntry &entry = modStarbond::Persons[person];
    ++entry.PlanetPos;
    if (entry.PlanetPos >= 2 || entry.Planets[entry.PlanetPos] == modStarbond::NoPlanet) {
        platform::ShowMessage("You are at the last record", MsgIcon::Critical);
        entry.PlanetPos = 1;
    } else {
        ShowPersonCard(person == 0);
    }
}

// Empties the clipboard only of what this program put there; another
// program's data stays.
void frmMain::emptyOwnClipboard()
{
    platform::Clipboard *clipboard = platform::services().clipboard;
    if (clipboard && clipboard->ownsContent())
        clipboard->clear();
}

void frmMain::mnuOnline_Click()
{
    modHelp::OpenOnlineHelp();
}
void frmMain::mnuVisit_Click()
{
    modHelp::OpenHomePage();
}
void frmMain::mnuUpdate_Click()
{
    modHelp::OpenDownloadPage();
}
void frmMain::mnuAbout_Click()
{
    ShowAboutWindow(this);
}
void frmMain::mnuDonate_Click()
{
    modHelp::OpenDonationPage();
}
void frmMain::mnuMakeMoney_Click()
{
    modHelp::OpenFullBrandPage();
}
void frmMain::Label14_Click()
{
    modHelp::OpenHomePage();
}
void frmMain::lblCobrand_Click()
{
    modHelp::OpenCoBrandPage();
}
void frmMain::lblFullBrand_Click()
{
    modHelp::OpenFullBrandPage();
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    for (int i : {0, 1}) {
        if (watched != txtName[i])
            continue;
        if (event->type() == QEvent::KeyPress) {
            const auto typed = typedCharacters(*static_cast<QKeyEvent *>(event));
            if (!typed)
                return true;
            const QString accepted = acceptTypedText(i, *typed);
            if (accepted == *typed)
                return false;
            // A key that types several characters, some refused: the rest go
            // in as typed text; a backspace among them erases nothing.
            if (const QString rest = QString(accepted).remove(QChar(8)); !rest.isEmpty())
                txtName[i]->insert(rest);
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            // A commit keeps what passed the filter; a backspace in it erases
            // nothing, so it is no character of the name either.
            auto *input = static_cast<QInputMethodEvent *>(event);
            QString kept = acceptTypedText(i, input->commitString());
            kept.remove(QChar(8));
            if (kept != input->commitString())
                input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        }
        return false;
    }
    if (watched == RTB->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            RTB_MouseDown();
            break;
        case QEvent::MouseButtonRelease:
            RTB_MouseUp();
            RTB_Click();
            break;
        case QEvent::MouseMove:
            RTB_MouseMove();
            break;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// Shows the exit screen modeless, created once, and lets the main window go;
// the process lives on.
void frmMain::Form_Unload()
{
    static QPointer<frmNagScreen2> exitScreen;
    if (exitScreen.isNull())
        exitScreen = new frmNagScreen2();
    exitScreen->show();
    // Never leave the process running without a window.
    if (!exitScreen->isVisible())
        modHelp::ExitApplication();
}

// Never refuses the close.
void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}
