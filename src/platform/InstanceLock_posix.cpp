#include "platform/Backends.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace platform
{
namespace
{

std::string lockPath()
{
    const std::string name = programFileName();
    if (const char *runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return std::string(runtime) + "/" + name + ".lock";
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

// An advisory lock that the kernel drops when the process dies, so a crashed
// instance never blocks the next start. The file is never unlinked: removing
// it would let a third instance lock a fresh file beside a running one.
class FlockInstanceLock final : public InstanceLock
{
  public:
    bool acquire() override
    {
        if (m_fd >= 0)
            return true;
        // O_CLOEXEC: a browser started through xdg-open must not inherit it.
        const int fd = ::open(lockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return true; // no lock to be had is no reason to refuse the user
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return !held;
        }
        m_fd = fd; // kept open for the life of the process
        return true;
    }

  private:
    int m_fd = -1;
};

} // namespace

std::string programFileName()
{
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "starbond";
    const std::string path(buf, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

InstanceLock &hostInstanceLock()
{
    static FlockInstanceLock lock;
    return lock;
}

} // namespace platform
