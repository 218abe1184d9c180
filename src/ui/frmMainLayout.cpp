// frmMain's controls, created in layout order (later siblings lie on top).
// Positions are twips relative to the containing control.

#include "ui/Form.h"
#include "ui/Images.h"
#include "ui/Layout.h"
#include "ui/frmMain.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>

namespace
{

using ui::Kind;
using namespace ui::colours;

constexpr ui::Face Regular{"Verdana", 8.25};
constexpr ui::Face Bold{"Verdana", 8.25, true};
constexpr ui::Face LinkFace{"Verdana", 8.25, true, true};
constexpr unsigned Strip = ui::Centre | ui::Wrap | ui::Opaque;

// The client area, the input view and the result view. The entry frames and
// the person cards are laid out alike for both people: their rows follow.
constexpr ui::Control Controls[] = {
    {Kind::Frame, "fraFullBrand", nullptr, 0, 5385, 8250, 875, "", {}, White},
    {Kind::Link, "lblFullBrand", "fraFullBrand", 90, 165, 8100, 650,
     "Home Business Opportunity. Start your own Internet business and make money online. Get this software fully "
     "branded for your website. Click here for more details.",
     LinkFace, Black, Strip},
    {Kind::Link, "lblCobrand", "fraFullBrand", 90, 165, 8100, 650,
     "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name &  link "
     "here. See \"Help\" for details. Click Here for more info on co-branding.",
     LinkFace, Black, Strip},
    {Kind::Frame, "fraMain", nullptr, 0, 480, 8250, 4900, "", {}, Orange},
    {Kind::Frame, "fraResult", nullptr, 0, 480, 8250, 4900, "", {}, Orange},
    {Kind::Link, "Label14", nullptr, 1590, 30, 5070, 435,
     "The Most Popular Online Mystic Discussion Forum. Click Here To Visit Velmora Now.", LinkFace, Black,
     ui::Centre | ui::Wrap},

    {Kind::Picture,
     "Picture1",
     "fraMain",
     1622,
     2175,
     1545,
     1575,
     "",
     {},
     ui::Inherit,
     0,
     "Sun in the wheel of the planets"},
    {Kind::Group, "Frame1_1", "fraMain", 4607, 2400, 3250, 1600, "Your Partner's Personal Details", Bold, Orange},
    {Kind::Group, "Frame1_0", "fraMain", 4607, 720, 3250, 1600, "Your Personal Details", Bold, Orange},
    {Kind::Button, "cmdProceed", "fraMain", 4607, 4080, 3250, 550, "&Get Our Starbond Reading", Bold},
    {Kind::Label, "lblLabel_28", "fraMain", 405, 1080, 3975, 855,
     "Know your Starbond based on your Planetary Archetypes! Know more about the effect of the planets on your love "
     "profile.",
     Bold, ui::Inherit, ui::Centre | ui::Wrap},

    {Kind::Button, "cmdBackToMain", "fraResult", 4005, 4450, 4200, 375, "&Do It Once Again", Bold},
    {Kind::Frame, "fraDisplay_2", "fraResult", 0, 440, 8250, 3900, "", {}, Orange},
    {Kind::Frame, "fraDisplay_1", "fraResult", 0, 440, 8250, 3900, "", {}, Orange},
    {Kind::RichText, "RTB", "fraDisplay_2", 120, 240, 8025, 3495, "", Regular, ui::Inherit, 0, "Compatibility reading"},
    {Kind::TabStrip, "TS", "fraResult", 0, 90, 8250, 750,
     "Your Cosmic Reading\nYour Partner's Cosmic Reading\nStarbond", Bold},
    {Kind::Frame, "fraDisplay_0", "fraResult", 0, 440, 8250, 3900, "", {}, Orange},
};

// One row of an entry frame: caption label, then its input control, named by
// the family and the person's index. The caption labels the control for
// assistive technology, which speaks it as whose it is and what it takes.
struct EntryRow {
    int labelIndex[2]; // user / partner
    const char *caption;
    int left, top;
    Kind kind;
    const char *family;
    int controlTop, controlWidth, controlHeight;
    const char *spoken; // after "Your " or "Your partner's "
};

constexpr EntryRow EntryRows[] = {
    {{3, 4}, "Name", 120, 240, Kind::TextBox, "txtName", 480, 3000, 300, "name"},
    {{0, 5}, "Date", 120, 840, Kind::PickList, "cboDate", 1080, 700, 315, "date of birth: day"},
    {{1, 6}, "Month", 845, 840, Kind::PickList, "cboMonth", 1080, 1350, 315, "date of birth: month"},
    {{2, 7}, "Year", 2220, 840, Kind::PickList, "cboYear", 1080, 900, 315, "date of birth: year"},
};
constexpr const char *Whose[2] = {"Your ", "Your partner's "};

// One row of a person card: the silver caption at the left and the value
// label; the partner's value index is the user's plus 10.
struct CardRow {
    int top;
    int captionIndex[2]; // user / partner
    const char *caption;
    int valueIndex, valueLeft, valueTop, valueWidth, valueHeight; // width 0: sized to the text
    ui::Face valueFace;
    unsigned valueStyle;
};

constexpr CardRow CardRows[] = {
    {120, {9, 26}, "You are a ", 1, 2280, 120, 0, 0, {"Verdana", 9, true}, 0},
    {376, {8, 27}, "Sun Sign", 0, 2280, 376, 0, 0, {}, 0},
    {632, {10, 25}, "Planetary Archetype", 2, 2280, 632, 0, 0, {}, 0},
    {888, {15, 22}, "Ruler", 7, 2280, 888, 0, 0, {}, 0},
    {1144, {16, 21}, "Tarot Card", 8, 2280, 1144, 0, 0, {}, 0},
    {1400, {17, 20}, "Detriment", 9, 2280, 1400, 0, 0, {}, 0},
    {1656, {12, 19}, "Also Known As", 4, 2280, 1656, 0, 0, {}, 0},
    {1912, {13, 18}, "Keywords", 5, 2280, 1912, 0, 0, {}, 0},
    {2168, {11, 24}, "Archetypal Characteristics", 3, 120, 2430, 7965, 780, {}, ui::Wrap},
};

// The rest of a card: "person" after the planet's name, and the record
// buttons, created hidden.
struct CardControl {
    Kind kind;
    const char *name[2]; // user / partner
    int left, top, width, height;
    const char *text;
    ui::Face face;
    QRgb colour;
};

constexpr CardControl CardControls[] = {
    {Kind::Label, {"lblLabel_30", "lblLabel_29"}, 3330, 135, 0, 0, "person", Bold, Silver},
    {Kind::Button, {"cmdBack1", "cmdBack2"}, 120, 3450, 1000, 350, "&Back", Bold, ui::Inherit},
    {Kind::Button, {"cmdNext1", "cmdNext2"}, 7125, 3450, 1000, 350, "&Next", Bold, ui::Inherit},
};

QString indexed(const char *name, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

// Makes one control of a family under its frame.
QWidget *make(QWidget *frame, Kind kind, const QString &name, int left, int top, int width, int height,
              const char *text, const ui::Face &face, QRgb colour, unsigned style = 0,
              const QString &accessibleName = {})
{
    const QByteArray bytes = name.toLatin1();
    const QByteArray spoken = accessibleName.toUtf8();
    return ui::buildControl(frame, {kind, bytes.constData(), nullptr, left, top, width, height, text, face, colour,
                                    style, accessibleName.isEmpty() ? nullptr : spoken.constData()});
}

// Fills a control array from the controls named family_0, family_1, ...
template <class W, std::size_t N> void bindFamily(std::array<W *, N> &family, const QWidget *window, const char *name)
{
    for (std::size_t i = 0; i < N; ++i)
        family[i] = ui::control<W>(window, indexed(name, static_cast<int>(i)));
}

} // namespace

void frmMain::buildWindow()
{
    client = new QFrame(this); // a frame, so that a point on the two views finds the one in front
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ui::twips(8250), ui::twips(6270));
    ui::paintBackground(client, Qt::white);
    setCentralWidget(client);
    ui::buildControls(client, Controls);

