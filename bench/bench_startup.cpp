// Start-up cost: the program's start-up to the main window's first paint,
// side by side with an empty Qt Widgets window of the same size doing the
// same. Each run is a fresh process (this executable re-run with a mode), so
// wall time and peak memory include loading Qt; the two kinds alternate.
//
//   bench_startup [runs]        prints medians and peaks of both, and ratios
//
// Run it on a desktop or under xvfb-run: the xcb platform is what users get.
// Without a display it falls back to the offscreen platform, where the empty
// window never loads a font and the ratio says mostly what fontconfig costs.

#include "app/Startup.h"
#include "ui/Layout.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

// Ends the process at the first paint of a top-level window.
class FirstPaint final : public QObject
{
  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow() &&
            watched->objectName() == m_name) {
            std::fflush(nullptr);
            std::_Exit(0);
        }
        return false;
    }

  public:
    explicit FirstPaint(QString name) : m_name(std::move(name)) {}

  private:
    QString m_name;
};

int child(const char *mode, int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool program = std::strcmp(mode, "program") == 0;
    FirstPaint watch(program ? QStringLiteral("frmMain") : QStringLiteral("empty"));
    app.installEventFilter(&watch);
    if (program) {
        StartApplication();
    } else {
        auto *window = new QWidget;
        window->setObjectName(QStringLiteral("empty"));
        window->setFixedSize(ui::twips(8250), ui::twips(6270));
        window->show();
    }
    return app.exec();
}

struct Sample {
    double ms;
    long maxRssKiB;
};

Sample runOnce(const char *self, const char *mode)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(self, self, "--child", mode, static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s run failed\n", mode);
        std::exit(1);
    }
    return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return child(argv[2], argc, argv);

    const int runs = argc >= 2 ? std::max(3, std::atoi(argv[1])) : 21;
    // A private logon, so no other instance, stored reminder or real store interferes.
    char dir[] = "/tmp/starbond-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    const std::string base = dir;
    setenv("HOME", base.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", base.c_str(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", getenv("DISPLAY") ? "xcb" : "offscreen", 1);

    std::vector<double> programMs, emptyMs;
    long programRss = 0, emptyRss = 0;
    runOnce(argv[0], "program"); // warm the page cache; also writes the first-start values
    runOnce(argv[0], "empty");
    for (int i = 0; i < runs; ++i) {
        const Sample p = runOnce(argv[0], "program");
        const Sample e = runOnce(argv[0], "empty");
        programMs.push_back(p.ms);
        emptyMs.push_back(e.ms);
        programRss = std::max(programRss, p.maxRssKiB);
        emptyRss = std::max(emptyRss, e.maxRssKiB);
    }
    const double pm = median(programMs), em = median(emptyMs);
    std::printf("platform %s, %d runs each\n", getenv("QT_QPA_PLATFORM"), runs);
    std::printf("program      median %.1f ms   peak RSS %.1f MiB\n", pm, programRss / 1024.0);
    std::printf("empty window median %.1f ms   peak RSS %.1f MiB\n", em, emptyRss / 1024.0);
    std::printf("time ratio %.2f (target <= 1.30), memory above empty %.1f MiB (target <= 8)\n", pm / em,
                (programRss - emptyRss) / 1024.0);
    std::system(("rm -rf " + base).c_str());
    return 0;
}
