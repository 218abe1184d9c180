// Start-up cost of the real program: from starting the process to the first
// paint of its main window, side by side with an empty Qt Widgets window of
// the same size doing the same. The first paint is seen from outside, as the
// X server's first damage report on a window of the started process; then the
// process is ended. The two kinds alternate, each run a fresh process.
//
//   xvfb-run -a bench_startup [runs]
//
// Prints the median wall time and the peak memory (maximum resident set) of
// both, and their ratio and difference.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

struct Sample {
    double ms = 0;
    long maxRssKiB = 0;
};

int ignoreErrors(Display *, XErrorEvent *)
{
    return 0; // windows come and go while we watch them
}

class Watcher
{
  public:
    Watcher()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            return;
        XSetErrorHandler(ignoreErrors);
        int error = 0;
        if (!XDamageQueryExtension(m_display, &m_damageEvent, &error)) {
            XCloseDisplay(m_display);
            m_display = nullptr;
            return;
        }
        m_pidAtom = XInternAtom(m_display, "_NET_WM_PID", False);
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        XSync(m_display, False);
    }
    ~Watcher()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    // Starts the program and returns when a window of its process is first
    // drawn into; nullopt-like negative time on a time-out.
    Sample run(const char *program)
    {
        drain();
        const auto start = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            execl(program, program, static_cast<char *>(nullptr));
            _exit(127);
        }
        double ms = -1;
        while (ms < 0) {
            if (!waitForEvent(20000))
                break;
            XEvent event;
            XNextEvent(m_display, &event);
            if (event.type == CreateNotify) {
                // Watch every new top-level window from its birth, so that no
                // drawing slips by before the watch is in place.
                XDamageCreate(m_display, event.xcreatewindow.window, XDamageReportNonEmpty);
                XFlush(m_display);
            } else if (event.type == m_damageEvent + XDamageNotify) {
                const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
                if (windowPid(damage.drawable) == pid)
                    ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                XDamageSubtract(m_display, damage.damage, None, None);
            }
        }
        kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        return {ms, usage.ru_maxrss};
    }

  private:
    bool waitForEvent(int timeoutMs)
    {
        if (XPending(m_display))
            return true;
        pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
        return poll(&fd, 1, timeoutMs) > 0 && XPending(m_display);
    }

    void drain()
    {
        XSync(m_display, False);
        while (XPending(m_display)) {
            XEvent event;
            XNextEvent(m_display, &event);
        }
    }

    long windowPid(Window window)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(m_display, window, m_pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1 && format == 32)
            pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
        if (data)
            XFree(data);
        return pid;
    }

    Display *m_display = nullptr;
    int m_damageEvent = 0;
    Atom m_pidAtom = None;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc >= 2 ? std::max(3, std::atoi(argv[1])) : 21;
    Watcher watcher;
    if (!watcher.ok()) {
        std::fprintf(stderr, "bench_startup needs an X server with the DAMAGE extension: run it under xvfb-run -a\n");
        return 2;
    }
    // A private logon: no other instance, stored reminder or real store.
    char dir[] = "/tmp/starbond-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string base = dir;
    setenv("HOME", base.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", base.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    // The first start writes the reminder's first values; both first runs
    // also warm the page cache.
    watcher.run(STARBOND_PROGRAM);
    watcher.run(EMPTY_WINDOW);

    std::vector<double> programMs, emptyMs;
    long programRss = 0, emptyRss = 0;
    for (int i = 0; i < runs; ++i) {
        const Sample p = watcher.run(STARBOND_PROGRAM);
        const Sample e = watcher.run(EMPTY_WINDOW);
        if (p.ms < 0 || e.ms < 0) {
            std::fprintf(stderr, "no first paint seen within 20 s\n");
            return 1;
        }
        programMs.push_back(p.ms);
        emptyMs.push_back(e.ms);
        programRss = std::max(programRss, p.maxRssKiB);
        emptyRss = std::max(emptyRss, e.maxRssKiB);
    }
    const double pm = median(programMs), em = median(emptyMs);
    std::printf("%d runs each, start to first paint\n", runs);
    std::printf("program      median %6.1f ms   peak RSS %5.1f MiB\n", pm, programRss / 1024.0);
    std::printf("empty window median %6.1f ms   peak RSS %5.1f MiB\n", em, emptyRss / 1024.0);
    std::printf("time ratio %.2f (target <= 1.30), memory above the empty window %.1f MiB (target <= 8)\n", pm / em,
                (programRss - emptyRss) / 1024.0);
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    return 0;
}
