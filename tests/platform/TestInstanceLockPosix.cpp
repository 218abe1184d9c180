// One instance per logon, on the real file system: a second start is a forked
// child with a lock object of its own.

#include "platform/InstanceLock_posix.h"
#include "support/Child.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// How Qt names the user's fallback runtime folder.
QString userName()
{
    const passwd *user = ::getpwuid(::geteuid());
    return user ? QString::fromLocal8Bit(user->pw_name) : QString();
}

bool acquiredInAnotherProcess()
{
    return testchild::wait(testchild::start([] { return platform::LockFileInstanceLock().acquire(); })) == 0;
}

} // namespace

class TestInstanceLockPosix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString path(const char *name) const { return m_root.filePath(QLatin1String(name)); }
    QString lockIn(const char *folder) const
    {
        return path(folder) + u'/' + QCoreApplication::applicationName() + QStringLiteral(".lock");
    }

  private slots:
    void init()
    {
        QDir(m_root.path()).removeRecursively();
        for (const char *folder : {"run", "tmp", "config"})
            QVERIFY(QDir().mkpath(path(folder)));
        QVERIFY(QFile::setPermissions(path("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path("run")));
        qputenv("TMPDIR", QFile::encodeName(path("tmp")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
    }

    // One holder at a time, wherever the lock has to live and whatever
    // stands at its place.
    void oneHolderAtATime_data()
    {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("lockFolder");
        QTest::newRow("in the runtime folder") << ""
                                               << "run";
        QTest::newRow("no runtime folder: Qt's in the temporary one") << "no runtime"
                                                                      << "tmp/runtime-" + userName();
        QTest::newRow("neither private: the store's folder") << "open runtime"
                                                             << "config/" + QCoreApplication::applicationName();
        QTest::newRow("a FIFO at the lock's place") << "fifo"
                                                    << "run";
        QTest::newRow("a lock file of another live program") << "another program's"
                                                             << "run";
        QTest::newRow("an empty lock file, its writer killed") << "empty"
                                                               << "run";
    }

    void oneHolderAtATime()
    {
        QFETCH(QString, found);
        QFETCH(QString, lockFolder);
        const QByteArray lock = QFile::encodeName(lockIn("run"));
        QProcess other;
        if (found == "no runtime") {
            qunsetenv("XDG_RUNTIME_DIR");
        } else if (found == "open runtime") {
            ::chmod(QFile::encodeName(path("run")), 0755);
            QVERIFY(QDir().mkpath(path("tmp") + QStringLiteral("/runtime-") + userName()));
        } else if (found == "fifo") {
            QCOMPARE(::mkfifo(lock, 0600), 0);
        } else if (found == "empty") {
            QFile(lockIn("run")).open(QIODevice::WriteOnly);
        } else if (found == "another program's") {
            other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
            QVERIFY(other.waitForStarted());
            QFile file(lockIn("run"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray::number(other.processId()) + '\n' + QCoreApplication::applicationName().toUtf8() +
                       '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
        }

        platform::LockFileInstanceLock instance;
        QVERIFY(instance.acquire());
        QVERIFY(!acquiredInAnotherProcess());
        QVERIFY(QFileInfo(m_root.filePath(lockFolder + u'/' + QCoreApplication::applicationName() + ".lock")).isFile());
        other.kill();
        other.waitForFinished();
    }

    // An instance that crashed leaves its lock to the next start.
    void crashedInstanceLeavesItsLock()
    {
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t first = testchild::start([&] {
            platform::LockFileInstanceLock instance;
            const bool held = instance.acquire();
            [[maybe_unused]] const auto n = ::write(ready[1], held ? "y" : "n", 1);
            ::pause();
            return false;
        });
        char held = 0;
        QCOMPARE(::read(ready[0], &held, 1), ssize_t(1));
        QCOMPARE(held, 'y');
        QVERIFY(!platform::LockFileInstanceLock().acquire());
        ::kill(first, SIGKILL);
        QCOMPARE(testchild::wait(first), -SIGKILL);
        QVERIFY(platform::LockFileInstanceLock().acquire());
        ::close(ready[0]);
        ::close(ready[1]);
    }
};

QTEST_GUILESS_MAIN(TestInstanceLockPosix)
#include "TestInstanceLockPosix.moc"
