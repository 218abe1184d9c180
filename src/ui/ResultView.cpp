#include "ui/ResultView.h"

#include "platform/Services.h"
#include "ui/CardView.h"
#include "ui/PersonEntry.h"
#include "ui/kit/Layout.h"

#include <QEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTextCursor>
#include <QTextEdit>

namespace ui
{

ResultView::ResultView(QWidget *parent) : Frame(parent, {"fraResult", 0, 480, 8250, 4900, "", {}, colours::Orange})
{
    m_back = button(this, {"cmdBackToMain", 4005, 4450, 4200, 375, "&Do It Once Again", Bold});
    m_compatibilityPage = frame(this, {"fraDisplay_2", 0, 440, 8250, 3900, "", {}, colours::Orange});
    m_cards[1] = new CardView(Whose::Partner, this);
    m_compatibility =
        richText(m_compatibilityPage, {"RTB", 120, 240, 8025, 3495, "", Regular, Inherit, 0, "Compatibility reading"});
    m_tabs = ui::tabStrip(
        this, {"TS", 0, 90, 8250, 750, "Your Cosmic Reading\nYour Partner's Cosmic Reading\nStarbond", Bold});
    m_cards[0] = new CardView(Whose::User, this);

    // Return presses the button when it has the focus, as Space does. Its
    // access key is the menu bar's "&Donate": Qt would hand Alt+D to each in
    // turn (the button only taking the focus), so it stays the menu's alone.
    m_back->setAutoDefault(true);
    m_back->setShortcut(QKeySequence());
    connect(m_back, &QPushButton::clicked, this, &ResultView::anotherReadingAsked);
    connect(m_tabs, &QTabBar::currentChanged, this, &ResultView::showPage);
    for (int person : {0, 1}) {
        connect(m_cards[person], &CardView::previousRecordAsked, this,
                [this, person] { browseRecords(person, reading::previousRecord); });
        connect(m_cards[person], &CardView::nextRecordAsked, this,
                [this, person] { browseRecords(person, reading::nextRecord); });
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
    for (int person : {0, 1}) {
        m_cards[person]->setSign(reading.people[person].sunSign);
        if (reading.cards[person])
            m_cards[person]->setCard(*reading.cards[person]);
    }
    showCompatibility(reading.compatibility);
    m_tabs->setCurrentIndex(0);
    m_cards[0]->raise();
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
        m_cards[0]->raise();
    else if (tab == 1)
        m_cards[1]->raise();
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
void ResultView::browseRecords(int person, reading::RecordMove (*move)(reading::Person &))
{
    reading::Person &entry = m_reading.people[person];
    switch (move(entry)) {
    case reading::RecordMove::AtFirst:
        platform::showMessage("You are at the first record", platform::MsgIcon::Critical);
        break;
    case reading::RecordMove::AtLast:
        platform::showMessage("You are at the last record", platform::MsgIcon::Critical);
        break;
    case reading::RecordMove::Moved:
        if (const auto card = reading::cardOf(entry))
            m_cards[person]->setCard(*card);
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
