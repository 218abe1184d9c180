// The About window: opened modal, closed by Enter, Esc or OK, its two links,
// and what a screen reader hears of it.

#include "outreach/Links.h"
#include "support/FakeServices.h"
#include "support/ScreenReader.h"
#include "ui/AboutWindow.h"
#include "ui/kit/Layout.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

class TestAbout : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase() { ui::initAppearance(); }
    void closesOnEnterAndEsc_data();
    void closesOnEnterAndEsc();
    void linksOpenPagesAndStayOpen();
    void isCreatedAfresh();
};

void TestAbout::closesOnEnterAndEsc_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestAbout::closesOnEnterAndEsc()
{
    QFETCH(int, key);
    fakes::All fakes;
    QWidget owner;
    owner.setGeometry(0, 0, 100, 80); // in a corner: the window opens in the screen's centre all the same
    owner.show();
    QPointer<QWidget> seen;
    bool hadFocus = false;
    QPoint centre;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        QVERIFY(seen);
        auto *ok = seen->findChild<QPushButton *>(QStringLiteral("cmdOK"));
        hadFocus = ok && seen->focusWidget() == ok;
        centre = seen->geometry().center();
        QTest::keyClick(seen, Qt::Key(key));
    });
    ui::AboutWindow::showModal(&owner);
    QVERIFY(hadFocus);
    // In the screen's centre, give or take the frame.
    QVERIFY((centre - owner.screen()->availableGeometry().center()).manhattanLength() <= 4);
    QVERIFY(seen.isNull()); // destroyed on close
    QVERIFY(fakes.shell.opened.empty());
}

void TestAbout::linksOpenPagesAndStayOpen()
{
    fakes::All fakes;
    QWidget owner;
    owner.show();
    bool openAfterClicks = false;
    QStringList heard;
    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        QVERIFY(about);
        QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
        auto *home = about->findChild<QLabel *>(QStringLiteral("lblHomePage"));
        auto *brand = about->findChild<QLabel *>(QStringLiteral("lblCoBrand"));
        QVERIFY(home && brand);
        QCOMPARE(home->text(), QStringLiteral("Click here to visit ") +
                                   QString::fromStdString(outreach::pageUrl(outreach::Page::Home)));
        QTest::mouseClick(home, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(brand, Qt::LeftButton, {}, QPoint(3, 3));
        screenreader::press(home);
        screenreader::press(brand);
        openAfterClicks = about->isVisible() && QApplication::activeModalWidget() == about;
        heard = screenreader::heard(about);
        about->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    ui::AboutWindow::showModal(&owner);
    QVERIFY(openAfterClicks);
    for (const char *line :
         {"Dialog \"Starbond v1.0\"", "Link \"Click here for more details on full branding\"", "Button \"OK\""})
        QVERIFY2(heard.contains(QLatin1String(line)), line);
    QCOMPARE(heard.filter(QStringLiteral("\"Starbond icon\"")).size(), 1); // no icon in a test: no picture
    const std::string home = outreach::pageUrl(outreach::Page::Home);
    const std::string fullBrand = outreach::pageUrl(outreach::Page::FullBrand);
    QCOMPARE(fakes.shell.opened, (std::vector<std::string>{home, fullBrand, home, fullBrand}));
}

void TestAbout::isCreatedAfresh()
{
    fakes::All fakes;
    QWidget owner;
    owner.show();
    std::vector<QPointer<QWidget>> windows;
    std::vector<QString> texts;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, [&] {
            QWidget *about = QApplication::activeModalWidget();
            windows.emplace_back(about);
            texts.push_back(about->findChild<QLabel *>(QStringLiteral("Label1"))->text());
            about->close();
        });
        ui::AboutWindow::showModal(&owner);
    }
    QCOMPARE(windows.size(), std::size_t(2));
    QVERIFY(windows[0].isNull() && windows[1].isNull());
    QCOMPARE(texts[0], texts[1]);
}

QTEST_MAIN(TestAbout)
#include "TestAbout.moc"
