#include "platform/Backends.h"

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace platform
{
namespace
{

// Closes every descriptor from 3 up, so the browser inherits none of ours
// (the single-instance lock above all). Runs in the child after fork.
void closeInheritedDescriptors(long maxFd)
{
    if (::close_range(3, ~0U, 0) == 0)
        return;
    for (long fd = 3; fd < maxFd; ++fd)
        ::close(static_cast<int>(fd));
}

// Starts xdg-open detached: fork twice so the browser is adopted by init and
// never becomes our zombie; only the short-lived middle child is waited for.
class XdgShell final : public Shell
{
  public:
    void openUrl(const std::string &url) override
    {
        char program[] = "xdg-open";
        char *const argv[] = {program, const_cast<char *>(url.c_str()), nullptr};
        const long maxFd = ::sysconf(_SC_OPEN_MAX) > 0 ? ::sysconf(_SC_OPEN_MAX) : 1024;

        const pid_t middle = ::fork();
        if (middle < 0)
            return;
        if (middle == 0) {
            ::setsid();
            if (::fork() != 0)
                ::_exit(0);
            closeInheritedDescriptors(maxFd);
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            if (::chdir("/") == 0)
                ::execvp(program, argv);
            ::_exit(127);
        }
        int status = 0;
        while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
        }
    }
};

} // namespace

Shell &hostShell()
{
    static XdgShell shell;
    return shell;
}

} // namespace platform
