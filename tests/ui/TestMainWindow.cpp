// The main window driven as a user drives it: typing, clicking, the Tab key.

#include "MainWindowFixture.h"

#include "outreach/ExitScreen.h"
#include "outreach/Links.h"
#include "reading/Archetypes.h"
#include "reading/Reading.h"
#include "support/ScreenReader.h"
#include "ui/AboutWindow.h"
#include "ui/kit/Images.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

using platform::MsgIcon;
using uitest::inFront;

Q_DECLARE_METATYPE(platform::MsgIcon)
Q_DECLARE_METATYPE(std::string)

namespace
{

QString text(std::string_view s)
{
    return ui::qString(s);
}

std::string urlOf(outreach::Page page)
{
    return outreach::pageUrl(page);
}

// Debian has no Verdana; DejaVu Sans stands in.
bool verdanaOrItsStandIn(const QString &family)
{
    return family == QLatin1String("Verdana") || family == QLatin1String("DejaVu Sans");
}

using reading::Whose;

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

  private slots:
    void formLoad_fillsListsAndFocusesUsersName();
    void window_keepsItsTitleSizeAndFace();
    void pictures_drawnForTheScreensDensity();
    void pictures_followTheWindowToAnotherScreen();
    void nameFilter_data();
    void nameFilter();
    void nameFilter_inputMethodCommit_data();
    void nameFilter_inputMethodCommit();
    void validation_showsFirstFaultAndMovesFocus_data();
    void validation_showsFirstFaultAndMovesFocus();
    void validation_throughRealMessageBox();
    void reading_fillsCardsAndCompatibilityText();
    void tabs_bringTheirPageToFront();
    void doItOnceAgain_clearsInputAndShowsInputView();
    void tabKey_followsDesignedOrderThroughCoveredView();
    void secondReading_leavesNothingOfTheFirst();
    void recordButtons_reportEndsOfPlanetList();
    void compatibilityBox_emptiesOnlyOwnClipboard_data();
    void compatibilityBox_emptiesOnlyOwnClipboard();
    void menusAndLabels_openTheirPage_data();
    void menusAndLabels_openTheirPage();
    void promotionalStrip_showsAndOpensTheLabelOnTop();
    void about_isModalAndFreshEachTime();
    void exit_closesWindowLikeCloseBox_data();
    void exit_closesWindowLikeCloseBox();
    void screenReader_hearsOnlyTheViewInFront_data();
    void screenReader_hearsOnlyTheViewInFront();
    void screenReader_followsLinks();
};

void TestMainWindow::formLoad_fillsListsAndFocusesUsersName()
{
    uitest::MainWindow m;
    const QStringList months = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                                QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
                                QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
                                QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    for (QString i : {QStringLiteral("0"), QStringLiteral("1")}) {
        auto *day = m.get<QComboBox>(QStringLiteral("cboDate_") + i);
        auto *month = m.get<QComboBox>(QStringLiteral("cboMonth_") + i);
        auto *year = m.get<QComboBox>(QStringLiteral("cboYear_") + i);
        QCOMPARE(day->count(), 31);
        for (int n = 0; n < 31; ++n)
            QCOMPARE(day->itemText(n), QString::number(n + 1));
        QCOMPARE(month->count(), 12);
        for (int n = 0; n < 12; ++n)
            QCOMPARE(month->itemText(n), months[n]);
        QCOMPARE(year->count(), 151);
        QCOMPARE(year->itemText(0), QStringLiteral("1900"));
        QCOMPARE(year->itemText(150), QStringLiteral("2050"));
        QCOMPARE(day->currentText(), QStringLiteral("1"));
        QCOMPARE(month->currentText(), QStringLiteral("January"));
        QCOMPARE(year->currentText(), QStringLiteral("1900"));
        QVERIFY(m.get<QLineEdit>(QStringLiteral("txtName_") + i)->text().isEmpty());
    }
    QCOMPARE(QApplication::focusWidget(), m.get<QWidget>(QStringLiteral("txtName_0")));
    QVERIFY(inFront(m.get<QWidget>(QStringLiteral("fraMain")), m.get<QWidget>(QStringLiteral("fraResult"))));
}

