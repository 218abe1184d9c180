// The settings file on the real file system, written through QSaveFile under
// a QLockFile: what it keeps, what it leaves alone, and its writers.

#include "platform/UserStore_posix.h"
#include "support/Child.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using platform::FileUserStore;

namespace
{

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

// An entry's type, mode and bytes, not following a link.
QByteArray stateOf(const QString &path)
{
    struct stat st {
    };
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return "missing";
    return QByteArray::number(st.st_mode, 8) + ':' + (S_ISREG(st.st_mode) ? fileBytes(path) : QByteArray());
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class TestUserStorePosix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString folder() const { return m_root.filePath(QStringLiteral("config/starbond")); }
    QString file() const { return folder() + QStringLiteral("/settings.ini"); }

  private slots:
    void init()
    {
        QDir(m_root.path()).removeRecursively();
        QVERIFY(QDir().mkpath(m_root.path()));
    }

    // Every byte of a name and a value comes back; the file is the user's
    // alone, and no other file beside it is touched.
    void keepsEveryByteAndTouchesNothingElse()
    {
        std::string bytes;
        for (int c = 0; c <= 255; ++c)
            bytes.push_back(static_cast<char>(c));
        FileUserStore store(file());
        QVERIFY(store.write("Settings", "first", "1"));
        writeFile(folder() + QStringLiteral("/settings.ini.backup"), "the user's");
        QVERIFY(store.write("Settings", bytes, bytes));
        QVERIFY(store.write("Other", "first", "2"));

        QCOMPARE(store.read("Settings", bytes), std::optional<std::string>(bytes));
        QCOMPARE(store.read("Settings", "first"), std::optional<std::string>("1"));
        QCOMPARE(store.read("Other", "first"), std::optional<std::string>("2"));
        QCOMPARE(store.read("Settings", "second"), std::nullopt);
        QCOMPARE(QFile::permissions(file()), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QFile::permissions(folder()) & 077, QFile::Permissions());
        QCOMPARE(fileBytes(folder() + QStringLiteral("/settings.ini.backup")), QByteArray("the user's"));
        QCOMPARE(entries(folder()), (QStringList{"settings.ini", "settings.ini.backup"}));
    }

    // What a small file holds as the store reads it; the next write keeps the
    // entries and lets go of the lines it does not understand.
    void smallFileReadsAs_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("value"); // of "k" in "Settings"; "-" for missing
        QTest::newRow("as written") << QByteArray("[Settings]\nk=%86\n") << QByteArray("\x86");
        QTest::newRow("an earlier version's escapes")
            << QByteArray("[Settings]\n\\x6B=\\x86\\x5C\n") << QByteArray("\x86\\");
        QTest::newRow("lines end in CR LF, no last line feed")
            << QByteArray("[Settings]\r\nk = 1\r\nj=2") << QByteArray("1");
        QTest::newRow("comments and garbage")
            << QByteArray("; note\n[Settings]\ngarbage\n=x\nk=1\n") << QByteArray("1");
        QTest::newRow("no section") << QByteArray("k=1\n") << QByteArray("-");
        QTest::newRow("NUL bytes") << QByteArray(64, '\0') << QByteArray("-");
        QTest::newRow("empty") << QByteArray() << QByteArray("-");
    }

