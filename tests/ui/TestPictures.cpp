// Every window as the documentation shows it: the snapshot tool renders them
// all, and each must match its picture under docs/ pixel for pixel (on the
// fonts the set-up installs), or, where this Qt series' style draws it
// otherwise, its picture in the series' folder (docs/qt-6.8/). A changed
// picture is committed deliberately: the test leaves the new one and a map of
// what differs beside the build.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestPictures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_rendered;

    static QString expected(const QString &name)
    {
        const QString own = QDir(QStringLiteral(STARBOND_DOCS_SERIES)).filePath(name);
        return QFile::exists(own) ? own : QDir(QStringLiteral(STARBOND_DOCS)).filePath(name);
    }

  private slots:
    void initTestCase()
    {
        QVERIFY(m_rendered.isValid());
        QProcess tool;
        tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        tool.start(QStringLiteral(STARBOND_SNAPSHOTS), {m_rendered.path()});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
    }

    void windowLooksAsDocumented_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList documented = QDir(QStringLiteral(STARBOND_DOCS)).entryList({QStringLiteral("*.png")});
        QVERIFY(!documented.isEmpty());
        QCOMPARE(QDir(m_rendered.path()).entryList({QStringLiteral("*.png")}), documented);
        for (const QString &name : documented)
            QTest::newRow(qPrintable(name)) << name;
    }

    void windowLooksAsDocumented()
    {
        QFETCH(QString, name);
        const QImage expected = QImage(TestPictures::expected(name)).convertToFormat(QImage::Format_ARGB32);
        const QImage rendered = QImage(QDir(m_rendered.path()).filePath(name)).convertToFormat(QImage::Format_ARGB32);
        const QDir out(QDir::current().filePath(QStringLiteral("pictures")));
        out.mkpath(QStringLiteral("."));
        if (rendered.size() != expected.size())
            rendered.save(out.filePath(name));
        QCOMPARE(rendered.size(), expected.size());
        QImage differences = expected;
        int differing = 0;
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const bool same = expected.pixel(x, y) == rendered.pixel(x, y);
                differing += same ? 0 : 1;
                differences.setPixel(x, y, same ? QColor(expected.pixel(x, y)).lighter(180).rgb() : qRgb(255, 0, 0));
            }
        }
        if (differing == 0)
            return;
        rendered.save(out.filePath(name));
        differences.save(out.filePath(QFileInfo(name).baseName() + QStringLiteral(".differences.png")));
        QFAIL(qPrintable(QStringLiteral("%1 pixels differ from %2; the new picture and a map of the differences are "
                                        "in %3")
                             .arg(differing)
                             .arg(TestPictures::expected(name), out.path())));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "TestPictures.moc"
