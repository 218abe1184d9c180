#include "platform/InstanceLock_posix.h"

#include "platform/Backends.h"
#include "platform/UserFolders_posix.h"

#include <chrono>
#include <string>
#include <unistd.h>

namespace platform
{
namespace
{

constexpr char LockName[] = "instance.lock";

} // namespace

FlockInstanceLock::~FlockInstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FlockInstanceLock::acquire()
{
    if (m_fd >= 0)
        return true;
    // Another instance holds it now: no waiting.
    const PrivateLock lock = lockPrivateFile(LockName, std::chrono::milliseconds(0));
    // Kept open for the life of the process and never unlinked: removing it
    // would let a third instance lock a fresh file beside a running one.
    m_fd = lock.fd;
    // No lock to be had (no private folder, a read-only home, a file system
    // without locks): a second window is a smaller harm than refusing to
    // start, so the program starts and says nothing.
    return !lock.busy;
}

std::string programFileName()
{
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return "starbond";
    const std::string path(buf, static_cast<std::size_t>(n));
    return withoutExtension(path.substr(path.rfind('/') + 1));
}

InstanceLock &hostInstanceLock()
{
    static FlockInstanceLock lock;
    return lock;
}

} // namespace platform