    void smallFileReadsAs()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, value);
        FileUserStore store(file());
        QVERIFY(QDir().mkpath(folder()));
        writeFile(file(), content);
        const auto read = store.read("Settings", "k");
        QCOMPARE(read ? QByteArray::fromStdString(*read) : QByteArray("-"), value);

        QVERIFY(store.write("Settings", "new", "v"));
        QCOMPARE(store.read("Settings", "k"), read);
        QCOMPARE(store.read("Settings", "new"), std::optional<std::string>("v"));
        QVERIFY(!fileBytes(file()).contains("garbage") && !fileBytes(file()).contains("; note"));
    }

    // What the store cannot read reads as missing values, without a hang,
    // and is left as it is.
    void whatItCannotReadStaysAsItIs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable");
        QTest::newRow("FIFO") << "fifo" << false;
        QTest::newRow("folder") << "folder" << false;
        QTest::newRow("loop of links") << "loop" << false;
        QTest::newRow("link to a device") << "device" << false;
        QTest::newRow("far longer than the store writes") << "long" << false;
        QTest::newRow("made unreadable by its user") << "unreadable" << false;
        QTest::newRow("made read-only by its user") << "read-only" << true;
    }

    void whatItCannotReadStaysAsItIs()
    {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        QVERIFY(QDir().mkpath(folder()));
        const QByteArray path = QFile::encodeName(file());
        if (kind == "fifo")
            QCOMPARE(::mkfifo(path, 0600), 0);
        else if (kind == "folder")
            QVERIFY(QDir().mkdir(file()));
        else if (kind == "loop")
            QVERIFY(QFile::link(QStringLiteral("settings.ini"), file()));
        else if (kind == "device")
            QVERIFY(QFile::link(QStringLiteral("/dev/null"), file()));
        else
            writeFile(file(), "[Settings]\nk=1\n" + (kind == "long" ? "o=" + QByteArray(1100000, 'o') + '\n' : ""));
        if (kind == "unreadable")
            QVERIFY(QFile::setPermissions(file(), QFile::WriteOwner));
        if (kind == "read-only")
            QVERIFY(QFile::setPermissions(file(), QFile::ReadOwner));
        const QByteArray before = stateOf(file());

        FileUserStore store(file());
        QCOMPARE(store.read("Settings", "k"), readable ? std::optional<std::string>("1") : std::nullopt);
        QVERIFY(!store.write("Settings", "k", "2"));
        QCOMPARE(stateOf(file()), before);
    }

    // Nothing is made or written through a folder or link that someone else
    // controls; a folder of one's own in a sticky one is fine.
    void onlyAWayOfTheUsersIsTaken_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("taken");
        QTest::newRow("folders of the user's") << "own" << true;
        QTest::newRow("a folder on the way others can write in") << "open" << false;
        QTest::newRow("a store folder others of the group can write in") << "group" << false;
        QTest::newRow("a folder of the user's in a sticky one") << "sticky" << true;
        QTest::newRow("a folder of another user on the way") << "foreign folder" << false;
        QTest::newRow("a link of another user") << "foreign link" << false;
        QTest::newRow("another user's home, for root") << "foreign home" << false;
    }

    void onlyAWayOfTheUsersIsTaken()
    {
        QFETCH(QString, way);
        QFETCH(bool, taken);
        if (way.startsWith("foreign") && !runningAsRoot())
            QSKIP("making another user's files takes root");
        const QString config = m_root.filePath(QStringLiteral("config"));
        const uid_t nobody = 65534;
        QVERIFY(QDir().mkpath(config));
        QString path = file();
        if (way == "open" || way == "sticky")
            QCOMPARE(::chmod(QFile::encodeName(config), way == "open" ? 0777 : 01777), 0);
        if (way == "group") {
            QVERIFY(QDir().mkpath(folder()));
            QCOMPARE(::chmod(QFile::encodeName(folder()), 0770), 0);
        }
        if (way == "foreign folder")
            QCOMPARE(::chown(QFile::encodeName(config), nobody, nobody), 0);
        if (way == "foreign link") {
            QVERIFY(QDir().mkpath(m_root.filePath(QStringLiteral("real"))));
            QVERIFY(QFile::link(m_root.filePath(QStringLiteral("real")), folder()));
            QCOMPARE(::lchown(QFile::encodeName(folder()), nobody, nobody), 0);
        }
        if (way == "foreign home") {
            const QString home = m_root.filePath(QStringLiteral("home"));
            QVERIFY(QDir().mkpath(home));
            QCOMPARE(::chown(QFile::encodeName(home), nobody, nobody), 0);
            qputenv("HOME", QFile::encodeName(home));
            qunsetenv("XDG_CONFIG_HOME");
            path = platform::defaultStorePath();
            QVERIFY(path.startsWith(home));
        }
        FileUserStore store(path);
        QCOMPARE(store.write("Settings", "k", "1"), taken);
        QCOMPARE(store.read("Settings", "k"), taken ? std::optional<std::string>("1") : std::nullopt);
        if (way == "foreign home")
            QVERIFY(entries(m_root.filePath(QStringLiteral("home"))).isEmpty());
        if (!taken)
            QVERIFY(!QFile::exists(file()) && !QFile::exists(m_root.filePath(QStringLiteral("real/settings.ini"))));
    }

    // A settings file kept elsewhere and linked in place is read and replaced
    // where it lives, the link staying a link; no store without a folder.
    void writesThroughALinkWhereTheFileLives()
    {
        const QString dotfiles = m_root.filePath(QStringLiteral("dotfiles"));
        QVERIFY(QDir().mkpath(dotfiles) && QDir().mkpath(folder()));
        QVERIFY(QFile::link(QStringLiteral("../../dotfiles/starbond.ini"), file()));
        FileUserStore store(file());
        QVERIFY(store.write("Settings", "k", "1"));
        QVERIFY(QFileInfo(file()).isSymLink());
        QCOMPARE(fileBytes(dotfiles + QStringLiteral("/starbond.ini")), QByteArray("[Settings]\nk=1\n"));
        QCOMPARE(entries(folder()), QStringList{"settings.ini"});

        for (const QString &none : {QString(), QStringLiteral("config/starbond/settings.ini")}) {
            QVERIFY(!FileUserStore(none).write("Settings", "k", "1"));
            QCOMPARE(FileUserStore(none).read("Settings", "k"), std::nullopt);
        }
    }

    // A writer killed at random moments: the file holds the old values or the
    // new, never a part, and the next write goes through.
    void killedWriterLeavesTheOldValuesOrTheNew()
    {
        FileUserStore store(file());
        const auto version = [](int n) { return std::to_string(n) + ':' + std::string(20000, char('a' + n % 26)); };
        QVERIFY(store.write("Settings", "v", version(0)));
        std::mt19937 random(std::random_device{}());
        int last = 0;
        for (int kill = 0; kill < 60; ++kill) {
            const pid_t child = testchild::start([&] {
                for (int n = last + 1;; ++n)
                    store.write("Settings", "v", version(n));
                return false;
            });
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution(0, 3000)(random)));
            ::kill(child, SIGKILL);
            QCOMPARE(testchild::wait(child), -SIGKILL);
            const auto value = store.read("Settings", "v");
            QVERIFY(value);
            const int n = std::atoi(value->c_str());
            QVERIFY2(*value == version(n) && n >= last, value->substr(0, 12).c_str());
            last = n;
            QVERIFY(store.write("Settings", "w", "1"));
        }
        // Nothing left but the store, the lock of a writer killed holding it,
        // and Qt's temporary file of one killed between linking and renaming it.
        const QRegularExpression left(
            QRegularExpression::anchoredPattern(QStringLiteral("settings\\.ini(\\.lock|\\.[A-Za-z0-9]{6})?")));
        for (const QString &name : entries(folder()))
            QVERIFY2(left.match(name).hasMatch(), qPrintable(name));
    }

    // Two processes writing at once, whatever their environment, take turns on
    // the lock beside the store: neither loses the other's values. A write
    // that waited too long is tried again.
    void writersTakeTurns()
    {
        FileUserStore store(file());
        const auto writer = [&](const char *prefix) {
            return testchild::start([&store, prefix] {
                qputenv("XDG_RUNTIME_DIR", prefix); // another session's
                for (int i = 0, tries = 0; i < 30; ++i)
                    while (!store.write("Settings", prefix + std::to_string(i), "1"))
                        if (++tries == 30)
                            return false;
                return true;
            });
        };
        const pid_t a = writer("a");
        const pid_t b = writer("b");
        QCOMPARE(testchild::wait(a), 0);
        QCOMPARE(testchild::wait(b), 0);
        for (const char *prefix : {"a", "b"})
            for (int i = 0; i < 30; ++i)
                QCOMPARE(store.read("Settings", prefix + std::to_string(i)), std::optional<std::string>("1"));
    }

    // A lock held by a live process is waited for about two seconds, then the
    // write is skipped and the file stays; one left by a dead process is taken.
    void lockHeldElsewhere_data()
    {
        QTest::addColumn<bool>("holderLives");
        QTest::newRow("by a live writer") << true;
        QTest::newRow("left by a dead one") << false;
    }

    void lockHeldElsewhere()
    {
        QFETCH(bool, holderLives);
        FileUserStore store(file());
        QVERIFY(store.write("Settings", "k", "1"));
        int ready[2];
        QCOMPARE(::pipe(ready), 0);
        const pid_t holder = testchild::start([&] {
            QLockFile lock(file() + QStringLiteral(".lock"));
            const bool locked = lock.tryLock(0);
            [[maybe_unused]] const auto n = ::write(ready[1], "x", 1);
            if (holderLives)
                ::pause();
            ::_exit(locked ? 0 : 1); // the lock file stays behind
            return false;
        });
        char x;
        QCOMPARE(::read(ready[0], &x, 1), ssize_t(1));
        if (!holderLives)
            QCOMPARE(testchild::wait(holder), 0);
        const QByteArray before = fileBytes(file());
        QElapsedTimer waited;
        waited.start();
        QCOMPARE(store.write("Settings", "k", "2"), !holderLives);
        QVERIFY(waited.elapsed() < 5000);
        QCOMPARE(fileBytes(file()) == before, holderLives);
        if (holderLives) {
            ::kill(holder, SIGKILL);
            testchild::wait(holder);
        }
        ::close(ready[0]);
        ::close(ready[1]);
    }
};

QTEST_GUILESS_MAIN(TestUserStorePosix)
#include "TestUserStorePosix.moc"
