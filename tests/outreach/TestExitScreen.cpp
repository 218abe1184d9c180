#include "outreach/ExitScreen.h"
#include "outreach/Links.h"
#include "outreach/Referral.h"
#include "support/FakeServices.h"
#include "support/ScreenReader.h"
#include "ui/kit/Layout.h"
#include "ui/kit/LinkLabel.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QIcon>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace
{

QString boxText(QWidget *box)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        return line->text();
    return qobject_cast<QPlainTextEdit *>(box)->toPlainText();
}

void setBoxText(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else
        qobject_cast<QPlainTextEdit *>(box)->setPlainText(text);
}

std::vector<std::string> opened(outreach::Page page)
{
    return {outreach::pageUrl(page)};
}

} // namespace

class TestExitScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<fakes::All> m_fakes;
    std::unique_ptr<outreach::ExitScreen> m_screen;

    template <typename T> T *child(const char *name) const
    {
        auto *w = m_screen->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

    // Opens the screen and waits until it holds the focus.
    void open()
    {
        m_screen->show();
        m_screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_screen.get()));
    }

    void focusTo(QWidget *w)
    {
        w->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), w);
    }

    // Valid entries in the four one-line boxes.
    void fillIn(const QString &name)
    {
        child<QLineEdit>("txtName")->setText(name);
        child<QLineEdit>("txtEmail")->setText(QStringLiteral("ann@mail.example"));
        child<QLineEdit>("txtFriendName")->setText(QStringLiteral("Bob"));
        child<QLineEdit>("txtFriendEmail")->setText(QStringLiteral("bob@mail.example"));
    }

  private slots:
    void initTestCase() { ui::initAppearance(); }

    void init()
    {
        m_fakes = std::make_unique<fakes::All>();
        m_screen = std::make_unique<outreach::ExitScreen>(0);
    }

    void cleanup()
    {
        m_screen.reset();
        m_fakes.reset();
    }

    void opensWithExitFocusedAndTopmost()
    {
        // Before the first show, so that the native window is made so.
        QVERIFY(m_screen->windowFlags() & Qt::WindowStaysOnTopHint);
        // In the screen's centre, give or take a pixel of rounding.
        QVERIFY((m_screen->geometry().center() - m_screen->screen()->availableGeometry().center()).manhattanLength() <=
                2);
        open();
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>("cmdClose"));
        QCOMPARE(m_screen->size(), QSize(741, 315));
        QCOMPARE(m_screen->windowTitle(), QStringLiteral("Starbond v1.0"));
    }

    void supportTextFollowsTheDraw_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("n");
        QTest::newRow("0") << 0.0f << 0;
        QTest::newRow("just below a quarter") << 0.24999999f << 0;
        QTest::newRow("a quarter") << 0.25f << 1;
        QTest::newRow("a half") << 0.5f << 2;
        QTest::newRow("just below three quarters") << 0.74999994f << 2;
        QTest::newRow("three quarters") << 0.75f << 3;
        QTest::newRow("largest below 1") << 0.99999994f << 3;
    }

    void supportTextFollowsTheDraw()
    {
        QFETCH(float, r);
        QFETCH(int, n);
        QCOMPARE(outreach::supportTextNumber(r), n);
        m_screen = std::make_unique<outreach::ExitScreen>(n);
        QCOMPARE(child<QLabel>("Label2")->text(), ui::qString(outreach::supportText(n)));
    }

    void tabOrderVisitsTheFocusableControls()
    {
        open();
        const QStringList expected{"Check1",         "txtName",       "cmdSubmit",  "txtEmail",
                                   "txtFriendEmail", "txtFriendName", "txtMessage", "cmdClose"};
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        // Passing through leaves every box as it was at load.
        QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral("Your Name"));
        QCOMPARE(child<QPlainTextEdit>("txtMessage")->toPlainText(), QStringLiteral("Your Message\n"));
    }

    void messageBoxIsOutOfSightButFocusable()
    {
        open();
        auto *message = child<QPlainTextEdit>("txtMessage");
        QVERIFY(message->isVisible());
        QVERIFY(message->visibleRegion().isEmpty());
        QVERIFY(message->geometry().top() > child<QWidget>("Frame2")->height());
    }

    void placeholderOnFocus_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("afterFocus");
        // clang-format off
        QTest::newRow("name placeholder") << "txtName" << "Your Name" << "";
        QTest::newRow("placeholder with blanks") << "txtName" << "  Your Name " << "";
        QTest::newRow("other case stays") << "txtName" << "your name" << "your name";
        QTest::newRow("added character stays") << "txtName" << "Your Names" << "Your Names";
        QTest::newRow("tab is no blank") << "txtName" << "\tYour Name" << "\tYour Name";
        QTest::newRow("email placeholder") << "txtEmail" << "Your Email Address" << "";
        QTest::newRow("friend name") << "txtFriendName" << "Friend's Name" << "";
        QTest::newRow("friend email") << "txtFriendEmail" << "Friend's Email Address" << "";
        QTest::newRow("message placeholder") << "txtMessage" << "Your Message" << "";
        QTest::newRow("message with line break stays") << "txtMessage" << "Your Message\n" << "Your Message\n";
        // clang-format on
    }

    void placeholderOnFocus()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, afterFocus);
        open();
        QWidget *w = child<QWidget>(box.toLatin1().constData());
        setBoxText(w, text);
        focusTo(w);
        QCOMPARE(boxText(w), afterFocus);
    }

    void placeholderOnLeaving_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("afterLeaving");
        // clang-format off
        QTest::newRow("empty") << "txtName" << "" << "Your Name";
        QTest::newRow("blanks only") << "txtName" << "   " << "Your Name";
        QTest::newRow("blanks around a name stay") << "txtName" << "  Ann  " << "  Ann  ";
        QTest::newRow("email empty") << "txtEmail" << "" << "Your Email Address";
        QTest::newRow("friend email empty") << "txtFriendEmail" << "" << "Friend's Email Address";
        QTest::newRow("friend name empty") << "txtFriendName" << "" << "Friend's Name";
        QTest::newRow("message back without line break") << "txtMessage" << "" << "Your Message";
        QTest::newRow("message kept") << "txtMessage" << "Hi\nthere" << "Hi\nthere";
        // clang-format on
    }

    void placeholderOnLeaving()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, afterLeaving);
        open();
        QWidget *w = child<QWidget>(box.toLatin1().constData());
        focusTo(w);
        setBoxText(w, typed);
        focusTo(child<QPushButton>("cmdSubmit"));
        QCOMPARE(boxText(w), afterLeaving);
    }

    void blankFilter_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("txtEmail") << "txtEmail";
        QTest::newRow("txtFriendEmail") << "txtFriendEmail";
    }

    void blankFilter()
    {
        QFETCH(QString, box);
        open();
        auto *w = child<QLineEdit>(box.toLatin1().constData());
        focusTo(w);
        QCOMPARE(w->text(), QString());

        QTest::keyClicks(w, "a b c");
        // A blank inside one key's text or an input method's commit too.
        QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QStringLiteral("d e"), Qt::NoModifier);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral(" f"));
        QApplication::sendEvent(w, &commit);
        QCOMPARE(w->text(), QStringLiteral("abcdef"));
        QCOMPARE(m_fakes->messageBoxes.shown.size(), 4u);
        for (const auto &shown : m_fakes->messageBoxes.shown) {
            QCOMPARE(shown.text, std::string("Email Address Cannot Contain Space"));
            QVERIFY(shown.icon == platform::MsgIcon::Critical);
            QVERIFY(shown.buttons == platform::MsgButtons::Ok);
        }
        QCOMPARE(QApplication::focusWidget(), w);

        QGuiApplication::clipboard()->setText(QStringLiteral(" x y"));
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w->text(), QStringLiteral("abcdef x y"));
        QCOMPARE(m_fakes->messageBoxes.shown.size(), 4u);
    }

    void nameBoxesTakeBlanks()
    {
        open();
        auto *name = child<QLineEdit>("txtName");
        focusTo(name);
        QTest::keyClicks(name, "Ann Lee");
        QCOMPARE(name->text(), QStringLiteral("Ann Lee"));
        QVERIFY(m_fakes->messageBoxes.shown.empty());
    }

    void check1OpensHomePageOncePerPress()
    {
        open();
        auto *check = child<QPushButton>("Check1");
        QVERIFY(check->isCheckable());
        QTest::mouseClick(check, Qt::LeftButton);
        QTest::mouseClick(check, Qt::LeftButton);
        QVERIFY(!check->isChecked());
        QCOMPARE(m_fakes->shell.opened, std::vector<std::string>(2, outreach::pageUrl(outreach::Page::Home)));
    }

    void lblGoToHomeOpensSoftwareArea()
    {
        open();
        QTest::mouseClick(child<ui::LinkLabel>("lblGoToHome"), Qt::LeftButton);
        QCOMPARE(m_fakes->shell.opened, opened(outreach::Page::SoftwaresSite));
    }

    void screenReaderHearsCaptionsAndWhatBoxesAsk()
    {
        open();
        const QStringList heard = screenreader::heard(m_screen.get());
        QCOMPARE(heard.filter(QStringLiteral("\"Starbond icon\"")).size(), 1); // no icon in a test: no picture
        for (const char *line :
             {"Window \"Starbond v1.0\"", "Grouping \"Refer A Friend\"", "EditableText \"Your name\"",
              "EditableText \"Your email address\"", "EditableText \"Your friend's name\"",
              "EditableText \"Your friend's email address\"", "EditableText \"Your message\"",
              "Grouping \"Download Velmora Softwares\"", "Link \"Click Here To Visit Velmora Softwares\""})
            QVERIFY2(heard.contains(QLatin1String(line)), line);
        screenreader::press(child<ui::LinkLabel>("lblGoToHome"));
        QCOMPARE(m_fakes->shell.opened, opened(outreach::Page::SoftwaresSite));
    }

    void untouchedFormAsksForProperAddresses()
    {
        open();
        QTest::mouseClick(child<QPushButton>("cmdSubmit"), Qt::LeftButton);
        QCOMPARE(m_fakes->messageBoxes.shown.size(), 1u);
        QCOMPARE(m_fakes->messageBoxes.shown[0].text, std::string("Please Enter Proper Email Address"));
        QVERIFY(m_fakes->messageBoxes.shown[0].icon == platform::MsgIcon::Critical);
        QVERIFY(m_fakes->messageBoxes.shown[0].buttons == platform::MsgButtons::Ok);
        QVERIFY(m_fakes->shell.opened.empty());
    }

    void sendingKeepsTheForm_data()
    {
        QTest::addColumn<bool>("handedOver");
        QTest::newRow("handed to the browser") << true;
        QTest::newRow("no browser to hand it to") << false;
    }

    void sendingKeepsTheForm()
    {
        QFETCH(bool, handedOver);
        open();
        QSignalSpy exitAsked(m_screen.get(), &outreach::ExitScreen::exitAsked);
        m_fakes->shell.opens = handedOver;
        fillIn(QStringLiteral(" Ann "));
        auto *submit = child<QPushButton>("cmdSubmit");
        QTest::mouseClick(submit, Qt::LeftButton);
        QTest::keyClick(submit, Qt::Key_Return); // the button has the focus

        QCOMPARE(m_fakes->messageBoxes.shown.size(), handedOver ? 0u : 2u);
        for (const auto &shown : m_fakes->messageBoxes.shown) {
            QCOMPARE(shown.text, std::string("Your Referral Could Not Be Sent. No Web Browser Could Be Started"));
            QVERIFY(shown.icon == platform::MsgIcon::Critical && shown.buttons == platform::MsgButtons::Ok);
        }
        QCOMPARE(m_fakes->shell.opened.size(), 2u);
        QCOMPARE(m_fakes->shell.opened[0],
                 outreach::referralUrl({"Ann", "ann@mail.example", "Your Message\r\n", "Bob", "bob@mail.example"}));
        QCOMPARE(child<QLineEdit>("txtName")->text(), QStringLiteral(" Ann "));
        QCOMPARE(child<QPlainTextEdit>("txtMessage")->toPlainText(), QStringLiteral("Your Message\n"));
        QVERIFY(m_screen->isVisible());
        QVERIFY(exitAsked.isEmpty());
    }

    void messageLinesAreSentWithCrLf_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return, a new paragraph") << int(Qt::NoModifier);
        QTest::newRow("Shift+Return, a line separator") << int(Qt::ShiftModifier);
    }

    void messageLinesAreSentWithCrLf()
    {
        QFETCH(int, modifiers);
        open();
        fillIn(QStringLiteral("Ann"));
        auto *message = child<QPlainTextEdit>("txtMessage");
        focusTo(message);
        message->clear();
        QTest::keyClicks(message, "one");
        QTest::keyClick(message, Qt::Key_Return, Qt::KeyboardModifiers(modifiers));
        QTest::keyClicks(message, "two");
        QTest::mouseClick(child<QPushButton>("cmdSubmit"), Qt::LeftButton);
        QCOMPARE(m_fakes->shell.opened.size(), 1u);
        QVERIFY(m_fakes->shell.opened[0].find("&taf3=one%0D%0Atwo&") != std::string::npos);
    }

    void exitButtonAndCloseBoxAskForTheWayOut_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("E&xit") << true;
        QTest::newRow("close box") << false;
    }

    void exitButtonAndCloseBoxAskForTheWayOut()
    {
        QFETCH(bool, byButton);
        open();
        QSignalSpy exitAsked(m_screen.get(), &outreach::ExitScreen::exitAsked);
        if (byButton)
            QTest::keyClick(child<QPushButton>("cmdClose"), Qt::Key_Return);
        else
            m_screen->close();
        QCOMPARE(exitAsked.size(), 1);
    }
};

QTEST_MAIN(TestExitScreen)
#include "TestExitScreen.moc"
