#include "app/Shutdown.h"
#include "support/FakeServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace
{

// Counts its close events; may take the way out from its close handling.
class Window : public QWidget
{
  public:
    explicit Window(app::Shutdown *exitsOnClose = nullptr) : m_exitsOnClose(exitsOnClose) {}
    int closes = 0;

  protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        event->accept();
        if (m_exitsOnClose)
            m_exitsOnClose->exitApplication();
    }

  private:
    app::Shutdown *m_exitsOnClose;
};

QList<QWidget *> visibleWindows()
{
    QList<QWidget *> visible;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible())
            visible << w;
    return visible;
}

} // namespace

class TestShutdown : public QObject
{
    Q_OBJECT

  private slots:
    void exitClosesEveryWindowOnceThenTerminates_data()
    {
        QTest::addColumn<int>("exitingWindow"); // -1: none takes the way out itself
        QTest::newRow("plain") << -1;
        QTest::newRow("nested from a visible window") << 0;
        QTest::newRow("nested from a hidden window") << 2;
    }

    void exitClosesEveryWindowOnceThenTerminates()
    {
        QFETCH(int, exitingWindow);
        fakes::All fakes;
        app::Shutdown shutdown;
        std::vector<std::unique_ptr<Window>> windows;
        for (int i = 0; i < 4; ++i)
            windows.push_back(std::make_unique<Window>(i == exitingWindow ? &shutdown : nullptr));
        windows[0]->show();
        windows[1]->show();
        windows[3]->show();
        windows[3]->hide(); // shown once, hidden now; windows[2] never shown

        shutdown.exitApplication();

        for (const auto &w : windows)
            QCOMPARE(w->closes, 1);
        QCOMPARE(fakes.terminator.statuses, std::vector<int>{0});
        QVERIFY(visibleWindows().isEmpty());
    }

    void exitWithoutWindowsTerminates()
    {
        fakes::All fakes;
        app::Shutdown shutdown;
        shutdown.exitApplication();
        shutdown.exitApplication();
        QCOMPARE(fakes.terminator.statuses, (std::vector<int>{0, 0}));
    }
};

QTEST_MAIN(TestShutdown)
#include "TestShutdown.moc"
