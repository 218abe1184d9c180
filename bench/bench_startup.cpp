// Start-up cost of the real program: from starting the process to the first
// paint of its main window, side by side with an empty Qt Widgets window of
// the same size doing the same. The first paint is seen from outside, as the
// X server's first damage report on a window of the started process; then the
// process is ended. The two kinds alternate, each run a fresh process.
//
//   xvfb-run -a bench_startup [runs [program empty-window]]
//
// By default the program and the yardstick of this build; given two .exe
// files (the Windows build of both) they are started through wine, in the
// WINEPREFIX of the environment.
//
// Prints the median wall time and the peak memory (maximum resident set) of
// both, and their ratio and difference.

#include "support/XDesktop.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;

struct Sample {
    double ms = -1; // negative: no paint seen in time
    long maxRssKiB = 0;
};

// Starts the program and ends it once a window of its process is first drawn
// into. A Windows program (.exe) is started through wine.
Sample run(xdesktop::Desktop &desktop, const std::string &program)
{
    const bool windows = program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0;
    desktop.watchPaints();
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (windows) {
            unsetenv("QT_QPA_PLATFORM"); // the Windows platform plugin, on this X server
            execlp("wine", "wine", program.c_str(), static_cast<char *>(nullptr));
        } else
            execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    Sample sample;
    if (desktop.waitForFirstPaint(pid, 20000))
        sample.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    sample.maxRssKiB = usage.ru_maxrss;
    return sample;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc >= 2 ? std::max(3, std::atoi(argv[1])) : 21;
    const std::string program = argc >= 4 ? argv[2] : STARBOND_PROGRAM;
    const std::string empty = argc >= 4 ? argv[3] : EMPTY_WINDOW;
    xdesktop::Desktop desktop;
    if (!desktop.isOpen()) {
        std::fprintf(
            stderr, "bench_startup needs an X server with the DAMAGE and XTEST extensions: run it under xvfb-run -a\n");
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
    run(desktop, program);
    run(desktop, empty);

    std::vector<double> programMs, emptyMs;
    long programRss = 0, emptyRss = 0;
    for (int i = 0; i < runs; ++i) {
        const Sample p = run(desktop, program);
        const Sample e = run(desktop, empty);
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
