// The exit screen on a real window of the Windows platform: above other
// programs' windows, where it was put.

#include "outreach/ExitScreen.h"

#include <QtTest>

#include <windows.h>

class TestTopmostWin32 : public QObject
{
    Q_OBJECT

  private slots:
    void exitScreenStaysOnTopInPlace()
    {
        outreach::ExitScreen screen(0);
        const QPoint placed = screen.pos();
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const auto hwnd = reinterpret_cast<HWND>(screen.winId());
        QVERIFY(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        QVERIFY(IsWindowVisible(hwnd));
        QCOMPARE(screen.pos(), placed);
    }
};

QTEST_MAIN(TestTopmostWin32)
#include "TestTopmostWin32.moc"
