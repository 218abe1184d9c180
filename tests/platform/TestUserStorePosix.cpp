#include "platform/Backends.h"
#include "platform/UserStore_posix.h"
#include "support/Child.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <random>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using platform::FileUserStore;

namespace
{

std::string allBytes()
{
    std::string s;
    for (int c = 0; c <= 255; ++c)
        s.push_back(static_cast<char>(c));
    return s;
}

QByteArray fileBytes(const std::string &path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const std::string &path, const QByteArray &content)
{
    QFile f(QString::fromStdString(path));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), content.size());
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestUserStorePosix : public QObject
{
    Q_OBJECT
    QTemporaryDir m_run; // the private folder of the store's lock

  private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_run.path())); }

    void keepsEveryByteOfNamesAndValues()
    {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString() + "/config/starbond";
        const std::pair<std::string, std::string> entries[] = {
            {"\x9e\xc3\xc8\xc9\xb6\xc1\xc1", "\x86"},
            {allBytes(), allBytes()},
            {" [x]=;#\\ ", " a=b "},
            {"empty", ""},
            {"\n", "\r\n"},
        };
        {
            FileUserStore store(dir);
            for (const auto &[name, value] : entries)
                QVERIFY(store.write("Settings", name, value));
            QVERIFY(store.write("Other", "empty", "elsewhere"));
        }
        FileUserStore reopened(dir);
        for (const auto &[name, value] : entries)
            QCOMPARE(reopened.read("Settings", name), std::optional<std::string>(value));
        QCOMPARE(reopened.read("Other", "empty"), std::optional<std::string>("elsewhere"));
        QCOMPARE(reopened.read("Settings", "absent"), std::nullopt);
        QCOMPARE(reopened.read("Absent", "empty"), std::nullopt);

        // One printable line per entry: the file stays a text file.
        const QByteArray text = fileBytes(reopened.filePath());
        QVERIFY(text.startsWith("[Other]\n") || text.startsWith("[Settings]\n"));
        for (const char ch : text)
            QVERIFY(ch == '\n' || (ch >= 0x20 && ch < 0x7f));
    }

    void fileIsPrivateAndAloneInItsFolder()
    {
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString());
        QVERIFY(store.write("Settings", "a", "1"));
        QVERIFY(store.write("Settings", "a", "2"));
        struct stat st {
        };
        QCOMPARE(::stat(store.filePath().c_str(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0600));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"});
    }

    void missingFileReadsAsMissing()
    {
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString() + "/never");
        QCOMPARE(store.read("Settings", "a"), std::nullopt);

        // Without a home there is no store: not even a settings.ini at the
        // root of the file system is read (under root, one the test made).
        writeFile(tmp.filePath("settings.ini").toStdString(), "[Settings]\na=1\n");
        QCOMPARE(testchild::wait(testchild::start([&] {
                     FileUserStore nowhere("");
                     return (::geteuid() != 0 || ::chroot(QFile::encodeName(tmp.path()).constData()) == 0) &&
                            !nowhere.read("Settings", "a") && !nowhere.write("Settings", "a", "2");
                 })),
                 0);
    }

    // A damaged file gives missing values, never a crash; good lines survive.
    void damagedFileReadsAsMissing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("readable");
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(static_cast<char>((i * 7919 + 13) % 256));
        QTest::newRow("garbage") << garbage << "";
        QTest::newRow("cut off in a value") << QByteArray("[Settings]\nok=1\nvalue=12") << "ok";
        QTest::newRow("cut off in an escape") << QByteArray("[Settings]\nvalue=\\x4") << "";
        QTest::newRow("bad hex") << QByteArray("[Settings]\nok=1\nvalue=\\xZ1\n") << "ok";
        QTest::newRow("unknown escape") << QByteArray("[Settings]\nvalue=\\n\n") << "";
        QTest::newRow("control bytes") << QByteArray("[Settings]\nvalue=a\x01\x02\n") << "";
        QTest::newRow("no section") << QByteArray("value=1\n") << "";
        QTest::newRow("broken section") << QByteArray("[Settings\nvalue=1\n") << "";
        QTest::newRow("no equals sign") << QByteArray("[Settings]\nvalue\nok=1\n") << "ok";
        QTest::newRow("lines end in CR LF") << QByteArray("[Settings]\r\nok=1\r\n") << "ok";
        QTest::newRow("NUL bytes") << QByteArray(64, '\0') << "";
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("longer than the store reads") << "[Settings]\nvalue=" + QByteArray(2 << 20, 'v') + "\n"
                                                     << "";
        // Raw bytes are written escaped, four times as long: the long value
        // goes, so the file stays one the store reads.
        QTest::newRow("four times as long once escaped")
            << "[Settings]\nok=1\nforeign=" + QByteArray(300 * 1024, '\xaa') + "\n"
            << "ok";
    }
    void damagedFileReadsAsMissing()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, readable);
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString());
        writeFile(store.filePath(), content);
        QCOMPARE(store.read("Settings", "value"), std::nullopt);
        if (!readable.isEmpty())
            QCOMPARE(store.read("Settings", readable.toStdString()), std::optional<std::string>("1"));
        // The next write gives a good file again, and the good lines stay.
        QVERIFY(store.write("Settings", "value", "2"));
        QCOMPARE(store.read("Settings", "value"), std::optional<std::string>("2"));
        if (!readable.isEmpty())
            QCOMPARE(store.read("Settings", readable.toStdString()), std::optional<std::string>("1"));
    }

    void unreadableFileReadsAsMissingAndIsNotOverwritten()
    {
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString());
        // Root reads anything, so there the "file" is a folder.
        if (::geteuid() == 0) {
            QVERIFY(QDir(tmp.path()).mkdir("settings.ini"));
        } else {
            QVERIFY(store.write("Settings", "a", "1"));
            QCOMPARE(::chmod(store.filePath().c_str(), 0), 0);
        }
        QCOMPARE(store.read("Settings", "a"), std::nullopt);
        QVERIFY(!store.write("Settings", "a", "2"));
    }

    void refusedWriteKeepsTheOldFile()
    {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString() + "/app";
        FileUserStore store(dir);
        QVERIFY(store.write("Settings", "a", "1"));
        const QByteArray before = fileBytes(store.filePath());
        bool written = true;
        if (::geteuid() == 0) {
            // Root writes anywhere: the write runs in a child that has become
            // an ordinary user, the owner of the read-only folder.
            const uid_t nobody = 65534;
            QCOMPARE(::chmod(tmp.path().toLocal8Bit().constData(), 0711), 0);
            QCOMPARE(::chown(dir.c_str(), nobody, nobody), 0);
            QCOMPARE(::chown(store.filePath().c_str(), nobody, nobody), 0);
            QCOMPARE(::chmod(dir.c_str(), 0500), 0);
            written = testchild::wait(testchild::start([&] {
                          return ::setgid(nobody) == 0 && ::setuid(nobody) == 0 && !store.write("Settings", "a", "2");
                      })) != 0;
            QCOMPARE(::chown(dir.c_str(), 0, 0), 0);
        } else {
            QCOMPARE(::chmod(dir.c_str(), 0500), 0);
            written = store.write("Settings", "a", "2");
        }
        ::chmod(dir.c_str(), 0700);
        QVERIFY(!written);
        QCOMPARE(fileBytes(store.filePath()), before);
        QCOMPARE(store.read("Settings", "a"), std::optional<std::string>("1"));
        QCOMPARE(QDir(QString::fromStdString(dir)).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"});
    }

    // Anything but a regular file at the file's place (or at the end of its
    // links), and a file that another user could have put there or led us to
    // (through a folder they own or can write in, or a link of theirs), reads
    // as missing values, refuses the write at once, and stays.
    void refusedWhereTheFileIsNoFile_data()
    {
        QTest::addColumn<QString>("found");
        QTest::newRow("folder") << "folder";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to a FIFO") << "link to fifo";
        QTest::newRow("link to a device") << "link to device";
        QTest::newRow("loop of links") << "loop";
        QTest::newRow("folder others can write in") << "open folder";
        QTest::newRow("folder on the way others can write in") << "open way";
        QTest::newRow("link into a folder others can write in") << "open target";
        QTest::newRow("folder of another user") << "foreign folder";
        QTest::newRow("link of another user") << "foreign link";
    }
    void refusedWhereTheFileIsNoFile()
    {
        QFETCH(QString, found);
        if (found.startsWith("foreign") && ::geteuid() != 0)
            QSKIP("needs root to give a file to another user");
        const uid_t nobody = 65534;
        const QByteArray planted = "[Settings]\na=1\n";
        QTemporaryDir tmp;
        const QString folder = found == "open way" ? tmp.filePath("open/app") : tmp.path();
        const QString file = found == "open target" || found == "foreign link"       ? tmp.filePath("open/target")
                             : found.startsWith("open") || found == "foreign folder" ? folder + "/settings.ini"
                                                                                     : QString();
        QVERIFY(QDir(tmp.path()).mkpath(folder) && QDir(tmp.path()).mkpath("open"));
        QCOMPARE(::chmod(QFile::encodeName(tmp.filePath("open")).constData(), 0777), 0);
        if (!file.isEmpty())
            writeFile(file.toStdString(), planted);
        FileUserStore store(folder.toStdString());
        const std::string path = store.filePath(),
                          other = tmp.filePath(found == "loop" ? "loop" : "fifo").toStdString();
        if (found == "open folder")
            QCOMPARE(::chmod(folder.toLocal8Bit().constData(), 0777), 0);
        if (found == "foreign folder")
            QCOMPARE(::chown(folder.toLocal8Bit().constData(), nobody, nobody), 0);
        if (found == "open target" || found == "foreign link")
            QCOMPARE(::symlink("open/target", path.c_str()), 0);
        if (found == "foreign link")
            QCOMPARE(::chmod(QFile::encodeName(tmp.filePath("open")).constData(), 0700) |
                         ::lchown(path.c_str(), nobody, nobody),
                     0);
        if (found == "folder")
            QVERIFY(QDir(tmp.path()).mkpath("settings.ini/inside"));
        if (found.endsWith("fifo"))
            QCOMPARE(::mkfifo(found == "fifo" ? path.c_str() : other.c_str(), 0600), 0);
        if (found.startsWith("link"))
            QCOMPARE(::symlink(found.endsWith("fifo") ? "fifo" : "/dev/null", path.c_str()), 0);
        if (found == "loop")
            QVERIFY(::symlink("loop", path.c_str()) == 0 && ::symlink("settings.ini", other.c_str()) == 0);
        const QStringList before = entries(tmp.path());
        struct stat was {
        }, is{};
        ::lstat(path.c_str(), &was);

        QCOMPARE(testchild::wait(testchild::start(
                     [&] { return !store.read("Settings", "a") && !store.write("Settings", "a", "1"); })),
                 0);
        QCOMPARE(entries(tmp.path()), before);
        QVERIFY(::lstat(path.c_str(), &is) == 0 && is.st_ino == was.st_ino && is.st_mode == was.st_mode);
        if (!file.isEmpty())
            QCOMPARE(fileBytes(file.toStdString()), planted);
    }

    // A settings file kept elsewhere and linked (a dotfiles repository): the
    // file it points to is replaced in its own folder and the link stays.
    void writesThroughALink_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("hop"); // a second link on the way, or none
        QTest::addColumn<bool>("exists");
        QTest::newRow("relative") << "../dotfiles/starbond.ini" << QString() << true;
        QTest::newRow("absolute") << "@/dotfiles/starbond.ini" << QString() << true;
        QTest::newRow("two links") << "../dotfiles/hop"
                                   << "starbond.ini" << true;
        QTest::newRow("to a file not made yet") << "../dotfiles/starbond.ini" << QString() << false;
    }
    void writesThroughALink()
    {
        QFETCH(QString, link);
        QFETCH(QString, hop);
        QFETCH(bool, exists);
        QTemporaryDir tmp;
        QVERIFY(QDir(tmp.path()).mkpath("app") && QDir(tmp.path()).mkpath("dotfiles"));
        const std::string target = tmp.filePath("dotfiles/starbond.ini").toStdString();
        if (exists)
            writeFile(target, "[Settings]\nkept=1\n");
        // The user's own files beside it, named as another program's
        // temporary files might be.
        for (const char *mine : {"starbond.ini.2024Q1", "starbond.ini.backup"})
            writeFile(tmp.filePath("dotfiles/").toStdString() + mine, "mine");
        if (!hop.isEmpty())
            QCOMPARE(::symlink(hop.toLocal8Bit().constData(), tmp.filePath("dotfiles/hop").toLocal8Bit().constData()),
                     0);
        const QString linkText = QString(link).replace("@", tmp.path());
        FileUserStore store(tmp.filePath("app").toStdString());
        QCOMPARE(::symlink(linkText.toLocal8Bit().constData(), store.filePath().c_str()), 0);
        QStringList dotfiles =
            entries(tmp.filePath("dotfiles")) + (exists ? QStringList() : QStringList{"starbond.ini"});
        dotfiles.sort();

        QVERIFY(store.write("Settings", "a", "2"));
        const QFileInfo linked(QString::fromStdString(store.filePath()));
        QVERIFY(linked.isSymLink());
        QCOMPARE(linked.canonicalFilePath(), QFileInfo(QString::fromStdString(target)).canonicalFilePath());
        QCOMPARE(fileBytes(target), QByteArray(exists ? "[Settings]\na=2\nkept=1\n" : "[Settings]\na=2\n"));
        QCOMPARE(entries(tmp.filePath("app")), QStringList{"settings.ini"});
        QCOMPARE(entries(tmp.filePath("dotfiles")), dotfiles);
    }

    // Two processes writing at once: neither loses the other's values, and
    // neither's temporary file is taken for a dead writer's.
    void concurrentWritersLoseNothing()
    {
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString());
        const auto writer = [&](const std::string &prefix) {
            return testchild::start([&store, prefix] {
                for (int i = 0; i < 40; ++i)
                    if (!store.write("Settings", prefix + std::to_string(i), "1"))
                        return false;
                return true;
            });
        };
        const pid_t a = writer("a");
        const pid_t b = writer("b");
        QCOMPARE(testchild::wait(a), 0);
        QCOMPARE(testchild::wait(b), 0);
        for (int i = 0; i < 40; ++i) {
            QCOMPARE(store.read("Settings", "a" + std::to_string(i)), std::optional<std::string>("1"));
            QCOMPARE(store.read("Settings", "b" + std::to_string(i)), std::optional<std::string>("1"));
        }
        QCOMPARE(entries(tmp.path()), QStringList{"settings.ini"});
    }

    // A writer killed at random moments, a few hundred times: the file is
    // always one whole version, never an older one, and the next write leaves
    // no temporary file behind (nor removes another file).
    void killedWriterLeavesAWholeFileAndNoTemporary()
    {
        QTemporaryDir tmp;
        const std::string dir = tmp.path().toStdString();
        FileUserStore store(dir);
        // The store's own left-overs are of mode 0600; a file of the user's
        // under that name is not.
        const QStringList kept = {".settings.ini.starbond-tmp.Zz99Zz",
                                  "other.ini.Ab12Cd",
                                  "settings.ini",
                                  "settings.ini.Ab12Cd",
                                  "settings.ini.Ab12Cde",
                                  "settings.ini.bak"};
        for (const QString &name : kept)
            writeFile(dir + "/" + name.toStdString(), "keep");
        const std::string dead = dir + "/.settings.ini.starbond-tmp.Ab12Cd";
        writeFile(dead, "left by a dead writer");
        QCOMPARE(::chmod(dead.c_str(), 0600), 0);
        const auto version = [](int n) { return std::to_string(n) + ":" + std::string(32 * 1024, char('a' + n % 26)); };

        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 5; ++i)
            QVERIFY(store.write("Settings", "v", version(0)));
        const auto writeTime = std::chrono::nanoseconds(clock.nsecsElapsed() / 5);
        QCOMPARE(entries(tmp.path()), kept);

        std::mt19937 random(std::random_device{}());
        int kills = 0, torn = 0, leftOver = 0, last = 0;
        clock.restart();
        for (; kills < 300 && clock.elapsed() < 10000; ++kills) {
            int ready[2];
            QCOMPARE(::pipe(ready), 0);
            const pid_t child = testchild::start([&] {
                ::close(ready[0]);
                ::close(ready[1]); // the parent reads end of file: writing begins
                for (int n = last + 1;; ++n)
                    store.write("Settings", "v", version(n));
                return false;
            });
            ::close(ready[1]);
            char none;
            QCOMPARE(::read(ready[0], &none, 1), ssize_t(0));
            ::close(ready[0]);
            std::this_thread::sleep_for(std::uniform_real_distribution<double>(0, 2)(random) * writeTime);
            ::kill(child, SIGKILL);
            QCOMPARE(testchild::wait(child), -SIGKILL);

            const QByteArray bytes = fileBytes(store.filePath());
            const int n = bytes.startsWith("[Settings]\nv=") ? std::atoi(bytes.constData() + 13) : -1;
            if (n < last || bytes.toStdString() != "[Settings]\nv=" + version(n) + "\n")
                ++torn;
            last = std::max(n, last);
            QVERIFY(store.write("Settings", "v", version(last)));
            if (entries(tmp.path()) != kept)
                ++leftOver;
        }
        qInfo("%d kills in %lld ms (one write %lld us): %d torn files, temporary files left after %d kills, %lld at "
              "the end",
              kills, clock.elapsed(), static_cast<long long>(writeTime.count() / 1000), torn, leftOver,
              static_cast<long long>(entries(tmp.path()).size() - kept.size()));
        QCOMPARE(torn, 0);
        QCOMPARE(leftOver, 0);
    }

    // No other process holds up a write for long: a lock on the store's
    // folder (anyone who can open the folder can take one) is not waited for
    // at all, the store's own lock (only the user can open it) for a moment;
    // then the write is skipped and the file stays.
    void waitsForNoOneLong_data()
    {
        QTest::addColumn<bool>("storeLock"); // held; else the folder
        QTest::addColumn<bool>("written");
        QTest::newRow("folder locked by another process") << false << true;
        QTest::newRow("store's lock held by another process") << true << false;
    }
    void waitsForNoOneLong()
    {
        QFETCH(bool, storeLock);
        QFETCH(bool, written);
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString());
        QVERIFY(store.write("Settings", "a", "1"));
        const QByteArray before = fileBytes(store.filePath());
        const QString held = storeLock
                                 ? m_run.filePath(QString::fromStdString(platform::programFileName()) + "/store.lock")
                                 : tmp.path();
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t holder = testchild::start([&] {
            const int fd = ::open(QFile::encodeName(held).constData(), O_RDONLY);
            if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(ready[1], "x", 1) != 1)
                return false;
            ::pause();
            return true;
        });
        ::close(ready[1]);
        char locked = 0;
        QCOMPARE(::read(ready[0], &locked, 1), ssize_t(1));
        ::close(ready[0]);
        const int writer = testchild::wait(testchild::start([&] { return store.write("Settings", "a", "2"); }));
        ::kill(holder, SIGKILL);
        testchild::wait(holder);
        QCOMPARE(writer, written ? 0 : 1);
        QCOMPARE(fileBytes(store.filePath()), written ? QByteArray("[Settings]\na=2\n") : before);
    }

    // A disk that fills up during the write: a child process with a small
    // file size limit, where write() fails with EFBIG instead of a signal.
    void fullDiskKeepsTheOldFile()
    {
        QTemporaryDir tmp;
        FileUserStore store(tmp.path().toStdString());
        QVERIFY(store.write("Settings", "a", "1"));
        const QByteArray before = fileBytes(store.filePath());

        const pid_t child = testchild::start([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 512;
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return !store.write("Settings", "b", std::string(4096, 'x'));
        });
        QCOMPARE(testchild::wait(child), 0); // the write reported its failure

        QCOMPARE(fileBytes(store.filePath()), before);
        QCOMPARE(store.read("Settings", "a"), std::optional<std::string>("1"));
        QCOMPARE(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.ini"});
    }

    void folderFollowsXdgConfigHome_data()
    {
        QTest::addColumn<QByteArray>("xdg");
        QTest::addColumn<QByteArray>("home");
        QTest::addColumn<QString>("expected");
        QTest::newRow("XDG_CONFIG_HOME") << QByteArray("/cfg") << QByteArray("/home/u") << "/cfg/";
        QTest::newRow("unset") << QByteArray() << QByteArray("/home/u") << "/home/u/.config/";
        QTest::newRow("relative is ignored") << QByteArray("cfg") << QByteArray("/home/u") << "/home/u/.config/";
    }
    void folderFollowsXdgConfigHome()
    {
        QFETCH(QByteArray, xdg);
        QFETCH(QByteArray, home);
        QFETCH(QString, expected);
        const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
        const QByteArray savedHome = qgetenv("HOME");
        if (xdg.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", xdg);
        qputenv("HOME", home);
        const std::string dir = platform::defaultStoreDirectory();
        if (savedXdg.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", savedXdg);
        qputenv("HOME", savedHome);
        QCOMPARE(QString::fromStdString(dir), expected + "test_userstore_posix");
    }
};

QTEST_GUILESS_MAIN(TestUserStorePosix)
#include "TestUserStorePosix.moc"
