// The test program doubles as a fake xdg-open: started under that name it
// writes down how it was started and exits.

#include "platform/Backends.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

const char *const RecordVariable = "STARBOND_TEST_XDG_RECORD";

// Arguments, working directory, open descriptors and session, one per line.
int recordLaunch(int argc, char **argv)
{
    std::string out = "argc=" + std::to_string(argc - 1) + "\n";
    for (int i = 1; i < argc; ++i)
        out += std::string("arg=") + argv[i] + "\n";
    char cwd[4096] = "";
    if (!::getcwd(cwd, sizeof cwd))
        cwd[0] = '\0';
    out += std::string("cwd=") + cwd + "\nfds=";
    if (DIR *dir = ::opendir("/proc/self/fd")) {
        while (const dirent *e = ::readdir(dir)) {
            if (e->d_name[0] != '.' && std::atoi(e->d_name) != ::dirfd(dir))
                out += std::string(e->d_name) + " ";
        }
        ::closedir(dir);
    }
    out += "\nsid=" + std::to_string(::getsid(0)) + "\n";
    const char *path = std::getenv(RecordVariable);
    const std::string temp = std::string(path) + ".part";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0 || ::write(fd, out.data(), out.size()) != static_cast<ssize_t>(out.size()))
        return 1;
    ::close(fd);
    return ::rename(temp.c_str(), path) == 0 ? 0 : 1;
}

bool noChildLeft()
{
    int status = 0;
    return ::waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

// PATH pointing at one folder for the life of the object.
class PathOverride
{
  public:
    explicit PathOverride(const QString &dir) : m_saved(qgetenv("PATH")) { qputenv("PATH", dir.toLocal8Bit()); }
    ~PathOverride() { qputenv("PATH", m_saved); }

  private:
    QByteArray m_saved;
};

} // namespace

class TestShellPosix : public QObject
{
    Q_OBJECT
  private slots:
    void startsXdgOpenDetachedWithTheUrlAlone()
    {
        QTemporaryDir bin;
        QVERIFY(QFile::link(QCoreApplication::applicationFilePath(), bin.filePath("xdg-open")));
        const QString record = bin.filePath("record");
        qputenv(RecordVariable, record.toLocal8Bit());
        PathOverride path(bin.path());

        // A descriptor without close-on-exec, as a careless library leaves one.
        const int leaked = ::dup2(::open("/dev/null", O_RDONLY), 57);
        QCOMPARE(leaked, 57);
        const std::string url = "http://www.velmora.example/x?taf1=A B&taf3=Line\r\n end";
        QVERIFY(platform::hostShell().openUrl(url));
        ::close(leaked);
        QVERIFY(noChildLeft());

        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 20000);
        QFile f(record);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY2(text.startsWith("argc=1\narg=" + QByteArray::fromStdString(url) + "\ncwd=/\nfds=0 1 2 \n"),
                 text.constData());
        const QByteArray sid = text.mid(text.indexOf("sid=") + 4).trimmed();
        QVERIFY(sid.toLong() != ::getsid(0));
    }

    // Where xdg-open cannot be started the caller hears of it, at once.
    void failedStartIsReported_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<int>("length");
        QTest::newRow("no xdg-open") << false << 100;
        QTest::newRow("longer than one argument may be") << true << 200000;
    }
    void failedStartIsReported()
    {
        QFETCH(bool, installed);
        QFETCH(int, length);
        QTemporaryDir bin;
        if (installed)
            QVERIFY(QFile::link(QCoreApplication::applicationFilePath(), bin.filePath("xdg-open")));
        qputenv(RecordVariable, bin.filePath("record").toLocal8Bit());
        PathOverride path(bin.path());
        QVERIFY(!platform::hostShell().openUrl("http://starbond.example/" + std::string(length, 'x')));
        QVERIFY(noChildLeft());
        QVERIFY(!QFile::exists(bin.filePath("record")));
    }
};

int main(int argc, char **argv)
{
    if (QByteArray(argv[0]).endsWith("xdg-open"))
        return recordLaunch(argc, argv);
    QCoreApplication app(argc, argv);
    TestShellPosix test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestShellPosix.moc"