// Where each control lies the pictures pin; at every density the window keeps
// its size in logical pixels.
void TestMainWindow::window_keepsItsTitleSizeAndFace()
{
    uitest::MainWindow m;
    QCOMPARE(m.window->windowTitle(), QStringLiteral("Starbond v1.0"));
    QCOMPARE(m.window->centralWidget()->size(), QSize(550, 418));
    QCOMPARE(m.window->minimumSize(), m.window->maximumSize());
    QVERIFY(m.window->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(m.window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(verdanaOrItsStandIn(m.window->font().family()));
    QCOMPARE(m.window->font().pointSizeF(), 8.25);
}

// Run at scales 1, 1.5 and 2, and on an X screen of 192 dots per inch.
void TestMainWindow::pictures_drawnForTheScreensDensity()
{
    uitest::MainWindow m;
    const qreal ratio = m.window->devicePixelRatioF();
    if (const QByteArray expected = qgetenv("EXPECTED_DEVICE_PIXEL_RATIO"); !expected.isEmpty())
        QCOMPARE(ratio, expected.toDouble());
    std::unique_ptr<QWidget> about(new ui::AboutWindow(nullptr));
    outreach::ExitScreen exitScreen(0);
    const std::pair<QLabel *, QSize> pictures[] = {
        {m.get<QLabel>(QStringLiteral("Picture1")), {103, 105}},
        {about->findChild<QLabel *>(QStringLiteral("picIcon")), {32, 32}},
        {exitScreen.findChild<QLabel *>(QStringLiteral("Picture1")), {32, 32}},
    };
    for (const auto &[label, size] : pictures) {
        QCOMPARE(label->pixmap().devicePixelRatio(), ratio);
        QCOMPARE(label->pixmap().size(), (QSizeF(size) * ratio).toSize());
    }
    // No size of the window icon is drawn from a smaller image.
    const QList<QSize> drawn = ui::starbondIcon().availableSizes();
    for (int size : {16, 32, 48})
        QVERIFY(std::any_of(drawn.begin(), drawn.end(), [&](QSize s) { return s.width() >= size * ratio; }));
}

// Run on a desktop of two screens, of 1x and 2x.
void TestMainWindow::pictures_followTheWindowToAnotherScreen()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        QSKIP("needs a second screen");
    uitest::MainWindow m;
    const QLabel *picture = m.get<QLabel>(QStringLiteral("Picture1"));
    for (QScreen *screen : {screens[1], screens[0]}) {
        m.window->windowHandle()->setScreen(screen);
        m.window->move(screen->geometry().topLeft() + QPoint(50, 50));
        QTRY_COMPARE(picture->pixmap().devicePixelRatio(), screen->devicePixelRatio());
    }
}

void TestMainWindow::nameFilter_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key"); // pressed after the text; 0 for none
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("messages");

    QTest::newRow("apostrophe") << 0 << "O'Brien" << 0 << 0 << "OBrien" << 1;
    QTest::newRow("partner's box too") << 1 << "O'Brien" << 0 << 0 << "OBrien" << 1;
    QTest::newRow("letters and blank") << 0 << "Anne marie Z" << 0 << 0 << "Anne marie Z" << 0;
    QTest::newRow("digits, hyphen, full stop") << 1 << "J-9.k" << 0 << 0 << "Jk" << 3;
    QTest::newRow("accented letter") << 0 << QStringLiteral("Ren\u00e9") << 0 << 0 << "Ren" << 1;
    QTest::newRow("enter") << 0 << "Al" << int(Qt::Key_Return) << 0 << "Al" << 1;
    QTest::newRow("keypad enter") << 1 << "Al" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "Al" << 1;
    QTest::newRow("backspace") << 0 << "Abc" << int(Qt::Key_Backspace) << 0 << "Ab" << 0;
    QTest::newRow("ctrl+c") << 0 << "Ab" << int(Qt::Key_C) << int(Qt::ControlModifier) << "Ab" << 1;
    QTest::newRow("ctrl+v") << 0 << "Ab" << int(Qt::Key_V) << int(Qt::ControlModifier) << "Ab" << 1;
    QTest::newRow("ctrl+x") << 1 << "Ab" << int(Qt::Key_X) << int(Qt::ControlModifier) << "Ab" << 1;
    QTest::newRow("cursor key delivers no character") << 0 << "Ab" << int(Qt::Key_Left) << 0 << "Ab" << 0;
    QTest::newRow("home") << 0 << "Ab" << int(Qt::Key_Home) << 0 << "Ab" << 0;
    QTest::newRow("ctrl+backspace types 127")
        << 0 << "Abc" << int(Qt::Key_Backspace) << int(Qt::ControlModifier) << "Abc" << 1;
    QTest::newRow("alt+digit types nothing") << 0 << "Ab" << int(Qt::Key_1) << int(Qt::AltModifier) << "Ab" << 0;
    QTest::newRow("alt+letter types nothing") << 1 << "Ab" << int(Qt::Key_E) << int(Qt::AltModifier) << "Ab" << 0;
    QTest::newRow("super+digit types nothing") << 0 << "Ab" << int(Qt::Key_3) << int(Qt::MetaModifier) << "Ab" << 0;
    QTest::newRow("ctrl+alt is AltGr, filtered")
        << 0 << "Ab" << int(Qt::Key_At) << int(Qt::ControlModifier | Qt::AltModifier) << "Ab" << 1;
    QTest::newRow("ctrl with a bidi override") << 1 << "Ab" << 0x202e << int(Qt::ControlModifier) << "Ab" << 1;
}

