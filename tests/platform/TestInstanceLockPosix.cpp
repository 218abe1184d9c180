// The single-instance lock on the real file system. A second start of the
// program is a forked child with a lock object of its own.

#include "platform/Backends.h"
#include "platform/InstanceLock_posix.h"
#include "support/Child.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

bool acquiredInAnotherProcess()
{
    return testchild::wait(testchild::start([] { return platform::FlockInstanceLock().acquire(); })) == 0;
}

bool isOwn(const QByteArray &path, mode_t type, mode_t mode)
{
    struct stat st {
    };
    return ::lstat(path.constData(), &st) == 0 && (st.st_mode & S_IFMT) == type && (st.st_mode & 0777) == mode &&
           st.st_uid == ::geteuid();
}

} // namespace

class TestInstanceLockPosix : public QObject
{
    Q_OBJECT
  private slots:
    // Only in a folder of the user's that no one else can enter: where the
    // runtime folder is no such place, in the cache folder; where neither
    // serves, no lock and the program starts. Whatever stands at the lock's
    // own place is not followed and does not keep the lock from working.
    void staysWithTheUser_data()
    {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("found");    // at the lock's place in the runtime folder
        QTest::addColumn<QString>("expected"); // the folder holding the lock, empty for none
        QTest::newRow("runtime folder") << "private"
                                        << ""
                                        << "run";
        QTest::newRow("no runtime folder") << "unset"
                                           << ""
                                           << "cache";
        QTest::newRow("runtime folder others can write") << "shared"
                                                         << ""
                                                         << "cache";
        QTest::newRow("runtime folder not writable") << "read-only"
                                                     << ""
                                                     << "cache";
        QTest::newRow("lock folder's name taken") << "taken"
                                                  << ""
                                                  << "cache";
        QTest::newRow("lock folder of another user") << "foreign"
                                                     << ""
                                                     << "cache";
        QTest::newRow("no cache folder either") << "unset"
                                                << "no cache"
                                                << "";
        QTest::newRow("link to a file elsewhere") << "private"
                                                  << "link"
                                                  << "run";
        QTest::newRow("link to nothing") << "private"
                                         << "dangling"
                                         << "run";
        QTest::newRow("FIFO") << "private"
                              << "fifo"
                              << "run";
        QTest::newRow("folder") << "private"
                                << "folder"
                                << "run";
        QTest::newRow("file of another user") << "private"
                                              << "foreign"
                                              << "run";
    }
    void staysWithTheUser()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, found);
        QFETCH(QString, expected);
        const bool root = ::geteuid() == 0;
        if ((runtime == "foreign" || found == "foreign") && !root)
            QSKIP("needs root to give a file to another user");
        if (runtime == "read-only" && root)
            QSKIP("root writes anywhere");
        const uid_t nobody = 65534;
        QTemporaryDir tmp;
        QDir(tmp.path()).mkdir("run");
        QFile(tmp.filePath("elsewhere")).open(QIODevice::WriteOnly);
        const QByteArray name = "/" + QByteArray::fromStdString(platform::programFileName());
        const QByteArray run = QFile::encodeName(tmp.filePath("run")), own = run + name, place = own + "/instance.lock";
        qputenv("XDG_CACHE_HOME", QFile::encodeName(tmp.filePath(found == "no cache" ? "elsewhere" : "cache")));
        runtime == "unset" ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", run);
        ::chmod(run.constData(), runtime == "shared" ? 01777 : runtime == "read-only" ? 0500 : 0700);
        if (runtime == "taken")
            QFile(QString::fromLocal8Bit(own)).open(QIODevice::WriteOnly);
        if (runtime == "foreign" || !found.isEmpty())
            QCOMPARE(::mkdir(own.constData(), 0700), 0);
        if (found == "foreign")
            QVERIFY(QFile(QString::fromLocal8Bit(place)).open(QIODevice::WriteOnly));
        if (runtime == "foreign" || found == "foreign")
            QCOMPARE(::chown(runtime == "foreign" ? own.constData() : place.constData(), nobody, nobody), 0);
        if (found == "link" || found == "dangling")
            QCOMPARE(::symlink(found == "link" ? "../../elsewhere" : "../../nowhere", place.constData()), 0);
        if (found == "fifo")
            QCOMPARE(::mkfifo(place.constData(), 0600), 0);
        if (found == "folder")
            QCOMPARE(::mkdir(place.constData(), 0700), 0);

        platform::FlockInstanceLock lock;
        QVERIFY(lock.acquire());
        QVERIFY(!QFile::exists(tmp.filePath("nowhere")));
        const QByteArray folder = QFile::encodeName(tmp.filePath(expected)) + name;
        QVERIFY(expected.isEmpty() || isOwn(folder, S_IFDIR, 0700));
        QVERIFY(expected.isEmpty() || isOwn(folder + "/instance.lock", S_IFREG, 0600));
        QCOMPARE(acquiredInAnotherProcess(), expected.isEmpty());
    }

    // The lock's and the store's folder are named for the program file less
    // its extension, as on Windows.
    void folderNameDropsTheExtension_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no extension") << "starbond"
                                      << "starbond";
        QTest::newRow("extension") << "starbond.bin"
                                   << "starbond";
        QTest::newRow("the last one only") << "starbond.v2.bin"
                                           << "starbond.v2";
        QTest::newRow("a leading dot stays") << ".starbond"
                                             << ".starbond";
    }
    void folderNameDropsTheExtension()
    {
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(platform::withoutExtension(file.toStdString())), expected);
    }
};

QTEST_GUILESS_MAIN(TestInstanceLockPosix)
#include "TestInstanceLockPosix.moc"
