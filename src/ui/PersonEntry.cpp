#include "ui/PersonEntry.h"

#include "platform/Services.h"
#include "ui/kit/Controls.h"
#include "ui/kit/Layout.h"
#include "ui/kit/TypedText.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <optional>

namespace ui
{
namespace
{

// The two entry frames are laid out alike; they differ in their names, their
// place and whose details they take.
using reading::Whose;

// A control and the caption above it, by their names.
struct Captioned {
    const char *caption;
    const char *control;
};

struct EntryNames {
    Control frame;
    const char *whose; // as a screen reader says it, before what the control takes
    Captioned name, day, month, year;
};

constexpr EntryNames UserEntry{
    .frame = {.name = "Frame1_0",
              .rect = {4607, 720, 3250, 1600},
              .text = "Your Personal Details",
              .face = Bold,
              .colour = colours::Orange},
    .whose = "Your ",
    .name = {.caption = "lblLabel_3", .control = "txtName_0"},
    .day = {.caption = "lblLabel_0", .control = "cboDate_0"},
    .month = {.caption = "lblLabel_1", .control = "cboMonth_0"},
    .year = {.caption = "lblLabel_2", .control = "cboYear_0"},
};
constexpr EntryNames PartnerEntry{
    .frame = {.name = "Frame1_1",
              .rect = {4607, 2400, 3250, 1600},
              .text = "Your Partner's Personal Details",
              .face = Bold,
              .colour = colours::Orange},
    .whose = "Your partner's ",
    .name = {.caption = "lblLabel_4", .control = "txtName_1"},
    .day = {.caption = "lblLabel_5", .control = "cboDate_1"},
    .month = {.caption = "lblLabel_6", .control = "cboMonth_1"},
    .year = {.caption = "lblLabel_7", .control = "cboYear_1"},
};

const EntryNames &namesOf(Whose whose)
{
    return whose == Whose::User ? UserEntry : PartnerEntry;
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

PersonEntry::PersonEntry(Whose whose, QWidget *parent) : CaptionFrame(parent, namesOf(whose).frame)
{
    const EntryNames &names = namesOf(whose);
    // A caption above each control, 240 twips higher. Each caption labels its
    // control for assistive technology, which speaks it as whose it is and
    // what it takes.
    const auto row = [&](Captioned named, const char *caption, const char *says, auto make, Twips rect) {
        const QByteArray spoken = QByteArray(names.whose) + says;
        QLabel *label = ui::label(this, {.name = named.caption,
                                         .rect = {rect.left, rect.top - 240},
                                         .text = caption,
                                         .face = Regular,
                                         .accessibleName = spoken.constData()});
        auto *made = make(this, {.name = named.control,
                                 .rect = rect,
                                 .face = Regular,
                                 .colour = colours::Black,
                                 .accessibleName = spoken.constData()});
        label->setBuddy(made);
        return made;
    };
    m_name = row(names.name, "Name", "name", textBox, {120, 480, 3000, 300});
    m_day = row(names.day, "Date", "date of birth: day", pickList, {120, 1080, 700, 315});
    m_month = row(names.month, "Month", "date of birth: month", pickList, {845, 1080, 1350, 315});
    m_year = row(names.year, "Year", "date of birth: year", pickList, {2220, 1080, 900, 315});

    const auto numbers = [](int first, int last) {
        QStringList texts;
        for (int n = first; n <= last; ++n)
            texts << QString::number(n);
        return texts;
    };
    m_day->addItems(numbers(1, 31));
    QStringList months;
    for (std::string_view month : reading::MonthNames)
        months << qString(month);
    m_month->addItems(months);
    m_year->addItems(numbers(1900, 2050));
    clear();
    m_name->installEventFilter(this);
}

// The name filter: letters, blanks and backspace; anything else is refused
// with the message, and the focus stays in the box.
bool PersonEntry::takesNameCharacter(QChar c)
{
    if (isNameCharacter(c.unicode()))
        return true;
    platform::services().messageBoxes->show("First Name Can Accept Text Only", platform::MsgIcon::Critical);
    m_name->setFocus();
    return false;
}

reading::BirthInput PersonEntry::input() const
{
    return {m_name->text().toStdString(), m_day->currentIndex(), m_month->currentIndex(),
            m_month->currentText().toStdString(), m_year->currentText().toStdString()};
}

void PersonEntry::clear()
{
    m_name->clear();
    for (QComboBox *list : {m_day, m_month, m_year})
        list->setCurrentIndex(0);
}

QList<QWidget *> PersonEntry::keyboardOrder() const
{
    return {m_name, m_day, m_month, m_year};
}

bool PersonEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_name && (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod)) {
        const auto typed = event->type() == QEvent::KeyPress
                               ? typedCharacters(*static_cast<QKeyEvent *>(event))
                               : std::optional<QString>(static_cast<QInputMethodEvent *>(event)->commitString());
        if (!typed)
            return true;
        return letTypedTextThrough(m_name, event, *typed, [this](QChar c) { return takesNameCharacter(c); });
    }
    return CaptionFrame::eventFilter(watched, event);
}

} // namespace ui