void TestMainWindow::nameFilter()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    QFETCH(int, messages);
    uitest::MainWindow m;
    auto *name = m.get<QLineEdit>(QStringLiteral("txtName_%1").arg(box));
    name->setFocus();
    for (QChar c : typed) {
        if (c.unicode() < 128)
            QTest::keyClick(name, c.toLatin1());
        else // a letter from a national keyboard layout
            QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    if (key > 0x7f && key < Qt::Key_Escape) // a key of a special layout, typing that character
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key(key), QString(QChar(key)), Qt::KeyboardModifiers(modifiers));
    else if (key)
        QTest::keyClick(name, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(name->text(), expected);
    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), messages);
    for (const auto &shown : m.fakes.messageBoxes.shown) {
        QCOMPARE(shown.text, std::string("First Name Can Accept Text Only"));
        QCOMPARE(shown.icon, MsgIcon::Critical);
        QCOMPARE(shown.buttons, platform::MsgButtons::Ok);
    }
    QCOMPARE(QApplication::focusWidget(), name);
}

// Several characters at once, an input method's commit or the text of one
// key (a compose sequence), go through the filter one by one, in order.
void TestMainWindow::nameFilter_inputMethodCommit_data()
{
    QTest::addColumn<QString>("commit");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("messages");
    QTest::newRow("letters") << "Anne" << false << "Anne" << 0;
    QTest::newRow("refused ones dropped, the rest kept") << "Ab1cd" << false << "Abcd" << 1;
    QTest::newRow("backspace is no character") << "A\bB" << false << "AB" << 0;
    QTest::newRow("one key, letters") << "Ab" << true << "Ab" << 0;
    QTest::newRow("one key, a refused one") << "a1" << true << "a" << 1;
    QTest::newRow("one key, refused ones around") << "1a-b." << true << "ab" << 3;
}

void TestMainWindow::nameFilter_inputMethodCommit()
{
    QFETCH(QString, commit);
    QFETCH(bool, byKey);
    QFETCH(QString, expected);
    QFETCH(int, messages);
    uitest::MainWindow m;
    auto *name = m.get<QLineEdit>(QStringLiteral("txtName_0"));
    if (byKey) {
        QTest::sendKeyEvent(QTest::Press, name, Qt::Key_unknown, commit, Qt::NoModifier);
    } else {
        QInputMethodEvent event;
        event.setCommitString(commit);
        QApplication::sendEvent(name, &event);
    }
    QCOMPARE(name->text(), expected);
    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), messages);
}

