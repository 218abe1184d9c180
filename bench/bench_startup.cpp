// Start-up cost of the real program: from starting the process to the first
// paint of its main window, side by side with the yardstick, a plain Qt
// Widgets window of the same size holding one label, doing the same. Each
// run is a fresh process; the two kinds alternate, on two platforms:
//
//  - the X server of DISPLAY: the first paint is seen from outside, as the
//    server's first damage report on a window of the started process; then
//    the process is ended;
//  - offscreen, where no one outside sees the drawing: the preloaded
//    first_paint library ends the process at its first flush and says so
//    through a pipe.
//
// Both run on a private session bus started for the purpose, as a desktop
// has one (Qt asks it about assistive technology), and in a private home, so
// that no other instance, stored reminder or real store interferes.
//
//   xvfb-run -a bench_startup [runs [program yardstick]]
//   bench_startup --offscreen [runs]
//   bench_startup --instructions
//
// By default the program and the yardstick of this build, on both platforms
// (offscreen alone without an X server, or with --offscreen); given two .exe
// files (the Windows build of both) they are started through wine, in the
// WINEPREFIX of the environment, on X only.
//
// Prints, per platform, the median wall time, processor time and peak memory
// (maximum resident set) of both, their ratios and difference. The processor
// time (user and system) counts until the process ends: offscreen that is the
// first paint, on X a moment after it. On a busy machine it varies less than
// the wall time.
//
// With --instructions it starts each once offscreen under valgrind's callgrind
// instead and prints the instructions executed up to the first paint: a count
// that stays the same within a fraction of a percent however busy the machine
// is, for weighing a change to the start.

#include "support/XDesktop.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

using Clock = std::chrono::steady_clock;
constexpr int TimeoutMs = 20000;

struct Sample {
    double ms = -1; // negative: no paint seen in time
    double cpuMs = 0;
    long maxRssKiB = 0;
};

bool isWindowsProgram(const std::string &program)
{
    return program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0;
}

// Starts the program, a Windows program (.exe) through wine.
pid_t launch(const std::string &program)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (isWindowsProgram(program)) {
            unsetenv("QT_QPA_PLATFORM"); // the Windows platform plugin, on this X server
            execlp("wine", "wine", program.c_str(), static_cast<char *>(nullptr));
        } else
            execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    return pid;
}

// Waits for the process and notes its processor time and peak memory.
void reap(pid_t pid, Sample &sample)
{
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    sample.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    sample.maxRssKiB = usage.ru_maxrss;
}

// On X: ends the program once a window of its process is first drawn into.
Sample runOnX(xdesktop::Desktop &desktop, const std::string &program)
{
    desktop.watchPaints();
    const auto start = Clock::now();
    const pid_t pid = launch(program);
    Sample sample;
    if (desktop.waitForFirstPaint(pid, TimeoutMs))
        sample.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    kill(pid, SIGTERM);
    reap(pid, sample);
    return sample;
}

// Offscreen: the program, with first_paint preloaded, writes to the pipe
// named in FIRST_PAINT_FD at its first paint and exits.
Sample runOffscreen(const std::string &program)
{
    int paint[2];
    if (pipe(paint) != 0)
        return {};
    fcntl(paint[0], F_SETFD, FD_CLOEXEC);
    setenv("FIRST_PAINT_FD", std::to_string(paint[1]).c_str(), 1);
    const auto start = Clock::now();
    const pid_t pid = launch(program);
    close(paint[1]);
    Sample sample;
    pollfd fd{paint[0], POLLIN, 0};
    char painted = 0;
    if (poll(&fd, 1, TimeoutMs) == 1 && read(paint[0], &painted, 1) == 1)
        sample.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    else
        kill(pid, SIGKILL);
    close(paint[0]);
    reap(pid, sample);
    return sample;
}

// Offscreen under callgrind: the instructions the process executes up to its
// first paint (first_paint ends it there), or -1 without valgrind or a paint.
long long instructionsToFirstPaint(const std::string &program, const std::string &base)
{
    const std::string out = base + "/callgrind.out";
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDERR_FILENO);
        const std::string file = "--callgrind-out-file=" + out;
        execlp("valgrind", "valgrind", "--tool=callgrind", file.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    // A first paint that first_paint misses would leave it running.
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            return -1;
        }
        usleep(20000);
    }
    std::ifstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("summary: ", 0) == 0 || line.rfind("totals: ", 0) == 0)
            return std::atoll(line.c_str() + line.find(' ') + 1);
    return -1;
}

// Each once, after a first run of each as in compare().
bool countInstructions(const std::string &program, const std::string &yardstick, const std::string &base)
{
    runOffscreen(program);
    runOffscreen(yardstick);
    unsetenv("FIRST_PAINT_FD");
    const long long p = instructionsToFirstPaint(program, base);
    const long long y = instructionsToFirstPaint(yardstick, base);
    if (p <= 0 || y <= 0) {
        std::fprintf(stderr, "no count: --instructions needs valgrind, and a first paint within 2 minutes\n");
        return false;
    }
    std::printf("instructions to the first paint, offscreen (callgrind)\n");
    std::printf("  program       %7.1f M\n", p / 1e6);
    std::printf("  label window  %7.1f M\n", y / 1e6);
    std::printf("  ratio %.2f\n", double(p) / double(y));
    return true;
}

