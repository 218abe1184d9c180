#include "ui/Form.h"

#include "ui/Accessible.h"
#include "ui/Layout.h"
#include "ui/LinkLabel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>

namespace ui
{

// A frame filled with one colour, its caption drawn into the etched border.
// The caption font is kept apart so that the boxes inside keep theirs.
// Assistive technology knows it by its class name (ui/Accessible).
class CaptionFrame final : public QWidget
{
    Q_OBJECT
  public:
    CaptionFrame(const QString &caption, const QFont &captionFont, const QColor &fill, QWidget *parent)
        : QWidget(parent), m_caption(caption), m_captionFont(captionFont), m_fill(fill)
    {
        setAccessibleName(caption);
    }

  protected:
    void paintEvent(QPaintEvent *) override
    {
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

  private:
    QString m_caption;
    QFont m_captionFont;
    QColor m_fill;
};

namespace
{

QFont fontOf(const Face &face)
{
    QFont font(QString::fromLatin1(face.family));
    font.setPointSizeF(face.points);
    font.setBold(face.bold);
    font.setUnderline(face.underline);
    return font;
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

QLabel *makeLabel(QLabel *l, const Control &c)
{
    l->setTextFormat(Qt::PlainText);
    if (c.kind == Kind::Label)
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (c.style & Centre)
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(c.style & Wrap);
    if (c.style & Opaque)
        paintBackground(l, Qt::white);
    return l;
}

QWidget *make(const Control &c, QWidget *parent)
{
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
    case Kind::Label:
        return makeLabel(new QLabel(text, parent), c);
    case Kind::Link:
        return makeLabel(new LinkLabel(text, parent), c);
    case Kind::Picture:
        return new QLabel(parent);
    case Kind::Button:
        return new QPushButton(text, parent);
    case Kind::CheckButton: {
        auto *b = new QPushButton(text, parent);
        b->setCheckable(true);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    }
    case Kind::TextBox:
        return new QLineEdit(text, parent);
    case Kind::TextArea: {
        auto *box = new QPlainTextEdit(parent);
        box->setPlainText(text);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setTabChangesFocus(true);
        return box;
    }
    case Kind::PickList: {
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
        return list;
    }
    case Kind::RichText: {
        auto *box = new QTextEdit(parent);
        box->setReadOnly(true);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setTabChangesFocus(true);
        box->setUndoRedoEnabled(false);
        box->setAcceptRichText(false);
        return box;
    }
    case Kind::TabStrip: {
        auto *tabs = new QTabBar(parent);
        tabs->setDrawBase(false);
        tabs->setExpanding(false);
        tabs->setUsesScrollButtons(false);
        if (c.face.points > 0)
            tabs->setFont(fontOf(c.face)); // before the tabs, which size to it
        for (const QString &caption : text.split(u'\n'))
            tabs->addTab(caption);
        return tabs;
    }
    case Kind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameShape(QFrame::NoFrame);
        paintBackground(frame, QColor::fromRgb(c.colour));
        return frame;
    }
    case Kind::Group: {
        auto *group = new QGroupBox(text, parent);
        paintBackground(group, QColor::fromRgb(c.colour));
        return group;
    }
    case Kind::CaptionFrame:
        return new CaptionFrame(text, fontOf(c.face), QColor::fromRgb(c.colour), parent);
    case Kind::Line: {
        auto *line = new QWidget(parent);
        paintBackground(line, QColor::fromRgb(c.colour));
        return line;
    }
    }
    return nullptr;
}

} // namespace

QWidget *buildControl(QWidget *window, const Control &c)
{
    installAccessibility();
    QWidget *parent = c.parent ? controlNamed(window, QString::fromLatin1(c.parent)) : window;
    QWidget *w = make(c, parent);
    w->setObjectName(QString::fromLatin1(c.name));
    if (c.accessibleName)
        w->setAccessibleName(QString::fromUtf8(c.accessibleName));
    // Frames and links are the controls that come to lie on top of each other.
    if (c.kind == Kind::Frame || c.kind == Kind::Link)
        watchStacking(w);
    const bool filled =
        c.kind == Kind::Frame || c.kind == Kind::Group || c.kind == Kind::CaptionFrame || c.kind == Kind::Line;
    // A caption frame's face is its caption's alone, so the boxes inside keep
    // theirs.
    if (c.face.points > 0 && c.kind != Kind::CaptionFrame && c.kind != Kind::TabStrip)
        w->setFont(fontOf(c.face));
    if (c.colour != Inherit && !filled)
        setTextColour(w, QColor::fromRgb(c.colour));
    if (c.kind == Kind::Line) // along the top edge, whatever the row's height
        w->setGeometry(twips(c.left), twips(c.top) - 1, twips(c.width), 2);
    else
        place(w, c.left, c.top, c.width, c.height);
    if (c.style & Squeeze)
        squeeze(static_cast<QLabel *>(w));
    return w;
}

void buildControls(QWidget *window, std::span<const Control> controls)
{
    for (const Control &c : controls)
        buildControl(window, c);
}

QWidget *controlNamed(const QWidget *window, const QString &name)
{
    auto *w = window->findChild<QWidget *>(name);
    if (!w)
        qFatal("no control named %s", qPrintable(name));
    return w;
}

} // namespace ui

#include "Form.moc"
