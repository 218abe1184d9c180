// The real program as a process on the X server in DISPLAY, as a user meets
// it: one instance per logon, the reminder before the main window, a damaged
// store, a crashed instance, and the two ways out through the exit screen.

#include "app/Settings.h"
#include "platform/UserStore_posix.h"
#include "support/XDesktop.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace
{

const std::string MainTitle = "Starbond v1.0";
const std::string BoxTitle = "Starbond";

// One user's logon: its own home, config and runtime folders, and an
// xdg-open on PATH that records what it is asked to open.
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
        p->start(QStringLiteral(STARBOND_EXE), {});
        p->waitForStarted();
        return p;
    }

    void storeDate(const QDate &date) const
    {
        platform::FileUserStore store(configDir().toStdString() + "/starbond");
        store.write("Settings", modHelp::EncodeText("Install"), modHelp::EncodeText("1"));
        store.write("Settings", modHelp::EncodeText("Duration"),
                    modHelp::EncodeText(date.toString(Qt::ISODate).toStdString()));
    }

    // What xdg-open was asked to open, one URL a line.
    QList<QByteArray> openedUrls() const
    {
        QFile file(opened());
        QList<QByteArray> urls = file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
        urls.removeAll(QByteArray());
        return urls;
    }

    QByteArray storeContent() const
    {
        QFile file(storeFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

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
    }

    void unreadableStoreStillShowsMainWindow()
    {
        Logon logon;
        // Where the store's folder should be stands a file.
        QDir().mkpath(logon.configDir());
        QFile blocker(logon.configDir() + "/starbond");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.write("not a folder");
        blocker.close();
        auto program = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*program, MainTitle), 1u, 15000);
        QCOMPARE(count(*program, BoxTitle), 0u);
        endProcess(*program);
    }

    void startAfterCrashedInstance()
    {
        Logon logon;
        auto crashed = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*crashed, MainTitle), 1u, 15000);
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));

        auto next = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(count(*next, MainTitle), 1u, 15000);
        QCOMPARE(count(*next, BoxTitle), 0u);
        endProcess(*next);
    }

    // Keys with Alt or the Windows key type nothing into a name box, and
    // Ctrl+Backspace is a character the filter refuses.
    void nameBoxTakesNoKeyPastItsFilter()
    {
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
        for (const QByteArray &url : logon.openedUrls())
            QVERIFY2(url.endsWith("/donate.html"), url.constData());
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
};

QTEST_GUILESS_MAIN(TestProgram)
#include "TestProgram.moc"