// A session bus of our own, for the length of the benchmark; without
// dbus-daemon the programs run with none.
class SessionBus
{
  public:
    SessionBus()
    {
        int address[2];
        if (pipe(address) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            close(address[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO); // its complaints about file limits
            const std::string print = "--print-address=" + std::to_string(address[1]);
            execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--nopidfile", print.c_str(),
                   static_cast<char *>(nullptr));
            _exit(127);
        }
        close(address[1]);
        std::string line;
        char ch = 0;
        while (read(address[0], &ch, 1) == 1 && ch != '\n')
            line += ch;
        close(address[0]);
        if (!line.empty())
            setenv("DBUS_SESSION_BUS_ADDRESS", line.c_str(), 1);
        else
            std::fprintf(stderr, "no dbus-daemon: the programs run without a session bus\n");
    }
    ~SessionBus()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    SessionBus(const SessionBus &) = delete;
    SessionBus &operator=(const SessionBus &) = delete;

  private:
    pid_t m_pid = -1;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Alternates the two, after a first run of each that writes the reminder's
// first values and warms the page cache. False when a run saw no paint.
template <typename Run>
bool compare(const char *platform, int runs, const std::string &program, const std::string &yardstick, Run run,
             double timeTarget)
{
    run(program);
    run(yardstick);
    std::vector<double> programMs, yardstickMs, programCpu, yardstickCpu, programRss, yardstickRss;
    for (int i = 0; i < runs; ++i) {
        const Sample p = run(program);
        const Sample y = run(yardstick);
        if (p.ms < 0 || y.ms < 0) {
            std::fprintf(stderr, "%s: no first paint seen within %d s\n", platform, TimeoutMs / 1000);
            return false;
        }
        programMs.push_back(p.ms);
        yardstickMs.push_back(y.ms);
        programCpu.push_back(p.cpuMs);
        yardstickCpu.push_back(y.cpuMs);
        programRss.push_back(p.maxRssKiB / 1024.0);
        yardstickRss.push_back(y.maxRssKiB / 1024.0);
    }
    const double pm = median(programMs), ym = median(yardstickMs);
    const double pc = median(programCpu), yc = median(yardstickCpu);
    const double pr = median(programRss), yr = median(yardstickRss);
    std::printf("%s\n", platform);
    std::printf("  program       %6.1f ms   processor %6.1f ms   peak RSS %5.1f MiB\n", pm, pc, pr);
    std::printf("  label window  %6.1f ms   processor %6.1f ms   peak RSS %5.1f MiB\n", ym, yc, yr);
    std::printf(
        "  time ratio %.2f (target <= %.2f), processor %.2f, memory above the label window %+.1f MiB (target <= "
        "+3)\n",
        pm / ym, timeTarget, pc / yc, pr - yr);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const bool instructions = !args.empty() && args.front() == "--instructions";
    const bool offscreenOnly = instructions || (!args.empty() && args.front() == "--offscreen");
    if (offscreenOnly)
        args.erase(args.begin());
    const int runs = !args.empty() ? std::max(3, std::atoi(args[0].c_str())) : 21;
    const std::string program = args.size() >= 3 ? args[1] : STARBOND_PROGRAM;
    const std::string yardstick = args.size() >= 3 ? args[2] : LABEL_WINDOW;
    const bool windows = isWindowsProgram(program);

    if (windows && offscreenOnly) {
        std::fprintf(stderr, "a Windows program is measured on X only\n");
        return 2;
    }
    xdesktop::Desktop desktop;
    if (!desktop.isOpen() && (windows || !offscreenOnly)) {
        std::fprintf(stderr, "no X server with the DAMAGE and XTEST extensions (run under xvfb-run -a)%s\n",
                     windows ? "" : ": offscreen only");
        if (windows)
            return 2;
    }
    char dir[] = "/tmp/starbond-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string base = dir;
    setenv("HOME", base.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    // A desktop's runtime folder lives in memory (/run/user/<uid>), where the
    // lock file's flush to disk costs nothing.
    char runtimeDir[] = "/dev/shm/starbond-bench-XXXXXX";
    const std::string runtime = mkdtemp(runtimeDir) ? runtimeDir : base;
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);

    bool ok = true;
    {
        const SessionBus bus;
        if (!instructions)
            std::printf("%d runs of each, start to first paint; medians\n", runs);
        if (desktop.isOpen() && !offscreenOnly) {
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            ok = compare(
                "X server", runs, program, yardstick, [&](const std::string &p) { return runOnX(desktop, p); }, 1.10);
        }
        if (ok && !windows) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            setenv("LD_PRELOAD", FIRST_PAINT, 1);
            ok = instructions ? countInstructions(program, yardstick, base)
                              : compare("offscreen", runs, program, yardstick, runOffscreen, 1.25);
            unsetenv("LD_PRELOAD");
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    std::filesystem::remove_all(runtime, ignored);
    return ok ? 0 : 1;
}