void TestMainWindow::validation_showsFirstFaultAndMovesFocus_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("partner");
    QTest::addColumn<QString>("userMonth");
    QTest::addColumn<int>("userDay");
    QTest::addColumn<QString>("partnerMonth");
    QTest::addColumn<int>("partnerDay");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MsgIcon>("icon");
    QTest::addColumn<QString>("focus");

    // The order of the checks is the reading's; here each kind of fault once.
    const QString jan = QStringLiteral("January");
    QTest::newRow("user's name") << "   "
                                 << "Bob" << jan << 1 << jan << 1 << "Please Enter Your Name" << MsgIcon::Critical
                                 << "txtName_0";
    QTest::newRow("partner's name") << "Ann"
                                    << "" << jan << 1 << jan << 1 << "Please Enter Your Partner's Name"
                                    << MsgIcon::Critical << "txtName_1";
    QTest::newRow("a date") << "Ann"
                            << "Bob" << jan << 1 << "April" << 31 << "Please Enter Correct Date Or Month !"
                            << MsgIcon::Information << "cmdProceed";
}

void TestMainWindow::validation_showsFirstFaultAndMovesFocus()
{
    QFETCH(QString, user);
    QFETCH(QString, partner);
    QFETCH(QString, userMonth);
    QFETCH(int, userDay);
    QFETCH(QString, partnerMonth);
    QFETCH(int, partnerDay);
    QFETCH(QString, message);
    QFETCH(MsgIcon, icon);
    QFETCH(QString, focus);
    uitest::MainWindow m;
    m.enterPerson(Whose::User, user, userDay, userMonth, 1901);
    m.enterPerson(Whose::Partner, partner, partnerDay, partnerMonth, 1901);

    m.clickProceed();

    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), 1);
    QCOMPARE(text(m.fakes.messageBoxes.shown[0].text), message);
    QCOMPARE(m.fakes.messageBoxes.shown[0].icon, icon);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(inFront(m.get<QWidget>(QStringLiteral("fraMain")), m.get<QWidget>(QStringLiteral("fraResult"))));
}

void TestMainWindow::validation_throughRealMessageBox()
{
    uitest::MainWindow m;
    platform::services().messageBoxes = platform::hostServices().messageBoxes; // restored with the fakes
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        }
    });
    m.clickProceed();
    QCOMPARE(seenText, QStringLiteral("Please Enter Your Name"));
    QCOMPARE(seenTitle, QStringLiteral("Starbond"));
    QCOMPARE(seenIcon, QMessageBox::Critical);
    QCOMPARE(m.window->focusWidget(), m.get<QWidget>(QStringLiteral("txtName_0")));
}

void TestMainWindow::reading_fillsCardsAndCompatibilityText()
{
    uitest::MainWindow m;
    auto *tabs = m.get<QTabBar>(QStringLiteral("TS"));
    tabs->setCurrentIndex(2); // a tab left selected by the user does not stick
    m.readAnnAndBob();
    QVERIFY(m.fakes.messageBoxes.shown.empty());

    // Which value of the reading goes into which label; the values are the
    // reading's own.
    const reading::Reading r = reading::readingOf({{"Ann", 9, 7, "August", "1990"}, {"Bob", 14, 4, "May", "1988"}});
    for (const Whose whose : reading::BothPeople) {
        const reading::PersonCard &card = *r.cards[whose];
        const std::pair<int, std::string_view> expected[] = {
            {0, r.people[whose].sunSign}, {1, card.planet},   {2, card.archetype}, {3, card.characteristics},
            {4, card.alsoKnownAs},        {5, card.keywords}, {7, card.ruler},     {8, card.tarotCard},
            {9, card.detriment},
        };
        const int first = whose == Whose::User ? 0 : 10;
        for (const auto &[index, value] : expected)
            QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_%1").arg(first + index))->text(), text(value));
    }
    QVERIFY(!m.window->findChild<QLabel *>(QStringLiteral("lblResult_6")));
    QVERIFY(!m.window->findChild<QLabel *>(QStringLiteral("lblResult_16")));

    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(inFront(m.get<QWidget>(QStringLiteral("fraResult")), m.get<QWidget>(QStringLiteral("fraMain"))));
    for (const char *other : {"fraDisplay_1", "fraDisplay_2", "TS"})
        QVERIFY(inFront(m.get<QWidget>(QStringLiteral("fraDisplay_0")), m.get<QWidget>(QLatin1String(other))));

    // The text's runs as lines, the bold ones bold, in the box's own face.
    QString expectedText;
    QStringList boldLines;
    for (const reading::TextRun &run : r.compatibility) {
        const QString lines = text(run.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        expectedText += lines;
        if (run.bold)
            boldLines += lines.trimmed();
    }
    const QTextDocument *doc = m.get<QTextEdit>(QStringLiteral("RTB"))->document();
    QCOMPARE(doc->toPlainText(), expectedText);
    // It takes no typing, not even through an input method.
    auto *box = m.get<QTextEdit>(QStringLiteral("RTB"));
    QTest::keyClicks(box, QStringLiteral("x"));
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("y"));
    QApplication::sendEvent(box, &commit);
    QCOMPARE(doc->toPlainText(), expectedText);
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            QCOMPARE(format.fontWeight() >= QFont::Bold, boldLines.contains(block.text()));
            QVERIFY(verdanaOrItsStandIn(format.font().family()));
            QCOMPARE(format.font().pointSizeF(), 8.25);
        }
    }
}

