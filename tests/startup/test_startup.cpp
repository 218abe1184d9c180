// Start-up: the promotional label draw, the order of the start-up steps, and
// the About window.

#include "app/Settings.h"
#include "app/Startup.h"
#include "app/UpdateReminder.h"
#include "outreach/Links.h"
#include "platform/Backends.h"
#include "platform/qt/QtServices.h"
#include "support/FakeServices.h"
#include "ui/Layout.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>
#include <random>

namespace
{

class FakeLock final : public platform::InstanceLock
{
  public:
    explicit FakeLock(bool first) : m_first(first) {}
    bool acquire() override { return m_first; }

  private:
    bool m_first;
};

frmMain *findMainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<frmMain *>(w))
            return main;
    return nullptr;
}

void closeAllWindows()
{
    // Menus are top-level widgets owned by their window: delete only owners.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The label that lies on top in the promotional strip, as a click finds it.
QString topPromotion(frmMain &window)
{
    QWidget *strip = window.lblCobrand->parentWidget();
    QWidget *hit = strip->childAt(window.lblCobrand->geometry().center());
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
    void coBrandRandomizeRaisesOneLabel_data();
    void coBrandRandomizeRaisesOneLabel();

    void secondInstanceAnnouncesAndEnds();
    void dueReminderAsksBeforeMainWindow();
    void unreadableStoreStillShowsMainWindow();

    void messageBoxBreaksLineAtCarriageReturn();

    void aboutClosesOnEnterAndEsc_data();
    void aboutClosesOnEnterAndEsc();
    void aboutLinksOpenPagesAndStayOpen();
    void aboutIsCreatedAfresh();

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
    QCOMPARE(int(CoBrandNumber(r)), expected);
}

void TestStartup::coBrandNumberDistribution()
{
    fakes::All fakes;
    platform::services().random = &platform::processRandom();
    platform::services().random->seedFromClock();
    constexpr int draws = 120000;
    std::array<int, 8> counts{};
    for (int i = 0; i < draws; ++i) {
        const int n = CoBrandNumber(platform::services().random->next());
        QVERIFY2(n >= 1 && n <= 7, qPrintable(QString::number(n)));
        ++counts[n];
    }
    // Expected 10000 for 1 and 7, 20000 for 2..6; 5 sigma is about 500.
    QVERIFY(std::abs(counts[1] - 10000) < 600);
    QVERIFY(std::abs(counts[7] - 10000) < 600);
    for (int n = 2; n <= 6; ++n)
        QVERIFY2(std::abs(counts[n] - 20000) < 800, qPrintable(QString::number(counts[n])));
}

void TestStartup::coBrandRandomizeRaisesOneLabel_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("onTop");
    QTest::newRow("1: co-brand") << 0.0f << 1 << "lblCobrand";
    QTest::newRow("2: full brand") << 0.2f << 2 << "lblFullBrand";
    QTest::newRow("3: co-brand") << 0.35f << 3 << "lblCobrand";
    QTest::newRow("4: full brand") << 0.5f << 4 << "lblFullBrand";
    QTest::newRow("5: co-brand") << 0.68f << 5 << "lblCobrand";
    QTest::newRow("6: full brand") << 0.85f << 6 << "lblFullBrand";
}

void TestStartup::coBrandRandomizeRaisesOneLabel()
{
    QFETCH(float, r);
    QFETCH(int, number);
    QFETCH(QString, onTop);
    fakes::All fakes;
    frmMain window;
    fakes.random.values = {r};
    CoBrand_Randomize(window);
    QCOMPARE(int(intCoBrandRandomNumber), number);
    QCOMPARE(topPromotion(window), onTop);

    // 7 changes nothing, whichever label lay on top before.
    const QString before = topPromotion(window);
    fakes.random.values = {0.99f};
    CoBrand_Randomize(window);
    QCOMPARE(int(intCoBrandRandomNumber), 7);
    QCOMPARE(topPromotion(window), before);
}

void TestStartup::secondInstanceAnnouncesAndEnds()
{
    fakes::All fakes;
    FakeLock held(false);
    platform::services().instanceLock = &held;
    fakes.store.values[{"Settings", "x"}] = "untouched";
    RunStartup();
    QCOMPARE(fakes.messageBoxes.shown.size(), std::size_t(1));
    QCOMPARE(fakes.messageBoxes.shown[0].text, std::string("Application is already running"));
    QCOMPARE(fakes.messageBoxes.shown[0].icon, platform::MsgIcon::Information);
    QCOMPARE(fakes.terminator.statuses, std::vector<int>{0});
    QVERIFY(!findMainWindow());
    QCOMPARE(fakes.store.writes, 0);
    QCOMPARE(fakes.random.seeds, 0);
    QVERIFY(fakes.shell.opened.empty());
}

