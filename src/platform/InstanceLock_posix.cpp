#include "platform/InstanceLock_posix.h"

#include "platform/Backends.h"
#include "platform/UserStore_posix.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform
{
namespace
{

constexpr char LockName[] = "instance.lock";

// <base>/<name>, made with mode 0700 where missing, opened without following
// a link and checked through the descriptor: a folder of this user that no
// one else can enter, so no one else can take the lock or turn it off. The
// base must be closed to other users too, or one could put a folder of their
// own in place of ours.
int openPrivateFolder(const std::string &base, const std::string &name)
{
    if (base.empty() || base[0] != '/')
        return -1;
    const int parent = ::open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return -1;
    struct stat st {
    };
    int dir = -1;
    if (::fstat(parent, &st) == 0 && (st.st_uid == ::geteuid() || st.st_uid == 0) && (st.st_mode & 022) == 0) {
        ::mkdirat(parent, name.c_str(), 0700); // an existing one is checked below
        dir = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    ::close(parent);
    if (dir >= 0 && (::fstat(dir, &st) != 0 || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0)) {
        ::close(dir);
        dir = -1;
    }
    return dir;
}

bool isOwnRegularFile(int fd)
{
    struct stat st {
    };
    return fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

// Opened without following a link or blocking on a FIFO. Anything else at the
// name (a link, a FIFO, a folder, another user's file) was not made by an
// instance, so no instance holds a lock on it: it is removed and a file made
// in its place. Instances repair one at a time under a lock on the folder and
// only what they find broken while holding it, so none removes the file that
// another has just made and locked. O_CLOEXEC: a browser started through
// xdg-open must not inherit the lock.
int openLockFile(int dir)
{
    const int flags = O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::openat(dir, LockName, flags, 0600);
    if (isOwnRegularFile(fd))
        return fd;
    if (fd >= 0)
        ::close(fd);
    if (::flock(dir, LOCK_EX) != 0)
        return -1;
    fd = ::openat(dir, LockName, flags, 0600);
    if (!isOwnRegularFile(fd)) {
        if (fd >= 0)
            ::close(fd);
        if (::unlinkat(dir, LockName, 0) != 0)
            ::unlinkat(dir, LockName, AT_REMOVEDIR);
        fd = ::openat(dir, LockName, flags, 0600);
        if (fd >= 0 && !isOwnRegularFile(fd)) {
            ::close(fd);
            fd = -1;
        }
    }
    ::flock(dir, LOCK_UN);
    return fd;
}

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
    const std::string name = programFileName();
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string cache = xdgBaseFolder("XDG_CACHE_HOME", ".cache");
    if (!cache.empty())
        ::mkdir(cache.c_str(), 0700); // a new account may have none yet
    for (const std::string &base : {std::string(runtime ? runtime : ""), cache}) {
        const int dir = openPrivateFolder(base, name);
        if (dir < 0)
            continue;
        const int fd = openLockFile(dir);
        ::close(dir);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Kept open for the life of the process and never unlinked: removing
            // it would let a third instance lock a fresh file beside a running one.
            m_fd = fd;
            return true;
        }
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (held)
            return false;
    }
    // No lock to be had (no private folder, a read-only home, a file system
    // without locks): a second window is a smaller harm than refusing to
    // start, so the program starts and says nothing.
    return true;
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
