#include "ui/kit/Controls.h"

#include "ui/kit/Accessible.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <QTabBar>
#include <QTextEdit>

namespace ui
{
namespace
{

QFont fontOf(const Face &f)
{
    return face(f.family, f.points, f.bold, f.underline);
}

// Where the substitute face runs wider than the designed one, a label
// squeezes a little rather than lose its last letters.
void squeeze(QLabel *label)
{
    QFont font = label->font();
    for (int stretch = QFont::Unstretched;
         stretch > QFont::SemiCondensed && QFontMetrics(font).horizontalAdvance(label->text()) > label->width();)
        font.setStretch(--stretch);
    label->setFont(font);
}

// What every control gets from its row. A filled control takes its colour as
// its fill (set where it is made); the others as their text colour.
enum class Colour { Text, Fill };
enum class Font { Own, Parent };
enum class Placed { ByRow, ByMaker };

template <class W>
W *finish(W *w, const Control &c, Colour colour = Colour::Text, Font font = Font::Own, Placed placed = Placed::ByRow)
{
    installAccessibility();
    w->setObjectName(QString::fromLatin1(c.name));
    if (c.accessibleName)
        w->setAccessibleName(QString::fromUtf8(c.accessibleName));
    // A font or colour the control has already is not set again: setting one
    // makes a pick-list build its popup at once.
    if (c.face.points > 0 && font == Font::Own) {
        const QFont own = fontOf(c.face);
        if (own != w->font())
            w->setFont(own);
    }
    if (c.colour != Inherit && colour == Colour::Text)
        setTextColour(w, QColor::fromRgb(c.colour));
    if (placed == Placed::ByRow)
        place(w, c.rect);
    return w;
}

QString textOf(const Control &c)
{
    return QString::fromUtf8(c.text);
}

// Labels are set at the top left; links keep a label's own alignment.
template <class L> L *textLabel(L *l, const Control &c)
{
    l->setTextFormat(Qt::PlainText);
    if (c.style & Centre)
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(c.style & Wrap);
    if (c.style & Opaque)
        paintBackground(l, Qt::white);
    finish(l, c);
    if (c.style & Squeeze)
        squeeze(l);
    return l;
}

// Formatted text the window writes and the user only reads and selects. A
// read-only text box still takes what an input method commits, so it says it
// takes none and lets none in.
class ReadOnlyText final : public QTextEdit
{
    Q_OBJECT
  public:
    using QTextEdit::QTextEdit;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        return query == Qt::ImEnabled ? QVariant(false) : QTextEdit::inputMethodQuery(query);
    }

  protected:
    void inputMethodEvent(QInputMethodEvent *event) override { event->ignore(); }
};

} // namespace

Frame::Frame(QWidget *parent, const Control &c) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    paintBackground(this, QColor::fromRgb(c.colour));
    // Frames are the controls that come to lie on top of each other.
    watchStacking(this);
    finish(this, c, Colour::Fill);
}

CaptionFrame::CaptionFrame(QWidget *parent, const Control &c)
    : QGroupBox(parent), m_caption(textOf(c)), m_captionFont(fontOf(c.face)), m_fill(QColor::fromRgb(c.colour)),
      m_etched(c.style & Etched)
{
    // The etched frame paints its fill itself: as the controls' background
    // it would change how the style draws them.
    if (m_etched) {
        setAccessibleName(m_caption);
    } else {
        setTitle(m_caption);
        paintBackground(this, m_fill);
    }
    finish(this, c, Colour::Fill, Font::Parent);
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    if (!m_etched) {
        QStylePainter painter(this);
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        option.fontMetrics = QFontMetrics(m_captionFont);
        painter.setFont(m_captionFont);
        painter.drawComplexControl(QStyle::CC_GroupBox, option);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    const QFontMetrics metrics(m_captionFont);
    const QRect border = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(border.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::white);
    painter.drawRect(border.adjusted(1, 1, 0, 0));
    const QRect text(8, 0, metrics.horizontalAdvance(m_caption) + 4, metrics.height());
    painter.fillRect(text, m_fill);
    painter.setFont(m_captionFont);
    painter.drawText(text, Qt::AlignCenter, m_caption);
}

QLabel *label(QWidget *parent, const Control &c)
{
    auto *l = new QLabel(textOf(c), parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return textLabel(l, c);
}

LinkLabel *link(QWidget *parent, const Control &c)
{
    auto *l = new LinkLabel(textOf(c), parent);
    // Links are the other controls that come to lie on top of each other.
    watchStacking(l);
    return textLabel(l, c);
}

QLabel *picture(QWidget *parent, const Control &c)
{
    return finish(new QLabel(parent), c);
}

QPushButton *button(QWidget *parent, const Control &c)
{
    return finish(new QPushButton(textOf(c), parent), c);
}

QPushButton *checkButton(QWidget *parent, const Control &c)
{
    auto *b = new QPushButton(textOf(c), parent);
    b->setCheckable(true);
    b->setCursor(Qt::PointingHandCursor);
    return finish(b, c);
}

QLineEdit *textBox(QWidget *parent, const Control &c)
{
    return finish(new QLineEdit(textOf(c), parent), c);
}

QPlainTextEdit *textArea(QWidget *parent, const Control &c)
{
    auto *box = new QPlainTextEdit(parent);
    box->setPlainText(textOf(c));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return finish(box, c);
}

QComboBox *pickList(QWidget *parent, const Control &c)
{
    auto *list = new QComboBox(parent);
    list->setEditable(false);
    list->setInsertPolicy(QComboBox::NoInsert);
    paintBackground(list, Qt::white);
    QPalette p = list->palette();
    p.setColor(QPalette::Button, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Text, Qt::black);
    list->setPalette(p);
    return finish(list, c);
}

QTextEdit *richText(QWidget *parent, const Control &c)
{
    auto *box = new ReadOnlyText(parent);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setTabChangesFocus(true);
    box->setUndoRedoEnabled(false);
    box->setAcceptRichText(false);
    return finish(box, c);
}

QTabBar *tabStrip(QWidget *parent, const Control &c)
{
    auto *tabs = new QTabBar(parent);
    tabs->setDrawBase(false);
    tabs->setExpanding(false);
    tabs->setUsesScrollButtons(false);
    if (c.face.points > 0)
        tabs->setFont(fontOf(c.face)); // before the tabs, which size to it
    const QStringList captions = textOf(c).split(u'\n');
    for (const QString &caption : captions)
        tabs->addTab(caption);
    return finish(tabs, c, Colour::Text, Font::Parent);
}

Frame *frame(QWidget *parent, const Control &c)
{
    return new Frame(parent, c);
}

QWidget *line(QWidget *parent, const Control &c)
{
    auto *rule = new QWidget(parent);
    paintBackground(rule, QColor::fromRgb(c.colour));
    // Along the top edge, whatever the row's height.
    rule->setGeometry(twips(c.rect.left), twips(c.rect.top) - 1, twips(c.rect.width), 2);
    return finish(rule, c, Colour::Fill, Font::Own, Placed::ByMaker);
}

void setKeyboardOrder(const QList<QWidget *> &order)
{
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace ui

#include "Controls.moc"