void TestMainWindow::tabs_bringTheirPageToFront()
{
    uitest::MainWindow m;
    m.readAnnAndBob();
    auto *tabs = m.get<QTabBar>(QStringLiteral("TS"));
    QWidget *pages[] = {m.get<QWidget>(QStringLiteral("fraDisplay_0")), m.get<QWidget>(QStringLiteral("fraDisplay_1")),
                        m.get<QWidget>(QStringLiteral("fraDisplay_2"))};
    for (int tab : {2, 1, 0, 2, 2}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        QCOMPARE(tabs->currentIndex(), tab);
        for (int other = 0; other < 3; ++other)
            if (other != tab)
                QVERIFY(inFront(pages[tab], pages[other]));
        // The tab row stays visible above the page.
        const QPoint tabCentre = tabs->mapTo(m.window->centralWidget(), tabs->tabRect(tab).center());
        QCOMPARE(m.window->centralWidget()->childAt(tabCentre), tabs);
    }
    QCOMPARE(tabs->tabText(0), QStringLiteral("Your Cosmic Reading"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Your Partner's Cosmic Reading"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Starbond"));
}

void TestMainWindow::doItOnceAgain_clearsInputAndShowsInputView()
{
    uitest::MainWindow m;
    m.readAnnAndBob();
    auto *tabs = m.get<QTabBar>(QStringLiteral("TS"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());

    QTest::mouseClick(m.get<QWidget>(QStringLiteral("cmdBackToMain")), Qt::LeftButton);

    for (QString i : {QStringLiteral("0"), QStringLiteral("1")}) {
        QVERIFY(m.get<QLineEdit>(QStringLiteral("txtName_") + i)->text().isEmpty());
        QCOMPARE(m.get<QComboBox>(QStringLiteral("cboDate_") + i)->currentText(), QStringLiteral("1"));
        QCOMPARE(m.get<QComboBox>(QStringLiteral("cboMonth_") + i)->currentText(), QStringLiteral("January"));
        QCOMPARE(m.get<QComboBox>(QStringLiteral("cboYear_") + i)->currentText(), QStringLiteral("1900"));
    }
    QCOMPARE(QApplication::focusWidget(), m.get<QWidget>(QStringLiteral("txtName_0")));
    QVERIFY(inFront(m.get<QWidget>(QStringLiteral("fraMain")), m.get<QWidget>(QStringLiteral("fraResult"))));
    QCOMPARE(tabs->currentIndex(), 2);
    QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_1"))->text(), QStringLiteral("SUN")); // cards are kept

    m.clickProceed();
    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), 1);
    QCOMPARE(m.fakes.messageBoxes.shown[0].text, std::string("Please Enter Your Name"));
}

void TestMainWindow::tabKey_followsDesignedOrderThroughCoveredView()
{
    uitest::MainWindow m;
    const QStringList order = {"cboDate_0",  "cboMonth_0", "cboYear_0",  "txtName_1",     "cboDate_1",
                               "cboMonth_1", "cboYear_1",  "cmdProceed", "cmdBackToMain", "TS",
                               "Picture1",   "RTB",        "txtName_0"};
    for (const QString &next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }

    // Space on the covered button clears the input; the input view stays.
    m.enterPerson(Whose::User, QStringLiteral("Ann"), 10, QStringLiteral("August"), 1990);
    auto *back = m.get<QWidget>(QStringLiteral("cmdBackToMain"));
    m.get<QWidget>(QStringLiteral("cmdProceed"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), back);
    QTest::keyClick(back, Qt::Key_Space);
    QVERIFY(m.get<QLineEdit>(QStringLiteral("txtName_0"))->text().isEmpty());
    QCOMPARE(m.get<QComboBox>(QStringLiteral("cboMonth_0"))->currentIndex(), 0);
    QVERIFY(inFront(m.get<QWidget>(QStringLiteral("fraMain")), m.get<QWidget>(QStringLiteral("fraResult"))));

    // Return presses the focused button too: the emptied names are refused.
    m.get<QWidget>(QStringLiteral("cmdProceed"))->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), 1);
    QCOMPARE(text(m.fakes.messageBoxes.shown[0].text), QStringLiteral("Please Enter Your Name"));
}