    for (const EntryRow &row : EntryRows) {
        for (int i : {0, 1}) {
            QWidget *frame = ui::control<QWidget>(client, indexed("Frame1", i));
            const QString spoken = QLatin1String(Whose[i]) + QLatin1String(row.spoken);
            auto *caption =
                static_cast<QLabel *>(make(frame, Kind::Label, indexed("lblLabel", row.labelIndex[i]), row.left,
                                           row.top, 0, 0, row.caption, Regular, ui::Inherit, 0, spoken));
            caption->setBuddy(make(frame, row.kind, indexed(row.family, i), row.left, row.controlTop, row.controlWidth,
                                   row.controlHeight, "", Regular, Black, 0, spoken));
        }
    }
    for (int person : {0, 1}) {
        QWidget *card = ui::control<QWidget>(client, indexed("fraDisplay", person));
        for (const CardRow &row : CardRows) {
            make(card, Kind::Label, indexed("lblLabel", row.captionIndex[person]), 120, row.top, 0, 0, row.caption,
                 Bold, Silver);
            make(card, Kind::Label, indexed("lblResult", row.valueIndex + 10 * person), row.valueLeft, row.valueTop,
                 row.valueWidth, row.valueHeight, "Label", row.valueFace, Black, row.valueStyle);
        }
        for (const CardControl &c : CardControls)
            make(card, c.kind, QString::fromLatin1(c.name[person]), c.left, c.top, c.width, c.height, c.text, c.face,
                 c.colour);
    }
}