void TestStartup::dueReminderAsksBeforeMainWindow()
{
    fakes::All fakes;
    FakeLock first(true);
    platform::services().instanceLock = &first;
    fakes.calendar.date = {2026, 12, 7};
    fakes.store.values[{"Settings", modHelp::EncodeText("Duration")}] = modHelp::EncodeText("2026-11-01");
    fakes.store.values[{"Settings", modHelp::EncodeText("Install")}] = modHelp::EncodeText("1");
    bool mainWindowAtQuestion = true;
    fakes.messageBoxes.onShow = [&] { mainWindowAtQuestion = findMainWindow() != nullptr; };
    fakes.messageBoxes.answers = {platform::MsgAnswer::Yes};
    RunStartup();
    QCOMPARE(fakes.messageBoxes.shown.size(), std::size_t(1));
    QVERIFY(!mainWindowAtQuestion);
    QCOMPARE(fakes.shell.opened.size(), std::size_t(1));
    frmMain *window = findMainWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(fakes.random.seeds, 1);
}

void TestStartup::unreadableStoreStillShowsMainWindow()
{
    fakes::All fakes;
    FakeLock first(true);
    platform::services().instanceLock = &first;
    fakes.store.values[{"Settings", modHelp::EncodeText("Duration")}] = "\x01\x02 not a date";
    fakes.store.writesLeft = 0;
    RunStartup();
    QVERIFY(fakes.messageBoxes.shown.empty());
    QVERIFY(findMainWindow() && findMainWindow()->isVisible());
}

void TestStartup::messageBoxBreaksLineAtCarriageReturn()
{
    std::unique_ptr<QMessageBox> box(platform::createMessageBox(modHelp::UpdateQuestion, platform::MsgIcon::Information,
                                                                platform::MsgButtons::YesNo, nullptr));
    QCOMPARE(box->windowTitle(), QStringLiteral("Starbond"));
    QCOMPARE(box->text(),
             QStringLiteral("There maybe an update to this software available\nDo you want to check for an "
                            "update?"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));

    // A text that looks like markup is shown as it stands.
    box.reset(platform::createMessageBox("<b>First Name</b>", platform::MsgIcon::Critical, platform::MsgButtons::Ok,
                                         nullptr));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->standardButtons(), QMessageBox::Ok);
}

void TestStartup::aboutClosesOnEnterAndEsc_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Esc") << int(Qt::Key_Escape);
}

void TestStartup::aboutClosesOnEnterAndEsc()
{
    QFETCH(int, key);
    fakes::All fakes;
    QWidget owner;
    owner.show();
    QPointer<QWidget> seen;
    bool hadFocus = false;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        QVERIFY(seen);
        auto *ok = seen->findChild<QPushButton *>(QStringLiteral("cmdOK"));
        hadFocus = ok && seen->focusWidget() == ok;
        QTest::keyClick(seen, Qt::Key(key));
    });
    ShowAboutWindow(&owner);
    QVERIFY(hadFocus);
    QVERIFY(seen.isNull()); // destroyed on close
    QVERIFY(fakes.shell.opened.empty());
}

void TestStartup::aboutLinksOpenPagesAndStayOpen()
{
    fakes::All fakes;
    QWidget owner;
    owner.show();
    bool openAfterClicks = false;
    QTimer::singleShot(0, [&] {
        QWidget *about = QApplication::activeModalWidget();
        QVERIFY(about);
        QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
        auto *home = about->findChild<QLabel *>(QStringLiteral("lblHomePage"));
        auto *brand = about->findChild<QLabel *>(QStringLiteral("lblCoBrand"));
        QVERIFY(home && brand);
        QCOMPARE(home->text(), QStringLiteral("Click here to visit ") + QString::fromStdString(modHelp::HomePageUrl()));
        QTest::mouseClick(home, Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(brand, Qt::LeftButton, {}, QPoint(3, 3));
        openAfterClicks = about->isVisible() && QApplication::activeModalWidget() == about;
        about->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    });
    ShowAboutWindow(&owner);
    QVERIFY(openAfterClicks);
    fakes::Shell expected;
    platform::services().shell = &expected;
    modHelp::OpenHomePage();
    modHelp::OpenFullBrandPage();
    platform::services().shell = &fakes.shell;
    QCOMPARE(fakes.shell.opened, expected.opened);
}

void TestStartup::aboutIsCreatedAfresh()
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
        ShowAboutWindow(&owner);
    }
    QCOMPARE(windows.size(), std::size_t(2));
    QVERIFY(windows[0].isNull() && windows[1].isNull());
    QCOMPARE(texts[0], texts[1]);
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