void TestMainWindow::secondReading_leavesNothingOfTheFirst()
{
    uitest::MainWindow m;
    m.readAnnAndBob();
    QTest::mouseClick(m.get<QWidget>(QStringLiteral("cmdBackToMain")), Qt::LeftButton);
    m.enterPerson(Whose::User, QStringLiteral("  Cy "), 1, QStringLiteral("January"), 1950);
    m.enterPerson(Whose::Partner, QStringLiteral("Di"), 21, QStringLiteral("March"), 1960);
    m.clickProceed();

    const auto &saturn = reading::archetypeOf(reading::Planet::Saturn);
    const auto &mars = reading::archetypeOf(reading::Planet::Mars);
    QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_0"))->text(), QStringLiteral("Capricorn"));
    QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_1"))->text(), QStringLiteral("SATURN"));
    QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_3"))->text(), text(saturn.characteristics));
    QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_10"))->text(), QStringLiteral("Aries"));
    QCOMPARE(m.get<QLabel>(QStringLiteral("lblResult_19"))->text(), text(mars.detriment));
    const QString all = m.get<QTextEdit>(QStringLiteral("RTB"))->toPlainText();
    QVERIFY(all.startsWith(QStringLiteral("Compatibility of Cy with Di\nRomancing the Saturn person.\n")));
    QVERIFY(all.contains(QStringLiteral("Compatibility of Di with Cy\nRomancing the Mars person.\n")));
    QVERIFY(!all.contains(QStringLiteral("Ann")));
    QVERIFY(!all.contains(QStringLiteral("Sun person")));
}

// The hidden record buttons of a card, as they would work if shown.
void TestMainWindow::recordButtons_reportEndsOfPlanetList()
{
    uitest::MainWindow m;
    m.readAnnAndBob();
    auto *next = m.get<QPushButton>(QStringLiteral("cmdNext2"));
    auto *back = m.get<QPushButton>(QStringLiteral("cmdBack2"));
    QVERIFY(!next->isVisible() && !back->isVisible());
    QVERIFY(!m.get<QWidget>(QStringLiteral("cmdNext1"))->isVisible());
    auto *planet = m.get<QLabel>(QStringLiteral("lblResult_11"));
    const QString shown = planet->text();

    next->click();
    QCOMPARE(m.fakes.messageBoxes.shown.back().text, std::string("You are at the last record"));
    planet->clear();
    back->click(); // back to the one planet: the card is shown again
    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), 1);
    QCOMPARE(planet->text(), shown);
    back->click();
    QCOMPARE(m.fakes.messageBoxes.shown.back().text, std::string("You are at the first record"));
    QCOMPARE(m.fakes.messageBoxes.shown.back().icon, MsgIcon::Critical);
    m.get<QPushButton>(QStringLiteral("cmdBack1"))->click();
    QCOMPARE(int(m.fakes.messageBoxes.shown.size()), 3);
}

void TestMainWindow::compatibilityBox_emptiesOnlyOwnClipboard_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("owned");
    for (const char *action : {"reading", "move", "press", "click"}) {
        QTest::addRow("%s, own data", action) << QString::fromLatin1(action) << true;
        QTest::addRow("%s, another program's data", action) << QString::fromLatin1(action) << false;
    }
}

