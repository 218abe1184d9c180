#include "app/Shutdown.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <memory>
#include <vector>

namespace
{

// Counts its close events; may take the way out from its close handling, or
// delete another window there.
class Window : public QWidget
{
    Q_OBJECT
  public:
    explicit Window(app::Shutdown *exitsOnClose = nullptr) : m_exitsOnClose(exitsOnClose) {}
    int closes = 0;
    QPointer<QWidget> deletesOnClose;

  protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        event->accept();
        delete deletesOnClose;
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
        QTest::addColumn<bool>("firstDeletesLast");
        QTest::newRow("plain") << -1 << false;
        QTest::newRow("nested from a visible window") << 0 << false;
        QTest::newRow("nested from a hidden window") << 2 << false;
        QTest::newRow("windows deleted while the others close") << -1 << true;
    }

    void exitClosesEveryWindowOnceThenTerminates()
    {
        QFETCH(int, exitingWindow);
        QFETCH(bool, firstDeletesLast);
        int ends = 0;
        app::Shutdown shutdown([&ends] { ++ends; });
        std::vector<std::unique_ptr<Window>> windows;
        for (int i = 0; i < 4; ++i)
            windows.push_back(std::make_unique<Window>(i == exitingWindow ? &shutdown : nullptr));
        windows[0]->show();
        windows[1]->show();
        windows[3]->show();
        windows[3]->hide(); // shown once, hidden now; windows[2] never shown
        // Whichever of the two closes first deletes the other, which the
        // walk then meets gone.
        QPointer<Window> first, last;
        if (firstDeletesLast) {
            first = windows[0].release();
            last = windows[3].release();
            first->deletesOnClose = last.data();
            last->deletesOnClose = first.data();
        }

        shutdown.exitApplication();

        for (const auto &w : windows)
            QCOMPARE(w ? w->closes : 1, 1);
        if (firstDeletesLast) {
            QVERIFY(first.isNull() != last.isNull());
            delete first.data();
            delete last.data();
        }
        QCOMPARE(ends, 1);
        QVERIFY(visibleWindows().isEmpty());
    }

    void exitWithoutWindowsTerminates()
    {
        int ends = 0;
        app::Shutdown shutdown([&ends] { ++ends; });
        shutdown.exitApplication();
        shutdown.exitApplication();
        QCOMPARE(ends, 2);
    }
};

QTEST_MAIN(TestShutdown)
#include "TestShutdown.moc"
