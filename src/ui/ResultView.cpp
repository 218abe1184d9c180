#include "ui/ResultView.h"

#include "platform/Services.h"
#include "ui/CardView.h"
#include "ui/kit/Layout.h"

#include <QEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTextCursor>
#include <QTextEdit>

namespace ui
{

using reading::Whose;

ResultView::ResultView(QWidget *parent)
    : Frame(parent, {.name = "fraResult", .rect = {0, 480, 8250, 4900}, .colour = colours::Orange})
{
    m_back = button(
        this, {.name = "cmdBackToMain", .rect = {4005, 4450, 4200, 375}, .text = "&Do It Once Again", .face = Bold});
    m_compatibilityPage =
        frame(this, {.name = "fraDisplay_2", .rect = {0, 440, 8250, 3900}, .colour = colours::Orange});
    m_cards.partner = new CardView(Whose::Partner, this);
    m_compatibility = richText(
        m_compatibilityPage,
        {.name = "RTB", .rect = {120, 240, 8025, 3495}, .face = Regular, .accessibleName = "Compatibility reading"});
    m_tabs = ui::tabStrip(this, {.name = "TS",
                                 .rect = {0, 90, 8250, 750},
                                 .text = "Your Cosmic Reading\nYour Partner's Cosmic Reading\nStarbond",
                                 .face = Bold});
    m_cards.user = new CardView(Whose::User, this);

    // Return presses the button when it has the focus, as Space does. Its
    // access key is the menu bar's "&Donate": Qt would hand Alt+D to each in
    // turn (the button only taking the focus), so it stays the menu's alone.
    m_back->setAutoDefault(true);
    m_back->setShortcut(QKeySequence());
    connect(m_back, &QPushButton::clicked, this, &ResultView::anotherReadingAsked);
    connect(m_tabs, &QTabBar::currentChanged, this, &ResultView::showPage);
    for (const Whose whose : reading::BothPeople) {
        connect(m_cards[whose], &CardView::previousRecordAsked, this, [this, whose] { browseRecords(whose, false); });
        connect(m_cards[whose], &CardView::nextRecordAsked, this, [this, whose] { browseRecords(whose, true); });
    }
    // Touching the compatibility text empties the clipboard: every change,
    // click, press, release and move of the mouse over it.
    connect(m_compatibility, &QTextEdit::textChanged, this, &ResultView::emptyOwnClipboard);
    m_compatibility->viewport()->setMouseTracking(true);
    m_compatibility->viewport()->installEventFilter(this);
}

void ResultView::showReading(const reading::Reading &reading)
{
    m_reading = reading;
    for (const Whose whose : reading::BothPeople) {
        m_shownSlot[whose] = 0;
        m_cards[whose]->setSign(reading.people[whose].sunSign);
        if (reading.cards[whose])
            m_cards[whose]->setCard(*reading.cards[whose]);
    }
    showCompatibility(reading.compatibility);
    m_tabs->setCurrentIndex(0);
    m_cards.user->raise();
}

QWidget *ResultView::backButton() const
{
    return m_back;
}

QWidget *ResultView::tabStrip() const
{
    return m_tabs;
}

QWidget *ResultView::compatibilityBox() const
{
    return m_compatibility;
}

void ResultView::showPage(int tab)
{
    if (tab == 0)
        m_cards.user->raise();
    else if (tab == 1)
        m_cards.partner->raise();
    else
        m_compatibilityPage->raise();
}

void ResultView::showCompatibility(const std::vector<reading::TextRun> &runs)
{
    m_compatibility->clear();
    QTextCursor cursor(m_compatibility->document());
    cursor.beginEditBlock();
    QTextCharFormat format;
    format.setFont(verdana(8.25));
    for (const reading::TextRun &run : runs) {
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

// The record buttons of a card: the card of the planet moved to, or a word
// on the end that was met.
void ResultView::browseRecords(Whose whose, bool forward)
{
    const reading::Person &person = m_reading.people[whose];
    int &slot = m_shownSlot[whose];
    platform::MessageBoxes &messages = *platform::services().messageBoxes;
    switch (forward ? reading::nextRecord(person, slot) : reading::previousRecord(slot)) {
    case reading::RecordMove::AtFirst:
        messages.show("You are at the first record", platform::MsgIcon::Critical);
        break;
    case reading::RecordMove::AtLast:
        messages.show("You are at the last record", platform::MsgIcon::Critical);
        break;
    case reading::RecordMove::Moved:
        if (const auto card = reading::cardOf(person, slot))
            m_cards[whose]->setCard(*card);
        break;
    }
}

// Only what this program put there; another program's data stays.
void ResultView::emptyOwnClipboard()
{
    platform::Clipboard *clipboard = platform::services().clipboard;
    if (clipboard && clipboard->ownsContent())
        clipboard->clear();
}

bool ResultView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_compatibility->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            emptyOwnClipboard();
            break;
        default:
            break;
        }
    }
    return Frame::eventFilter(watched, event);
}

} // namespace ui