void TestMainWindow::compatibilityBox_emptiesOnlyOwnClipboard()
{
    QFETCH(QString, action);
    QFETCH(bool, owned);
    uitest::MainWindow m;
    m.readAnnAndBob();
    auto *tabs = m.get<QTabBar>(QStringLiteral("TS"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QWidget *viewport = m.get<QTextEdit>(QStringLiteral("RTB"))->viewport();
    m.fakes.clipboard.clears = 0;
    m.fakes.clipboard.owned = owned;
    m.fakes.clipboard.hasData = true;

    if (action == QLatin1String("reading")) {
        QTest::mouseClick(m.get<QWidget>(QStringLiteral("cmdBackToMain")), Qt::LeftButton);
        m.readAnnAndBob();
    } else if (action == QLatin1String("move")) {
        QTest::mouseMove(viewport, QPoint(20, 20));
        QTest::mouseMove(viewport, QPoint(40, 30));
    } else if (action == QLatin1String("press")) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(20, 20));
    } else {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(20, 20));
    }

    QCOMPARE(m.fakes.clipboard.clears > 0, owned);
    QCOMPARE(m.fakes.clipboard.hasData, !owned);
}

void TestMainWindow::menusAndLabels_openTheirPage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::string>("url");
    QTest::newRow("Online Help") << "mnuOnline" << urlOf(outreach::Page::OnlineHelp);
    QTest::newRow("Visit Us Online") << "mnuVisit" << urlOf(outreach::Page::Home);
    QTest::newRow("Check for Software Update") << "mnuUpdate" << urlOf(outreach::Page::Download);
    QTest::newRow("Donate, on the menu bar") << "mnuDonate" << urlOf(outreach::Page::Donation);
    QTest::newRow("hidden Make Money Online") << "mnuMakeMoney" << urlOf(outreach::Page::FullBrand);
    QTest::newRow("forum label") << "Label14" << urlOf(outreach::Page::Home);
}

void TestMainWindow::menusAndLabels_openTheirPage()
{
    QFETCH(QString, name);
    QFETCH(std::string, url);
    QVERIFY(!url.empty());
    uitest::MainWindow m;
    if (auto *label = m.window->findChild<QLabel *>(name)) {
        // A press let go outside is no click.
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(-3, -3));
        QVERIFY(m.fakes.shell.opened.empty());
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, label->height() - 3)); // any point counts
    } else if (name == QLatin1String("mnuDonate")) {
        QMenuBar *bar = m.window->menuBar();
        auto *donate = m.get<QAction>(name);
        QCOMPARE(donate->text(), QStringLiteral("&Donate"));
        QVERIFY(!donate->menu());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(donate).center());
        QVERIFY(!QApplication::activePopupWidget());
    } else {
        m.get<QAction>(name)->trigger();
    }
    QCOMPARE(m.fakes.shell.opened, std::vector<std::string>{url});
    QVERIFY(m.fakes.messageBoxes.shown.empty());
}

void TestMainWindow::promotionalStrip_showsAndOpensTheLabelOnTop()
{
    uitest::MainWindow m;
    auto *strip = m.get<QWidget>(QStringLiteral("fraFullBrand"));
    auto *cobrand = m.get<QLabel>(QStringLiteral("lblCobrand"));
    auto *fullBrand = m.get<QLabel>(QStringLiteral("lblFullBrand"));
    const QPoint centre = cobrand->geometry().center();
    QVERIFY(cobrand->autoFillBackground() && fullBrand->autoFillBackground());

    for (QLabel *top : {cobrand, fullBrand}) {
        top->raise();
        QCOMPARE(strip->childAt(centre), top);
        m.fakes.shell.opened.clear();
        QTest::mouseClick(strip->childAt(centre), Qt::LeftButton, {}, QPoint(5, 5));
        const auto expected = urlOf(top == cobrand ? outreach::Page::CoBrand : outreach::Page::FullBrand);
        QCOMPARE(m.fakes.shell.opened, std::vector<std::string>{expected});
    }
}

void TestMainWindow::about_isModalAndFreshEachTime()
{
    uitest::MainWindow m;
    QStringList seen;
    for (int round = 0; round < 2; ++round) {
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            seen << (modal ? modal->objectName() : QString());
            if (modal) {
                // The main window's menus take no input meanwhile.
                QVERIFY(!m.window->isEnabled() || modal->isModal());
                modal->close();
            }
        });
        m.get<QAction>(QStringLiteral("mnuAbout"))->trigger();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m.window->findChild<QWidget *>(QStringLiteral("frmAbout")));
    }
    QCOMPARE(seen, QStringList({QStringLiteral("frmAbout"), QStringLiteral("frmAbout")}));
    QVERIFY(m.fakes.shell.opened.empty());
}

