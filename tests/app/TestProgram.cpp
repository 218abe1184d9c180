// The real program as a process on the X server in DISPLAY, as a user meets
// it: one instance per logon, the reminder before the main window, a damaged
// store, a crashed instance, the two ways out through the exit screen, and
// the whole way from start to exit with the keyboard alone.

#include "app/Settings.h"
#include "outreach/Links.h"
#include "outreach/Referral.h"
#include "platform/UserStore_posix.h"
#include "support/XDesktop.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <csignal>
#include <memory>

namespace
{

const std::string MainTitle = "Starbond v1.0";
const std::string BoxTitle = "Starbond";

// The Windows build of the program, started through wine (in the WINEPREFIX
// of the environment) instead of the Linux one.
QString windowsProgram()
{
    return qEnvironmentVariable("STARBOND_EXE_UNDER_WINE");
}

// The registry key of the Windows program's settings.
const QString SettingsKey = QStringLiteral("HKCU\\Software\\starbond\\Settings");

QByteArray wineReg(const QStringList &arguments)
{
    QProcess reg;
    reg.start(QStringLiteral("wine"), QStringList{QStringLiteral("reg")} + arguments);
    reg.waitForFinished(30000);
    return reg.readAllStandardOutput();
}

// One user's logon: its own home, config and runtime folders (or, under Wine,
// an empty registry key), and an xdg-open on PATH that records what it is
// asked to open; Wine's browser launcher calls it too.
struct Logon {
    QTemporaryDir root;
    QString opened() const { return root.filePath("opened.txt"); }
    QString configDir() const { return root.filePath("config"); }
    QString storeFile() const { return configDir() + "/starbond/settings.ini"; }

    Logon()
    {
        QDir(root.path()).mkpath("run");
        QDir(root.path()).mkpath("bin");
        QFile(root.filePath("run")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile script(root.filePath("bin/xdg-open"));
        script.open(QIODevice::WriteOnly);
        script.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + opened().toUtf8() + "'\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!windowsProgram().isEmpty())
            wineReg({QStringLiteral("delete"), QStringLiteral("HKCU\\Software\\starbond"), QStringLiteral("/f")});
    }

    std::unique_ptr<QProcess> start() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root.path());
        env.insert("XDG_CONFIG_HOME", configDir());
        env.insert("XDG_RUNTIME_DIR", root.filePath("run"));
        env.insert("PATH", root.filePath("bin") + ":" + env.value("PATH"));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("LC_ALL", "C.UTF-8");
        env.remove("SESSION_MANAGER");
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        if (windowsProgram().isEmpty())
            p->start(QStringLiteral(STARBOND_EXE), {});
        else
            p->start(QStringLiteral("wine"), {windowsProgram()});
        p->waitForStarted();
        return p;
    }

    // What the program stores, before it is shifted by 85, as the store
    // holds it: a file's bytes, or the registry's Western characters.
    void store(const std::string &name, const std::string &value) const
    {
        if (windowsProgram().isEmpty()) {
            platform::FileUserStore(storeFile()).write("Settings", app::encodeText(name), app::encodeText(value));
            return;
        }
        auto western = [](const std::string &bytes) {
            return QStringDecoder("windows-1252").decode(QByteArray::fromStdString(bytes)).operator QString();
        };
        wineReg({QStringLiteral("add"), SettingsKey, QStringLiteral("/v"), western(app::encodeText(name)),
                 QStringLiteral("/t"), QStringLiteral("REG_SZ"), QStringLiteral("/d"), western(app::encodeText(value)),
                 QStringLiteral("/f")});
    }

    void storeDate(const QDate &date) const
    {
        store("Install", "1");
        store("Duration", date.toString(Qt::ISODate).toStdString());
    }

    QByteArray storeContent() const
    {
        if (!windowsProgram().isEmpty())
            return wineReg({QStringLiteral("query"), SettingsKey});
        QFile file(storeFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // What xdg-open was asked to open, one URL a line. Wine's shell adds the
    // "/" of an address without a path on its way to the browser.
    QStringList openedUrls() const
    {
        QFile file(opened());
        QStringList urls = file.open(QIODevice::ReadOnly)
                               ? QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)
                               : QStringList();
        for (QString &url : urls)
            if (!windowsProgram().isEmpty() && QUrl(url).path() == QStringLiteral("/"))
                url.chop(1);
        return urls;
    }
};

std::vector<std::string> keys(const std::string &key, int times)
{
    return std::vector<std::string>(static_cast<std::size_t>(times), key);
}

void endProcess(QProcess &p)
{
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
    }
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

