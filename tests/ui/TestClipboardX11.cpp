// The compatibility box and the real clipboard of an X desktop. Runs under an
// X server (CI: xvfb-run); skipped off screen and without a display.

#include "MainWindowFixture.h"

#include "platform/Services.h"

#include <QClipboard>
#include <QProcess>
#include <QTabBar>
#include <QTextEdit>

class TestClipboardX11 : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs the xcb platform");
    }
    void textCopiedFromBox_goneWhenMouseMovesOverIt();
    void anotherProgramsText_staysWhenMouseMovesOrClicks();

  private:
    // A finished reading with the compatibility page in front.
    static QTextEdit *showCompatibility(uitest::MainWindow &m)
    {
        m.readAnnAndBob();
        auto *tabs = m.get<QTabBar>(QStringLiteral("TS"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        return m.get<QTextEdit>(QStringLiteral("RTB"));
    }
};

void TestClipboardX11::textCopiedFromBox_goneWhenMouseMovesOverIt()
{
    uitest::MainWindow m;
    platform::services().clipboard = platform::hostServices().clipboard;
    QTextEdit *box = showCompatibility(m);
    box->setFocus();
    QClipboard *clipboard = QGuiApplication::clipboard();
    // Text selected alone is in the selection the middle button pastes.
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QVERIFY(clipboard->ownsSelection());
    QTest::mouseMove(box->viewport(), QPoint(30, 30));
    QTRY_VERIFY(clipboard->text(QClipboard::Selection).isEmpty());

    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    // Both the clipboard and the selection the middle button pastes.
    for (QClipboard::Mode mode : {QClipboard::Clipboard, QClipboard::Selection})
        QVERIFY(clipboard->text(mode).startsWith(QStringLiteral("Compatibility of Ann with Bob")));
    QVERIFY(clipboard->ownsClipboard() && clipboard->ownsSelection());

    QTest::mouseMove(box->viewport(), QPoint(30, 30));
    QTest::mouseMove(box->viewport(), QPoint(60, 40));
    QTRY_VERIFY(clipboard->text().isEmpty());
    QTRY_VERIFY(clipboard->text(QClipboard::Selection).isEmpty());
}

void TestClipboardX11::anotherProgramsText_staysWhenMouseMovesOrClicks()
{
    uitest::MainWindow m;
    platform::services().clipboard = platform::hostServices().clipboard;
    QTextEdit *box = showCompatibility(m);

    QProcess owner;
    owner.start(QStringLiteral(CLIPBOARD_OWNER), {});
    QVERIFY(owner.waitForReadyRead(10000));
    QCOMPARE(owner.readLine().trimmed(), QByteArray("ready"));
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString theirs = QStringLiteral("another program's text");
    QTRY_COMPARE(clipboard->text(), theirs);
    QVERIFY(!clipboard->ownsClipboard());

    QTest::mouseMove(box->viewport(), QPoint(30, 30));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(clipboard->text(), theirs);

    owner.closeWriteChannel();
    QVERIFY(owner.waitForFinished(10000));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") == QLatin1String("xcb") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("no X display: skipped");
        return 77;
    }
    QApplication app(argc, argv);
    TestClipboardX11 test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestClipboardX11.moc"