void TestMainWindow::exit_closesWindowLikeCloseBox_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<bool>("afterReading");
    QTest::newRow("Exit, input view") << true << false;
    QTest::newRow("Exit, result view") << true << true;
    QTest::newRow("close box, input view") << false << false;
    QTest::newRow("close box, result view") << false << true;
}

void TestMainWindow::exit_closesWindowLikeCloseBox()
{
    QFETCH(bool, byMenu);
    QFETCH(bool, afterReading);
    uitest::MainWindow m;
    if (afterReading)
        m.readAnnAndBob();
    auto *exit = m.get<QAction>(QStringLiteral("mnuExit"));
    QCOMPARE(exit->text(), QStringLiteral("E&xit"));
    QCOMPARE(m.get<QMenu>(QStringLiteral("mnuFile"))->title(), QStringLiteral("&File"));

    QSignalSpy closing(m.window.data(), &ui::MainWindow::closing);
    if (byMenu)
        exit->trigger();
    else
        QVERIFY(m.window->close());

    QCOMPARE(closing.size(), 1);
    QVERIFY(!m.window->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m.window.isNull());
}

void TestMainWindow::screenReader_hearsOnlyTheViewInFront_data()
{
    QTest::addColumn<int>("tab"); // -1: the input view, before a reading
    QTest::addColumn<QStringList>("heard");
    QTest::addColumn<QStringList>("unheard");
    const QString back = QStringLiteral("Button \"Do It Once Again\""),
                  rtb = QStringLiteral("EditableText \"Compatibility reading\""),
                  leo = QStringLiteral("StaticText \"Leo\""), taurus = QStringLiteral("StaticText \"Taurus\"");
    const QStringList input = {QStringLiteral("Graphic \"Sun in the wheel of the planets\""),
                               QStringLiteral("EditableText \"Your name\""),
                               QStringLiteral("EditableText \"Your partner's name\""),
                               QStringLiteral("ComboBox \"Your date of birth: day\""),
                               QStringLiteral("ComboBox \"Your date of birth: month\""),
                               QStringLiteral("ComboBox \"Your partner's date of birth: year\""),
                               QStringLiteral("Link \"The Most Popular Online Mystic Discussion Forum. Click Here To "
                                              "Visit Velmora Now.\"")};
    QTest::newRow("input view") << -1 << input << QStringList{back, rtb, leo, QStringLiteral("Button \"Back\"")};
    QTest::newRow("user's card") << 0 << QStringList{back, leo} << input.mid(0, 4) + QStringList{taurus, rtb};
    QTest::newRow("partner's card") << 1 << QStringList{back, taurus} << QStringList{leo, rtb, input[1]};
    QTest::newRow("compatibility") << 2 << QStringList{back, rtb} << QStringList{leo, taurus, input[0]};
}

void TestMainWindow::screenReader_hearsOnlyTheViewInFront()
{
    QFETCH(int, tab);
    QFETCH(QStringList, heard);
    QFETCH(QStringList, unheard);
    uitest::MainWindow m;
    if (tab >= 0) {
        m.readAnnAndBob();
        auto *tabs = m.get<QTabBar>(QStringLiteral("TS"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
    }
    const QStringList lines = screenreader::heard(m.window.data());
    for (const QString &line : heard)
        QVERIFY2(lines.contains(line), qPrintable(line));
    for (const QString &line : unheard)
        QVERIFY2(!lines.contains(line), qPrintable(line));
    QCOMPARE(lines.count(QStringLiteral("StaticText \"You are a \"")), tab == 0 || tab == 1 ? 1 : 0);
    QCOMPARE(lines.filter(QStringLiteral("Link \"")).size(), 2); // the forum and the promotion on top
}

void TestMainWindow::screenReader_followsLinks()
{
    uitest::MainWindow m;
    screenreader::press(m.get<QWidget>(QStringLiteral("Label14")));
    QCOMPARE(m.fakes.shell.opened, std::vector<std::string>{urlOf(outreach::Page::Home)});
}

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
