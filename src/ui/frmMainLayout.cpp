// frmMain's controls, created in layout order (later siblings lie on top).
// Positions are twips relative to the containing control.

#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/frmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>

namespace
{

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

QFrame *frame(QWidget *parent, const QString &name, const QColor &colour)
{
    auto *f = new QFrame(parent);
    f->setObjectName(name);
    f->setFrameShape(QFrame::NoFrame);
    ui::paintBackground(f, colour);
    return f;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setFont(ui::verdana(8.25, true));
    return b;
}

QComboBox *pickList(QWidget *parent, const QString &name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(false);
    c->setInsertPolicy(QComboBox::NoInsert);
    ui::paintBackground(c, Qt::white);
    QPalette p = c->palette();
    p.setColor(QPalette::Button, Qt::white);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Text, Qt::black);
    c->setPalette(p);
    return c;
}

ui::LinkLabel *linkLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new ui::LinkLabel(caption, parent);
    l->setObjectName(name);
    l->setFont(ui::verdana(8.25, true, true));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
    ui::setTextColour(l, Qt::black);
    return l;
}

// One row of an entry frame: caption label, then its input control (the name
// box, or the pick-list family named).
struct EntryRow {
    int labelIndex[2]; // user / partner
    const char *caption;
    int left, top;
    const char *control;
    std::array<QComboBox *, 2> frmMain::*list;
    int controlTop, controlWidth, controlHeight;
};

constexpr EntryRow EntryRows[] = {
    {{3, 4}, "Name", 120, 240, "txtName", nullptr, 480, 3000, 300},
    {{0, 5}, "Date", 120, 840, "cboDate", &frmMain::cboDate, 1080, 700, 315},
    {{1, 6}, "Month", 845, 840, "cboMonth", &frmMain::cboMonth, 1080, 1350, 315},
    {{2, 7}, "Year", 2220, 840, "cboYear", &frmMain::cboYear, 1080, 900, 315},
};

// One row of a person card: the silver caption and the value label beside it.
struct CardRow {
    int top;
    int captionIndex[2]; // user / partner
    const char *caption;
    int valueIndex; // user's; the partner's is 10 more
};

constexpr int CardRowStep = 256;
constexpr CardRow CardRows[] = {
    {120, {9, 26}, "You are a ", 1},
    {376, {8, 27}, "Sun Sign", 0},
    {632, {10, 25}, "Planetary Archetype", 2},
    {888, {15, 22}, "Ruler", 7},
    {1144, {16, 21}, "Tarot Card", 8},
    {1400, {17, 20}, "Detriment", 9},
    {1656, {12, 19}, "Also Known As", 4},
    {1912, {13, 18}, "Keywords", 5},
    {2168, {11, 24}, "Archetypal Characteristics", 3},
};
static_assert(CardRows[1].top - CardRows[0].top == CardRowStep);

constexpr int PersonLabel[2] = {30, 29}; // "person", after the planet's name
constexpr int CharacteristicsValue = 3;  // wrapped below its caption

} // namespace

QLabel *frmMain::addLabel(QWidget *parent, int index, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(indexed("lblLabel", index));
    l->setTextFormat(Qt::PlainText);
    lblLabel[index] = l;
    return l;
}

void frmMain::buildWindow()
{
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ui::twips(8250), ui::twips(6270));
    ui::paintBackground(client, Qt::white);
    setCentralWidget(client);

    fraFullBrand = frame(client, QStringLiteral("fraFullBrand"), Qt::white);
    fraFullBrand->setGeometry(ui::twipsRect(0, 5385, 8250, 875));
    lblFullBrand = linkLabel(fraFullBrand, QStringLiteral("lblFullBrand"),
                             QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                                            "money online. Get this software fully branded for your website. Click "
                                            "here for more details."));
    lblCobrand = linkLabel(fraFullBrand, QStringLiteral("lblCobrand"),
                           QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to "
                                          "your site. Put your site's name &  link here. See \"Help\" for details. "
                                          "Click Here for more info on co-branding."));
    for (ui::LinkLabel *l : {lblFullBrand, lblCobrand}) {
        ui::paintBackground(l, Qt::white);
        ui::place(l, 90, 165, 8100, 650);
    }

    fraMain = frame(client, QStringLiteral("fraMain"), ui::Orange);
    fraMain->setGeometry(ui::twipsRect(0, 480, 8250, 4900));
    fraResult = frame(client, QStringLiteral("fraResult"), ui::Orange);
    fraResult->setGeometry(ui::twipsRect(0, 480, 8250, 4900));

    Label14 = linkLabel(client, QStringLiteral("Label14"),
                        QStringLiteral("The Most Popular Online Mystic Discussion Forum. Click Here To Visit Velmora "
                                       "Now."));
    ui::place(Label14, 1590, 30, 5070, 435);

    connect(Label14, &ui::LinkLabel::clicked, this, &frmMain::Label14_Click);
    connect(lblCobrand, &ui::LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
    connect(lblFullBrand, &ui::LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);
}

