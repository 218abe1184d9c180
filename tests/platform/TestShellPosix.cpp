// The desktop's opener, a stand-in xdg-open on PATH that does what it is
// told: the URL reaches it as one argument, a failure it reports within two
// seconds is heard, and nothing waits for it or ends it.

#include "platform/Backends.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestShellPosix : public QObject
{
    Q_OBJECT

    QTemporaryDir m_bin;
    QString marker() const { return m_bin.filePath(QStringLiteral("done")); }

    // An xdg-open that records its arguments, takes its time, leaves a mark
    // and ends as told.
    void installOpener(int seconds, const QByteArray &end)
    {
        QFile::remove(marker());
        QFile script(m_bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray mark = QFile::encodeName(marker());
        script.write("#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > '" + mark + ".args'\nsleep " +
                     QByteArray::number(seconds) + "\ntouch '" + mark + "'\n" + end + "\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }

  private slots:
    void initTestCase() { qputenv("PATH", QFile::encodeName(m_bin.path()) + ":/usr/bin:/bin"); }

    void failureIsHeardWithinTwoSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QByteArray>("end"); // empty: no opener at all
        QTest::addColumn<bool>("longUrl");   // over the system's bound for one argument
        QTest::addColumn<bool>("heard");
        QTest::newRow("opened") << 0 << QByteArray("exit 0") << false << false;
        QTest::newRow("no browser to open it with") << 0 << QByteArray("exit 3") << false << true;
        QTest::newRow("the opener crashes") << 0 << QByteArray("kill -SEGV $$") << false << true;
        QTest::newRow("no opener at all") << 0 << QByteArray() << false << true;
        QTest::newRow("a URL too long to pass") << 0 << QByteArray("exit 0") << true << true;
        QTest::newRow("a failure once the browser closed") << 3 << QByteArray("exit 3") << false << false;
    }

    void failureIsHeardWithinTwoSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QByteArray, end);
        QFETCH(bool, longUrl);
        QFETCH(bool, heard);
        // No opener at all: not even the machine's own, which would open a
        // browser on a desktop.
        const QByteArray path = qgetenv("PATH");
        if (end.isEmpty()) {
            QFile::remove(m_bin.filePath(QStringLiteral("xdg-open")));
            qputenv("PATH", QFile::encodeName(m_bin.path()));
        } else {
            installOpener(seconds, end);
        }
        std::string url = "http://example.test/a b?x=1&y=\"2\"\r\n'3'";
        if (longUrl)
            url += std::string(256 * 1024, 'x');
        // Which opener runs at all.
        const bool runs = !end.isEmpty() && !longUrl;
        bool failed = false;
        platform::hostShell().openUrl(url, [&failed] { failed = true; });
        qputenv("PATH", path);
        // Returned at once: the slow opener has not finished.
        QVERIFY(!QFile::exists(marker()) || seconds == 0);
        if (heard)
            QTRY_VERIFY_WITH_TIMEOUT(failed, 2000);
        // Left to run to its end, never killed, and heard no more.
        if (runs)
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker()), 5000);
        QTest::qWait(300);
        QCOMPARE(failed, heard);
        if (!runs)
            return;
        QFile args(marker() + QStringLiteral(".args"));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(args.readAll(), "1|" + QByteArray::fromStdString(url) + '|');
    }
};

QTEST_GUILESS_MAIN(TestShellPosix)
#include "TestShellPosix.moc"
