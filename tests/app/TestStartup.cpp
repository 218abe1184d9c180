// Start-up's steps with every service faked, and its draw of the promotional
// label on top. What a second instance and a user see is pinned on the real
// program (TestProgram).

#include "app/Shutdown.h"
#include "app/Startup.h"
#include "platform/Backends.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QLabel>
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
    void startShowsTheMainWindowWithOneLabelOnTop_data();
    void startShowsTheMainWindowWithOneLabelOnTop();

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
    fakes::All fakes;
    platform::services().random = &platform::processRandom();
    platform::services().random->seedFromClock();
    constexpr int draws = 120000;
    std::array<int, 8> counts{};
    for (int i = 0; i < draws; ++i) {
        const int n = app::coBrandNumber(platform::services().random->next());
        QVERIFY2(n >= 1 && n <= 7, qPrintable(QString::number(n)));
        ++counts[n];
    }
    // Expected 10000 for 1 and 7, 20000 for 2..6; 5 sigma is about 500.
    QVERIFY(std::abs(counts[1] - 10000) < 600);
    QVERIFY(std::abs(counts[7] - 10000) < 600);
    for (int n = 2; n <= 6; ++n)
        QVERIFY2(std::abs(counts[n] - 20000) < 800, qPrintable(QString::number(counts[n])));
}

void TestStartup::startShowsTheMainWindowWithOneLabelOnTop_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("onTop");
    QTest::newRow("1: co-brand") << 0.0f << "lblCobrand";
    QTest::newRow("2: full brand") << 0.2f << "lblFullBrand";
    QTest::newRow("3: co-brand") << 0.35f << "lblCobrand";
    QTest::newRow("4: full brand") << 0.5f << "lblFullBrand";
    QTest::newRow("5: co-brand") << 0.68f << "lblCobrand";
    QTest::newRow("6: full brand") << 0.85f << "lblFullBrand";
    QTest::newRow("7: as laid out") << 0.99f << "lblCobrand";
}

// Seeded from the clock once, the reminder's first start stored, then the
// main window shown with the drawn label on top.
void TestStartup::startShowsTheMainWindowWithOneLabelOnTop()
{
    QFETCH(float, r);
    QFETCH(QString, onTop);
    fakes::All fakes;
    fakes.random.values = {r};
    app::Shutdown shutdown;
    app::startApplication(shutdown);

    QCOMPARE(fakes.random.seeds, 1);
    QVERIFY(fakes.random.values.empty());
    QCOMPARE(fakes.store.writes, 2);
    QWidget *window = shownWindow(QStringLiteral("frmMain"));
    QVERIFY(window);
    QCOMPARE(topPromotion(window), onTop);
    QVERIFY(fakes.terminator.statuses.empty());
}

QTEST_MAIN(TestStartup)
#include "TestStartup.moc"