void frmMain::buildInputView()
{
    Picture1 = new QLabel(fraMain);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setPixmap(ui::StarPicture());
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setFocusPolicy(Qt::TabFocus);
    ui::place(Picture1, 1622, 2175, 1545, 1575);

    const int frameTop[2] = {720, 2400};
    const char *frameCaption[2] = {"Your Personal Details", "Your Partner's Personal Details"};
    for (int i : {1, 0}) {
        auto *f = new QGroupBox(QString::fromLatin1(frameCaption[i]), fraMain);
        f->setObjectName(indexed("Frame1", i));
        f->setFont(ui::verdana(8.25, true));
        ui::paintBackground(f, ui::Orange);
        ui::place(f, 4607, frameTop[i], 3250, 1600);
        Frame1[i] = f;

        for (const EntryRow &row : EntryRows) {
            QLabel *caption = addLabel(f, row.labelIndex[i], QString::fromLatin1(row.caption));
            caption->setFont(ui::verdana(8.25));
            ui::place(caption, row.left, row.top);
            QWidget *control;
            if (row.list) {
                control = (this->*row.list)[i] = pickList(f, indexed(row.control, i));
            } else {
                control = txtName[i] = new QLineEdit(f);
                control->setObjectName(indexed(row.control, i));
                ui::setTextColour(control, Qt::black);
                control->installEventFilter(this); // the name filter
            }
            control->setFont(ui::verdana(8.25));
            ui::place(control, row.left, row.controlTop, row.controlWidth, row.controlHeight);
        }
    }

    cmdProceed = button(fraMain, QStringLiteral("cmdProceed"), QStringLiteral("&Get Our Starbond Reading"));
    ui::place(cmdProceed, 4607, 4080, 3250, 550);
    connect(cmdProceed, &QPushButton::clicked, this, &frmMain::cmdProceed_Click);

    QLabel *intro = addLabel(fraMain, 28,
                             QStringLiteral("Know your Starbond based on your Planetary Archetypes! Know more about "
                                            "the effect of the planets on your love profile."));
    intro->setFont(ui::verdana(8.25, true));
    intro->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    intro->setWordWrap(true);
    ui::place(intro, 405, 1080, 3975, 855);
}

void frmMain::buildResultView()
{
    cmdBackToMain = button(fraResult, QStringLiteral("cmdBackToMain"), QStringLiteral("&Do It Once Again"));
    ui::place(cmdBackToMain, 4005, 4450, 4200, 375);
    connect(cmdBackToMain, &QPushButton::clicked, this, &frmMain::cmdBackToMain_Click);

    for (int i : {2, 1})
        fraDisplay[i] = frame(fraResult, indexed("fraDisplay", i), ui::Orange);

    RTB = new QTextEdit(fraDisplay[2]);
    RTB->setObjectName(QStringLiteral("RTB"));
    RTB->setFont(ui::verdana(8.25));
    RTB->setReadOnly(true);
    RTB->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    RTB->setTabChangesFocus(true);
    RTB->setUndoRedoEnabled(false);
    RTB->setAcceptRichText(false);
    RTB->viewport()->setMouseTracking(true); // RTB_MouseMove needs every move
    RTB->viewport()->installEventFilter(this);
    ui::place(RTB, 120, 240, 8025, 3495);
    connect(RTB, &QTextEdit::textChanged, this, &frmMain::RTB_Change);

    TS = new QTabBar(fraResult);
    TS->setObjectName(QStringLiteral("TS"));
    TS->setFont(ui::verdana(8.25, true));
    TS->setDrawBase(false);
    TS->setExpanding(false);
    TS->setUsesScrollButtons(false);
    for (const char *caption : {"Your Cosmic Reading", "Your Partner's Cosmic Reading", "Starbond"})
        TS->addTab(QString::fromLatin1(caption));
    ui::place(TS, 0, 90, 8250, 750);
    connect(TS, &QTabBar::currentChanged, this, &frmMain::TS_Click);

    fraDisplay[0] = frame(fraResult, indexed("fraDisplay", 0), ui::Orange);
    for (QFrame *f : fraDisplay)
        ui::place(f, 0, 440, 8250, 3900);

    buildPersonCard(0);
    buildPersonCard(1);
}

