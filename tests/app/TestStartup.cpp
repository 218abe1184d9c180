// Start-up's steps with every service faked, its draw of the promotional
// label on top, and the way from the main window out through the exit
// screen. What a second instance and a user see is pinned on the real program
// (TestProgram).

#include "app/Startup.h"
#include "outreach/ExitScreen.h"
#include "support/FakeServices.h"
#include "ui/MainWindow.h"
#include "ui/PromotionStrip.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <cmath>

namespace
{

void closeAllWindows()
{
    // Menus are top-level widgets owned by their window: delete only owners.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget *shownWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

// The label that lies on top in the promotional strip, as a click finds it.
QString topPromotion(QWidget *window)
{
    auto *strip = window->findChild<QWidget *>(QStringLiteral("fraFullBrand"));
    QWidget *hit = strip->childAt(strip->rect().center());
    return hit ? hit->objectName() : QString();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

  private slots:
    void coBrandNumber_data();
    void coBrandNumber();
    void coBrandNumberDistribution();
    void promotionFollowsTheDraw_data();
    void promotionFollowsTheDraw();
    void startShowsTheMainWindowWithOneLabelOnTop();
    void closingTheMainWindowLeavesTheExitScreen_data();
    void closingTheMainWindowLeavesTheExitScreen();

    void cleanup() { closeAllWindows(); }
};

void TestStartup::coBrandNumber_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("expected");
    const float twelfth = 1.0f / 12.0f;
    const float elevenTwelfths = 11.0f / 12.0f;
    QTest::newRow("zero") << 0.0f << 1;
    // r * 6 + 1 is exactly 1.5 in single precision, halves go to the even 2;
    // the sum absorbs the two floats just below 1/12 as well, the third falls under.
    QTest::newRow("at 1/12") << twelfth << 2;
    QTest::newRow("one float below 1/12, still 1.5") << std::nextafter(twelfth, 0.0f) << 2;
    QTest::newRow("three floats below 1/12") << 0.0833333135f << 1;
    QTest::newRow("3/12 gives 2.5, even 2") << 0.25f << 2;
    QTest::newRow("5/12 gives 3.5, even 4") << 5.0f / 12.0f << 4;
    QTest::newRow("just below 11/12") << std::nextafter(elevenTwelfths, 0.0f) << 6;
    QTest::newRow("at 11/12, 6.5 to even 6") << elevenTwelfths << 6;
    QTest::newRow("just above 11/12") << std::nextafter(elevenTwelfths, 1.0f) << 7;
    QTest::newRow("largest below 1") << std::nextafter(1.0f, 0.0f) << 7;
}

void TestStartup::coBrandNumber()
{
    QFETCH(float, r);
    QFETCH(int, expected);
    QCOMPARE(int(app::coBrandNumber(r)), expected);
}

void TestStartup::coBrandNumberDistribution()
{
    QRandomGenerator random(20261208);
    constexpr int draws = 120000;
    std::array<int, 8> counts{};
    for (int i = 0; i < draws; ++i) {
        const int n = app::coBrandNumber(app::uniformDraw(random));
        QVERIFY2(n >= 1 && n <= 7, qPrintable(QString::number(n)));
        ++counts[n];
    }
    // Expected 10000 for 1 and 7, 20000 for 2..6; 5 sigma is about 500.
    QVERIFY(std::abs(counts[1] - 10000) < 600);
    QVERIFY(std::abs(counts[7] - 10000) < 600);
    for (int n = 2; n <= 6; ++n)
        QVERIFY2(std::abs(counts[n] - 20000) < 800, qPrintable(QString::number(counts[n])));
}

void TestStartup::promotionFollowsTheDraw_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("onTop");
    const int coBrand = int(ui::Promotion::CoBrand), fullBrand = int(ui::Promotion::FullBrand);
    QTest::newRow("1: co-brand") << 0.0f << coBrand;
    QTest::newRow("2: full brand") << 0.2f << fullBrand;
    QTest::newRow("3: co-brand") << 0.35f << coBrand;
    QTest::newRow("4: full brand") << 0.5f << fullBrand;
    QTest::newRow("5: co-brand") << 0.68f << coBrand;
    QTest::newRow("6: full brand") << 0.85f << fullBrand;
    QTest::newRow("7: as laid out") << 0.99f << int(ui::Promotion::AsLaidOut);
}

void TestStartup::promotionFollowsTheDraw()
{
    QFETCH(float, r);
    QFETCH(int, onTop);
    QCOMPARE(int(app::promotionFor(r)), onTop);
}

// The reminder's first start stored, the program's icon on its windows, then
// the main window shown with one of the labels on top.
void TestStartup::startShowsTheMainWindowWithOneLabelOnTop()
{
    fakes::All fakes;
    int ends = 0;
    app::Program program([&ends] { ++ends; });
    QVERIFY(program.start());

    QCOMPARE(fakes.store.writes, 2);
    QVERIFY(!QApplication::windowIcon().availableSizes().isEmpty());
    QWidget *window = shownWindow(QStringLiteral("frmMain"));
    QVERIFY(window);
    QVERIFY(QStringList({"lblCobrand", "lblFullBrand"}).contains(topPromotion(window)));
    QCOMPARE(ends, 0);
}

void TestStartup::closingTheMainWindowLeavesTheExitScreen_data()
{
    QTest::addColumn<bool>("byExitButton");
    QTest::newRow("its Exit button") << true;
    QTest::newRow("its close box") << false;
}

// The main window goes and the exit screen comes, the process living on;
// leaving the exit screen closes every window and ends the process.
void TestStartup::closingTheMainWindowLeavesTheExitScreen()
{
    QFETCH(bool, byExitButton);
    fakes::All fakes;
    int ends = 0;
    app::Program program([&ends] { ++ends; });
    QPointer<ui::MainWindow> window = program.start();
    QVERIFY(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    QCOMPARE(ends, 0);
    auto *screen = qobject_cast<outreach::ExitScreen *>(shownWindow(QStringLiteral("frmNagScreen2")));
    QVERIFY(screen);

    if (byExitButton)
        screen->findChild<QPushButton *>(QStringLiteral("cmdClose"))->click();
    else
        screen->close();
    QCOMPARE(ends, 1);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
