#include "platform/Backends.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform
{
namespace
{

// How long the shell waits to hear whether xdg-open could be started. Starting
// it takes milliseconds; a PATH on a hung network folder must not hang us.
constexpr int ExecReportMs = 2000;

// Keeps the descriptor `report` as 3 (close-on-exec) and closes every other
// one from 3 up, so the browser inherits none of ours (the single-instance
// lock above all). Runs in the child after fork.
void closeInheritedDescriptors(int report, long maxFd)
{
    if (report != 3 && ::dup3(report, 3, O_CLOEXEC) != 3)
        ::_exit(127);
    if (::close_range(4, ~0U, 0) == 0)
        return;
    for (long fd = 4; fd < maxFd; ++fd)
        ::close(static_cast<int>(fd));
}

// Whether exec succeeded, as the grandchild reports through a close-on-exec
// pipe: end of file when it did (exec closed the pipe), errno when it did
// not. No news within the bound counts as started.
bool execSucceeded(int report)
{
    pollfd p{report, POLLIN, 0};
    int ready;
    while ((ready = ::poll(&p, 1, ExecReportMs)) < 0 && errno == EINTR) {
    }
    if (ready <= 0)
        return true;
    int error = 0;
    ssize_t n;
    while ((n = ::read(report, &error, sizeof error)) < 0 && errno == EINTR) {
    }
    return n == 0;
}

// Starts xdg-open detached: fork twice so the browser is adopted by init and
// never becomes our zombie; only the short-lived middle child is waited for.
// False where xdg-open could not be started (missing, or the URL is longer
// than the system takes as one argument).
class XdgShell final : public Shell
{
  public:
    bool openUrl(const std::string &url) override
    {
        char program[] = "xdg-open";
        char *const argv[] = {program, const_cast<char *>(url.c_str()), nullptr};
        const long maxFd = ::sysconf(_SC_OPEN_MAX) > 0 ? ::sysconf(_SC_OPEN_MAX) : 1024;
        int pipeFds[2];
        if (::pipe2(pipeFds, O_CLOEXEC) != 0)
            return false;

        const pid_t middle = ::fork();
        if (middle == 0) {
            ::setsid();
            if (const pid_t browser = ::fork(); browser != 0)
                ::_exit(browser > 0 ? 0 : 1);
            closeInheritedDescriptors(pipeFds[1], maxFd);
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            if (::chdir("/") == 0)
                ::execvp(program, argv);
            const int error = errno;
            [[maybe_unused]] const ssize_t n = ::write(3, &error, sizeof error);
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        bool started = false;
        if (middle > 0) {
            int status = 0;
            while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
            }
            started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && execSucceeded(pipeFds[0]);
        }
        ::close(pipeFds[0]);
        return started;
    }
};

} // namespace

Shell &hostShell()
{
    static XdgShell shell;
    return shell;
}

} // namespace platform
