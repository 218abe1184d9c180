// The real program as a process under an X server: one instance per logon,
// the reminder before the main window, a damaged store, a crashed instance.

#include "app/Settings.h"
#include "platform/UserStore_posix.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace
{

const QString MainTitle = QStringLiteral("^Starbond v1.0$");
const QString BoxTitle = QStringLiteral("^Starbond$");

QStringList xdotool(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(5000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

// Visible windows of a process with a title matching the pattern.
QStringList windowsOf(qint64 pid, const QString &title)
{
    if (pid <= 0)
        return {};
    return xdotool({"search", "--all", "--onlyvisible", "--pid", QString::number(pid), "--name", title});
}

void pressReturn(const QString &window)
{
    xdotool({"windowfocus", "--sync", window});
    xdotool({"key", "--clearmodifiers", "Return"});
}

// One user's logon: its own home, config and runtime folders, and an
// xdg-open on PATH that records what it is asked to open.
struct Logon {
    QTemporaryDir root;
    QString opened() const { return root.filePath("opened.txt"); }
    QString configDir() const { return root.filePath("config"); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", root.path());
        env.insert("XDG_CONFIG_HOME", configDir());
        env.insert("XDG_RUNTIME_DIR", root.filePath("run"));
        env.insert("PATH", root.filePath("bin") + ":" + env.value("PATH"));
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("LC_ALL", "C.UTF-8");
        env.remove("SESSION_MANAGER");
        return env;
    }

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
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(environment());
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
};

void endProcess(QProcess &p)
{
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
    }
}

} // namespace

class TestProcess : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X server (the test command runs these under xvfb-run)");
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("needs xdotool");
    }

    void secondInstanceAnnouncesAndEnds()
    {
        Logon logon;
        auto first = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(first->processId(), MainTitle).size(), 1, 15000);
        const QStringList firstWindows = windowsOf(first->processId(), MainTitle);

        auto second = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(second->processId(), BoxTitle).size(), 1, 15000);
        QVERIFY(windowsOf(second->processId(), MainTitle).isEmpty());
        pressReturn(windowsOf(second->processId(), BoxTitle).first());
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        // The first instance runs on, its window untouched.
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(windowsOf(first->processId(), MainTitle), firstWindows);
        endProcess(*first);
    }

    void dueReminderAsksBeforeMainWindow()
    {
        Logon logon;
        logon.storeDate(QDate::currentDate().addDays(-30));
        auto program = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program->processId(), BoxTitle).size(), 1, 15000);
        QVERIFY(windowsOf(program->processId(), MainTitle).isEmpty());
        pressReturn(windowsOf(program->processId(), BoxTitle).first()); // Yes is the default
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program->processId(), MainTitle).size(), 1, 15000);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(logon.opened()), 5000);
        QFile opened(logon.opened());
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QVERIFY(opened.readAll().contains("/download-qz-free-starbond.html"));
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
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(program->processId(), MainTitle).size(), 1, 15000);
        QVERIFY(windowsOf(program->processId(), BoxTitle).isEmpty());
        endProcess(*program);
    }

    void startAfterCrashedInstance()
    {
        Logon logon;
        auto crashed = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(crashed->processId(), MainTitle).size(), 1, 15000);
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(5000));

        auto next = logon.start();
        QTRY_COMPARE_WITH_TIMEOUT(windowsOf(next->processId(), MainTitle).size(), 1, 15000);
        QVERIFY(windowsOf(next->processId(), BoxTitle).isEmpty());
        endProcess(*next);
    }
};

QTEST_GUILESS_MAIN(TestProcess)
#include "test_process.moc"