// Binds the members to the controls of the table, by their names.
void frmMain::bindControls()
{
    const auto get = [this](const char *name) { return ui::control<QWidget>(client, QLatin1String(name)); };
    fraFullBrand = static_cast<QFrame *>(get("fraFullBrand"));
    lblFullBrand = static_cast<ui::LinkLabel *>(get("lblFullBrand"));
    lblCobrand = static_cast<ui::LinkLabel *>(get("lblCobrand"));
    fraMain = static_cast<QFrame *>(get("fraMain"));
    fraResult = static_cast<QFrame *>(get("fraResult"));
    Label14 = static_cast<ui::LinkLabel *>(get("Label14"));
    Picture1 = static_cast<QLabel *>(get("Picture1"));
    cmdProceed = static_cast<QPushButton *>(get("cmdProceed"));
    cmdBackToMain = static_cast<QPushButton *>(get("cmdBackToMain"));
    RTB = static_cast<QTextEdit *>(get("RTB"));
    TS = static_cast<QTabBar *>(get("TS"));
    cmdBack1 = static_cast<QPushButton *>(get("cmdBack1"));
    cmdNext1 = static_cast<QPushButton *>(get("cmdNext1"));
    cmdBack2 = static_cast<QPushButton *>(get("cmdBack2"));
    cmdNext2 = static_cast<QPushButton *>(get("cmdNext2"));
    bindFamily(Frame1, client, "Frame1");
    bindFamily(txtName, client, "txtName");
    bindFamily(cboDate, client, "cboDate");
    bindFamily(cboMonth, client, "cboMonth");
    bindFamily(cboYear, client, "cboYear");
    bindFamily(fraDisplay, client, "fraDisplay");
    for (std::size_t i = 0; i < lblLabel.size(); ++i)
        lblLabel[i] = client->findChild<QLabel *>(indexed("lblLabel", static_cast<int>(i))); // 14 and 23 are none
    for (std::size_t i = 0; i < lblResult.size(); ++i)
        lblResult[i] = client->findChild<QLabel *>(indexed("lblResult", static_cast<int>(i))); // 6 and 16 are none
}

// What the table does not say: pictures, handlers, the name filter, the
// clipboard's watch on the compatibility text.
void frmMain::wireControls()
{
    connect(Label14, &ui::LinkLabel::clicked, this, &frmMain::Label14_Click);
    connect(lblCobrand, &ui::LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
    connect(lblFullBrand, &ui::LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);

    ui::showPicture(Picture1, ui::StarPicture);
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1->setFocusPolicy(Qt::TabFocus);
    for (QLineEdit *box : txtName)
        box->installEventFilter(this); // the name filter
    connect(cmdProceed, &QPushButton::clicked, this, &frmMain::cmdProceed_Click);

    connect(cmdBackToMain, &QPushButton::clicked, this, &frmMain::cmdBackToMain_Click);
    // Return presses the button that has the focus, as Space does.
    for (QPushButton *b : {cmdProceed, cmdBackToMain})
        b->setAutoDefault(true);
    RTB->viewport()->setMouseTracking(true); // RTB_MouseMove needs every move
    RTB->viewport()->installEventFilter(this);
    connect(RTB, &QTextEdit::textChanged, this, &frmMain::RTB_Change);
    connect(TS, &QTabBar::currentChanged, this, &frmMain::TS_Click);

    for (QPushButton *b : {cmdBack1, cmdNext1, cmdBack2, cmdNext2})
        b->hide();
    connect(cmdBack1, &QPushButton::clicked, this, &frmMain::cmdBack1_Click);
    connect(cmdNext1, &QPushButton::clicked, this, &frmMain::cmdNext1_Click);
    connect(cmdBack2, &QPushButton::clicked, this, &frmMain::cmdBack2_Click);
    connect(cmdNext2, &QPushButton::clicked, this, &frmMain::cmdNext2_Click);
}

// The hidden entries stay off the menus, so that nothing, assistive
// technology included, offers them.
void frmMain::buildMenus()
{
    auto action = [this](QWidget *menu, const char *name, const QString &caption, void (frmMain::*handler)()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        if (menu)
            menu->addAction(a);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    auto separator = [this](QMenu *menu, const char *name) {
        QAction *a = menu ? menu->addSeparator() : new QAction(this);
        a->setSeparator(true);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuCalculate = action(nullptr, "mnuCalculate", QStringLiteral("Calculate My 9 Star &Ki Astrology"),
                          &frmMain::mnuCalculate_Click);
    mnuSep1 = separator(nullptr, "mnuSep1");
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
    // "&Do It Once Again" has the same access key, and Qt hands a key with two
    // owners to each in turn (the button only taking the focus): Alt+D stays
    // the menu bar's alone, so that every press opens the page.
    cmdBackToMain->setShortcut(QKeySequence());
    mnuMakeMoney = action(nullptr, "mnuMakeMoney", QStringLiteral("Make Money &Online"), &frmMain::mnuMakeMoney_Click);
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