    std::unique_ptr<xdesktop::Desktop> m_desktop;

    std::size_t count(const QProcess &p, const std::string &title) const
    {
        return m_desktop->windowsOf(p.processId(), title).size();
    }
    xdesktop::WindowId window(const QProcess &p, const std::string &title) const
    {
        const auto windows = m_desktop->windowsOf(p.processId(), title);
        return windows.empty() ? 0 : windows.front().id;
    }

    // The main window comes up with no message box; the program is then ended.
    void expectQuietStart(QProcess &p) const
    {
        QTRY_COMPARE_WITH_TIMEOUT(count(p, MainTitle), 1u, 15000);
        QCOMPARE(count(p, BoxTitle), 0u);
        endProcess(p);
    }

    // STARBOND_SCREENSHOTS=<folder> keeps a picture of the window as the user
    // sees it, for the documentation.
    void screenshot(xdesktop::WindowId window, const char *name) const
    {
        const QString folder = qEnvironmentVariable("STARBOND_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QTest::qWait(300); // the caret and the last paint
        int width = 0, height = 0;
        const std::vector<unsigned int> pixels = m_desktop->grab(window, width, height);
        const QImage image(reinterpret_cast<const uchar *>(pixels.data()), width, height, QImage::Format_RGB32);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(image.save(QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png"))));
    }

  private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server (the test command runs these under xvfb-run)");
        m_desktop = std::make_unique<xdesktop::Desktop>();
        QVERIFY2(m_desktop->isOpen(), "the X server lacks the XTEST or DAMAGE extension");
    }

    void secondInstanceAnnouncesAndEnds()
    {
        Logon logon;
        auto first = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*first, MainTitle), 1u, 15000);
        const auto firstWindow = window(*first, MainTitle);
        const QByteArray store = logon.storeContent();
        QVERIFY(!store.isEmpty());

        auto second = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*second, BoxTitle), 1u, 15000);
        QCOMPARE(count(*second, MainTitle), 0u);
        QVERIFY(m_desktop->type(window(*second, BoxTitle), {"Return"}));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        // The first instance runs on, its window untouched; the store too.
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(window(*first, MainTitle), firstWindow);
        QCOMPARE(logon.storeContent(), store);
        endProcess(*first);
    }

    void dueReminderAsksBeforeMainWindow()
    {
        Logon logon;
        logon.storeDate(QDate::currentDate().addDays(-30));
        auto program = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, BoxTitle), 1u, 15000);
        QCOMPARE(count(*program, MainTitle), 0u);
        QVERIFY(m_desktop->type(window(*program, BoxTitle), {"Return"})); // Yes is the default
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(logon.openedUrls().size(), 1, 5000);
        QVERIFY(logon.openedUrls()[0].endsWith("/download-qz-free-starbond.html"));
        endProcess(*program);

        // It wrote today's date back where it reads it: the next start is quiet.
        expectQuietStart(*logon.start());
    }

    void unreadableStoreStillShowsMainWindow()
    {
        if (!windowsProgram().isEmpty())
            QSKIP("a store folder that is a file is the Linux store's case");
        Logon logon;
        // Where the store's folder should be stands a file.
        QDir().mkpath(logon.configDir());
        QFile blocker(logon.configDir() + "/starbond");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
        blocker.close();
        expectQuietStart(*logon.start());
    }

    void startAfterCrashedInstance()
    {
        Logon logon;
        auto crashed = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*crashed, MainTitle), 1u, 15000);
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));

        expectQuietStart(*logon.start());
    }

    // Keys with Alt or the Windows key type nothing into a name box, and
    // Ctrl+Backspace is a character the filter refuses.
    void nameBoxTakesNoKeyPastItsFilter()
    {
        if (!windowsProgram().isEmpty())
            QSKIP("reads the name box through the X primary selection, which a Windows program does not own");
        Logon logon;
        auto program = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 15000);
        const auto main = window(*program, MainTitle);
        QVERIFY(
            m_desktop->type(main, {"A", "n", "alt+1", "alt+2", "alt+'", "alt+;", "super+3", "n", "ctrl+BackSpace"}));
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, BoxTitle), 1u, 5000);
        QVERIFY(m_desktop->type(window(*program, BoxTitle), {"Return"}));
        QTRY_COMPARE(count(*program, BoxTitle), 0u);
        QVERIFY(m_desktop->type(main, {"shift+Home"}));
        QTRY_COMPARE(m_desktop->selectionText("PRIMARY"), std::optional<std::string>("Ann"));
        QCOMPARE(count(*program, BoxTitle), 0u);
        endProcess(*program);
    }

    // "&Donate" sits on the menu bar without a menu: every Alt+D opens the
    // page once.
    void everyAltDOpensTheDonationPage()
    {
        Logon logon;
        auto program = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 15000);
        std::vector<std::string> keys(10, "alt+d");
        keys.push_back("alt+o"); // the hidden "Make Money &Online"
        QVERIFY(m_desktop->type(window(*program, MainTitle), keys, 200));
        QTRY_COMPARE_WITH_TIMEOUT(logon.openedUrls().size(), 10, 10000);
        QTest::qWait(500); // and no more
        QCOMPARE(logon.openedUrls(),
                 QStringList(10, QString::fromStdString(outreach::pageUrl(outreach::Page::Donation))));
        endProcess(*program);
    }

    void leaving_data()
    {
        QTest::addColumn<bool>("mainByMenu");
        QTest::addColumn<bool>("exitByButton");
        QTest::newRow("close box, then E&xit") << false << true;
        QTest::newRow("menu E&xit, then close box") << true << false;
    }

    void leaving()
    {
        QFETCH(bool, mainByMenu);
        QFETCH(bool, exitByButton);
        Logon logon;
        auto program = logon.start();
        const qint64 pid = program->processId();
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 15000);
        const auto main = m_desktop->windowsOf(pid).front();
        if (mainByMenu)
            QVERIFY(m_desktop->type(main.id, {"alt+f", "x"}, 100));
        else
            m_desktop->close(main.id);

        // The exit screen replaces the main window; the process lives on.
        QTRY_VERIFY_WITH_TIMEOUT(m_desktop->windowsOf(pid).size() == 1 && m_desktop->windowsOf(pid)[0].id != main.id,
                                 15000);
        const auto exitScreen = m_desktop->windowsOf(pid).front();
        QCOMPARE(QSize(exitScreen.width, exitScreen.height), QSize(741, 315));
        QCOMPARE(exitScreen.title, MainTitle);
        QCOMPARE(program->state(), QProcess::Running);

        if (exitByButton)
            QVERIFY(m_desktop->type(exitScreen.id, {"alt+x"}, 100));
        else
            m_desktop->close(exitScreen.id);

        QVERIFY2(program->waitForFinished(30000), "the program did not end");
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        QVERIFY(m_desktop->windowsOf(pid).empty());
    }

    // A user who never touches the mouse, in the designed keyboard order.
    void keyboardOnlyFromStartToExit()
    {
        Logon logon;
        auto program = logon.start();
        const qint64 pid = program->processId();
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 15000);
        const auto main = window(*program, MainTitle);
        // The left half of the views: the star picture, or the card or text
        // of the page in front.
        const auto views = [&] { return m_desktop->picture(main, 0, 60, 290, 300); };
        // Drawn whole once two looks a moment apart agree (under Wine the
        // controls come a little after the window).
        const auto settled = [&] {
            const auto first = views();
            QTest::qWait(300);
            return first != 0 && views() == first;
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 10000);
        const auto input = views();

        // Ann, 10 August 1901, and Bob, 15 May 1902; then the reading button.
        QVERIFY(m_desktop->typeText(main, "Ann"));
        for (const auto &person : {std::vector<int>{9, 7, 1}, std::vector<int>{14, 4, 2}}) {
            for (int downs : person) {
                QVERIFY(m_desktop->type(main, {"Tab"}));
                QVERIFY(m_desktop->type(main, keys("Down", downs)));
            }
            QVERIFY(m_desktop->type(main, {"Tab"}));
            if (person[0] == 9)
                QVERIFY(m_desktop->typeText(main, "Bob"));
        }
        screenshot(main, "main-input-filled");
        QVERIFY(m_desktop->type(main, {"space"}));
        QTRY_VERIFY_WITH_TIMEOUT(views() != input, 5000);
        screenshot(main, "main-reading-user");
        QCOMPARE(count(*program, BoxTitle), 0u);

        // Tab reaches the tab strip past "Do It Once Again"; the arrow keys
        // turn the pages, and Tab goes on into the compatibility text.
        std::vector<std::uint64_t> pages{views()};
        QVERIFY(m_desktop->type(main, {"Tab", "Tab"}));
        for (int page : {1, 2}) {
            QVERIFY(m_desktop->type(main, {"Right"}));
            QTRY_VERIFY_WITH_TIMEOUT(views() != pages.back(), 5000);
            pages.push_back(views());
            QVERIFY(page != 2 || pages[2] != pages[0]);
            screenshot(main, page == 1 ? "main-reading-partner" : "main-reading-compatibility");
        }
        QVERIFY(m_desktop->type(main, {"Tab", "Tab", "Down", "Down"}));

        // Back along the keyboard order to "Do It Once Again", which the
        // space bar presses (Alt+D is "&Donate"'s).
        QVERIFY(m_desktop->type(main, {"shift+Tab", "shift+Tab", "shift+Tab", "space"}, 100));
        QTRY_COMPARE_WITH_TIMEOUT(views(), input, 5000);
        QVERIFY(logon.openedUrls().isEmpty());

        // Every menu entry.
        const std::pair<std::vector<std::string>, std::string> entries[] = {
            {{"alt+h", "o"}, outreach::pageUrl(outreach::Page::OnlineHelp)},
            {{"alt+h", "v"}, outreach::pageUrl(outreach::Page::Home)},
            {{"alt+h", "u"}, outreach::pageUrl(outreach::Page::Download)},
            {{"alt+d"}, outreach::pageUrl(outreach::Page::Donation)},
        };
        QStringList expected;
        for (const auto &[typed, url] : entries) {
            QVERIFY(m_desktop->type(main, typed, 100));
            expected << QString::fromStdString(url);
            QTRY_COMPARE_WITH_TIMEOUT(logon.openedUrls(), expected, 5000);
        }
        for (const char *closer : {"Return", "Escape"}) {
            QVERIFY(m_desktop->type(main, {"alt+h", "a"}, 100));
            QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 2u, 5000);
            const auto about = m_desktop->windowsOf(pid, MainTitle);
            const auto aboutWindow = about[0].id == main ? about[1].id : about[0].id;
            if (closer == std::string("Return"))
                screenshot(aboutWindow, "about");
            QVERIFY(m_desktop->type(aboutWindow, {closer}));
            QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 5000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(views(), input, 5000); // drawn again where the About window lay

        // Out through the exit screen, sending a referral on the way.
        QVERIFY(m_desktop->type(main, {"alt+f", "x"}, 100));
        QTRY_VERIFY_WITH_TIMEOUT(m_desktop->windowsOf(pid).size() == 1 && window(*program, MainTitle) != main, 15000);
        const auto exitScreen = window(*program, MainTitle);
        QVERIFY(m_desktop->type(exitScreen, {"Tab", "Tab"}));
        QVERIFY(m_desktop->typeText(exitScreen, "Ann"));
        QVERIFY(m_desktop->type(exitScreen, {"Tab", "Tab"}));
        QVERIFY(m_desktop->typeText(exitScreen, "ann@mail.example"));
        QVERIFY(m_desktop->type(exitScreen, {"Tab"}));
        QVERIFY(m_desktop->typeText(exitScreen, "bob@mail.example"));
        QVERIFY(m_desktop->type(exitScreen, {"Tab"}));
        QVERIFY(m_desktop->typeText(exitScreen, "Bob"));
        screenshot(exitScreen, "exit-screen");
        QVERIFY(m_desktop->type(exitScreen, {"alt+n"}, 100));
        QTRY_COMPARE_WITH_TIMEOUT(logon.openedUrls().size(), expected.size() + 1, 5000);
        QCOMPARE(logon.openedUrls().last(),
                 QString::fromStdString(outreach::referralUrl(
                     {"Ann", "ann@mail.example", "Your Message\r\n", "Bob", "bob@mail.example"})));
        QCOMPARE(count(*program, BoxTitle), 0u);

        QVERIFY(m_desktop->type(exitScreen, {"alt+x"}, 100));
        QVERIFY2(program->waitForFinished(15000), "the program did not end");
        QCOMPARE(program->exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "TestProgram.moc"
