// Runs the real program on the X server in DISPLAY and leaves it the two ways
// a user does. Keys go through xdotool; the close box is the window manager's
// WM_DELETE_WINDOW message, sent here directly since no window manager runs.

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <optional>
#include <vector>

namespace
{

struct TopWindow {
    Window id;
    QSize size;
};

// Windows come and go while they are looked at (the program under test
// closes them); a query about a vanished one is no reason to abort.
int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

class XServer
{
  public:
    XServer() : m_display(XOpenDisplay(nullptr)) { XSetErrorHandler(ignoreXErrors); }
    ~XServer()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    bool isOpen() const { return m_display != nullptr; }

    // The mapped top-level windows that the process with this id owns.
    std::vector<TopWindow> windowsOf(qint64 pid) const
    {
        std::vector<TopWindow> found;
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count))
            return found;
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(m_display, children[i], &attributes) || attributes.map_state != IsViewable)
                continue;
            if (pidOf(children[i]) == pid)
                found.push_back({children[i], QSize(attributes.width, attributes.height)});
        }
        if (children)
            XFree(children);
        return found;
    }

    QString titleOf(::Window window) const
    {
        XTextProperty property;
        QString title;
        if (XGetTextProperty(m_display, window, &property, atom("_NET_WM_NAME")) && property.value) {
            title = QString::fromUtf8(reinterpret_cast<const char *>(property.value),
                                      static_cast<qsizetype>(property.nitems));
            XFree(property.value);
        }
        return title;
    }

    // What a window manager sends when the user clicks the close box.
    void sendDeleteWindow(::Window window) const
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atom("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(atom("WM_DELETE_WINDOW"));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &event);
        XFlush(m_display);
    }

  private:
    Atom atom(const char *name) const { return XInternAtom(m_display, name, False); }

    std::optional<qint64> pidOf(::Window window) const
    {
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        std::optional<qint64> pid;
        if (XGetWindowProperty(m_display, window, atom("_NET_WM_PID"), 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &data) == Success &&
            data && items == 1 && format == 32)
            pid = static_cast<qint64>(*reinterpret_cast<unsigned long *>(data));
        if (data)
            XFree(data);
        return pid;
    }

    ::Display *m_display;
};

bool xdotool(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
}

} // namespace

class TestExitProcess : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_display;
    QTemporaryDir m_home;
    QProcess m_program;

    // Polls until the program shows exactly one window that is not `other`.
    std::optional<TopWindow> waitForWindow(std::optional<Window> other = std::nullopt)
    {
        QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired() && m_program.state() == QProcess::Running) {
            const auto windows = m_display->windowsOf(m_program.processId());
            if (windows.size() == 1 && windows[0].id != other)
                return windows[0];
            QThread::msleep(50);
        }
        return std::nullopt;
    }

    void start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        env.insert(QStringLiteral("PATH"), m_home.path()); // no browser is ever started
        m_program.setProcessEnvironment(env);
        m_program.setProgram(QStringLiteral(STARBOND_PROGRAM));
        m_program.start();
        QVERIFY(m_program.waitForStarted());
    }

    void focusAndType(Window window, const QStringList &keys)
    {
        QVERIFY(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)}));
        QVERIFY(xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("100")} + keys));
    }

  private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("no X server (run under xvfb-run)");
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xdotool not installed");
        m_display = std::make_unique<XServer>();
        QVERIFY(m_display->isOpen());
        QVERIFY(m_home.isValid());
    }

    void cleanup()
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    void leaving_data()
    {
        QTest::addColumn<bool>("mainByMenu");
        QTest::addColumn<bool>("exitByButton");
        QTest::newRow("close box, then E&xit") << false << true;
        QTest::newRow("menu E&xit, then close box") << true << false;
    }

    void leaving()
    {
        QFETCH(bool, mainByMenu);
        QFETCH(bool, exitByButton);
        start();
        const qint64 pid = m_program.processId();

        const auto main = waitForWindow();
        QVERIFY2(main, "the main window did not appear");
        QCOMPARE(m_display->titleOf(main->id), QStringLiteral("Starbond v1.0"));
        if (mainByMenu)
            focusAndType(main->id, {QStringLiteral("alt+f"), QStringLiteral("x")});
        else
            m_display->sendDeleteWindow(main->id);

        const auto exitScreen = waitForWindow(main->id);
        QVERIFY2(exitScreen, "the exit screen did not replace the main window");
        QCOMPARE(exitScreen->size, QSize(741, 315));
        QCOMPARE(m_display->titleOf(exitScreen->id), QStringLiteral("Starbond v1.0"));
        QCOMPARE(m_program.state(), QProcess::Running);

        if (exitByButton)
            focusAndType(exitScreen->id, {QStringLiteral("alt+x")});
        else
            m_display->sendDeleteWindow(exitScreen->id);

        QVERIFY2(m_program.waitForFinished(30000), "the program did not end");
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program.exitCode(), 0);
        QVERIFY(m_display->windowsOf(pid).empty());
    }
};

QTEST_GUILESS_MAIN(TestExitProcess)
#include "TestExitProcess.moc"