void frmMain::buildPersonCard(int person)
{
    QFrame *card = fraDisplay[person];
    for (const CardRow &row : CardRows) {
        QLabel *caption = addLabel(card, row.captionIndex[person], QString::fromLatin1(row.caption));
        caption->setFont(ui::verdana(8.25, true));
        ui::setTextColour(caption, ui::Silver);
        ui::place(caption, 120, row.top);

        const int index = row.valueIndex + 10 * person;
        auto *value = new QLabel(QStringLiteral("Label"), card);
        value->setObjectName(indexed("lblResult", index));
        value->setTextFormat(Qt::PlainText);
        ui::setTextColour(value, Qt::black);
        lblResult[index] = value;
        if (row.valueIndex == CharacteristicsValue) {
            value->setWordWrap(true);
            value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            ui::place(value, 120, 2430, 7965, 780);
        } else {
            if (row.valueIndex == 1)
                value->setFont(ui::verdana(9, true));
            ui::place(value, 2280, row.top);
        }
    }
    QLabel *tail = addLabel(card, PersonLabel[person], QStringLiteral("person"));
    tail->setFont(ui::verdana(8.25, true));
    ui::setTextColour(tail, ui::Silver);
    ui::place(tail, 3330, 135);

    auto *back =
        button(card, person == 0 ? QStringLiteral("cmdBack1") : QStringLiteral("cmdBack2"), QStringLiteral("&Back"));
    auto *next =
        button(card, person == 0 ? QStringLiteral("cmdNext1") : QStringLiteral("cmdNext2"), QStringLiteral("&Next"));
    ui::place(back, 120, 3450, 1000, 350);
    ui::place(next, 7125, 3450, 1000, 350);
    back->hide();
    next->hide();
    connect(back, &QPushButton::clicked, this, [this, person] { cmdBack_Click(person); });
    connect(next, &QPushButton::clicked, this, [this, person] { cmdNext_Click(person); });
    (person == 0 ? cmdBack1 : cmdBack2) = back;
    (person == 0 ? cmdNext1 : cmdNext2) = next;
}

void frmMain::buildMenus()
{
    auto action = [this](QWidget *menu, const char *name, const QString &caption, void (frmMain::*handler)()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        menu->addAction(a);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [this](QMenu *menu, const char *name) {
        QAction *a = menu->addSeparator();
        a->setObjectName(QLatin1String(name));
        return a;
    };
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuCalculate = action(mnuFile, "mnuCalculate", QStringLiteral("Calculate My 9 Star &Ki Astrology"),
                          &frmMain::mnuCalculate_Click);
    mnuSep1 = separator(mnuFile, "mnuSep1");
    mnuExit = action(mnuFile, "mnuExit", QStringLiteral("E&xit"), &frmMain::mnuExit_Click);
    mnuCalculate->setVisible(false);
    mnuSep1->setVisible(false);

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline = action(mnuHelp, "mnuOnline", QStringLiteral("&Online Help"), &frmMain::mnuOnline_Click);
    mnuVisit = action(mnuHelp, "mnuVisit", QStringLiteral("&Visit Us Online"), &frmMain::mnuVisit_Click);
    mnuSep2 = separator(mnuHelp, "mnuSep2");
    mnuUpdate = action(mnuHelp, "mnuUpdate", QStringLiteral("Check for Software &Update"), &frmMain::mnuUpdate_Click);
    mnuSep3 = separator(mnuHelp, "mnuSep3");
    mnuAbout = action(mnuHelp, "mnuAbout", QStringLiteral("&About Software"), &frmMain::mnuAbout_Click);

    mnuDonate = action(bar, "mnuDonate", QStringLiteral("&Donate"), &frmMain::mnuDonate_Click);
    mnuMakeMoney = action(bar, "mnuMakeMoney", QStringLiteral("Make Money &Online"), &frmMain::mnuMakeMoney_Click);
    mnuMakeMoney->setVisible(false);
}

// The same keyboard order whichever view is in front; the chain is circular,
// so RTB leads back to txtName[0].
void frmMain::setKeyboardOrder()
{
    QWidget *const order[] = {txtName[0], cboDate[0], cboMonth[0],   cboYear[0], txtName[1], cboDate[1], cboMonth[1],
                              cboYear[1], cmdProceed, cmdBackToMain, TS,         Picture1,   RTB};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}
