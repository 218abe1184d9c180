// The topmost service on a real window of the Windows platform.

#include "platform/qt/QtServices.h"

#include <QWidget>
#include <QtTest>

#include <windows.h>

class TestTopmostWin32 : public QObject
{
    Q_OBJECT

  private slots:
    void applyPutsTheShownWindowOnTopInPlace()
    {
        QWidget window;
        window.setGeometry(120, 140, 300, 200);
        platform::Topmost &topmost = *platform::qtServices().topmost;
        topmost.prepare(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto hwnd = reinterpret_cast<HWND>(window.winId());
        QVERIFY(!(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST));
        RECT before{};
        GetWindowRect(hwnd, &before);

        topmost.apply(&window);
        QVERIFY(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT after{};
        GetWindowRect(hwnd, &after);
        QVERIFY(EqualRect(&before, &after));
        QVERIFY(IsWindowVisible(hwnd));
    }
};

QTEST_MAIN(TestTopmostWin32)
#include "TestTopmostWin32.moc"
