#include "platform/UserFolders_posix.h"

#include "platform/Backends.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace platform
{
namespace
{

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

// Polls for an exclusive lock for at most `patience`: 0 once had, else the
// errno of the last try (EWOULDBLOCK: another process still holds it).
int lockWithin(int fd, std::chrono::milliseconds patience)
{
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return 0;
        const int error = errno;
        if (error != EINTR && (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline))
            return error;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool isOwnRegularFile(int fd)
{
    struct stat st {
    };
    return fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid();
}

// Opened without following a link or blocking on a FIFO. Anything else at the
// name (a link, a FIFO, a folder, another user's file) was not made by us, so
// no process of ours holds a lock on it: it is removed and a file made in its
// place. Processes repair one at a time under a lock on the private folder
// and only what they find broken while holding it, so none removes the file
// that another has just made and locked. O_CLOEXEC: a browser started
// through xdg-open must not inherit the lock.
int openLockFile(int dir, const char *name)
{
    const int flags = O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::openat(dir, name, flags, 0600);
    if (isOwnRegularFile(fd))
        return fd;
    if (fd >= 0)
        ::close(fd);
    if (lockWithin(dir, std::chrono::seconds(2)) != 0)
        return -1;
    fd = ::openat(dir, name, flags, 0600);
    if (!isOwnRegularFile(fd)) {
        if (fd >= 0)
            ::close(fd);
        if (::unlinkat(dir, name, 0) != 0)
            ::unlinkat(dir, name, AT_REMOVEDIR);
        fd = ::openat(dir, name, flags, 0600);
        if (fd >= 0 && !isOwnRegularFile(fd)) {
            ::close(fd);
            fd = -1;
        }
    }
    ::flock(dir, LOCK_UN);
    return fd;
}

} // namespace

std::string xdgBaseFolder(const char *variable, const char *inHome)
{
    if (const char *value = std::getenv(variable); value && value[0] == '/')
        return value;
    const char *home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd *pw = ::getpwuid(::getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || home[0] != '/')
        return {};
    return std::string(home) + "/" + inHome;
}

PrivateLock lockPrivateFile(const char *fileName, std::chrono::milliseconds patience)
{
    const std::string name = programFileName();
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string cache = xdgBaseFolder("XDG_CACHE_HOME", ".cache");
    if (!cache.empty())
        ::mkdir(cache.c_str(), 0700); // a new account may have none yet
    for (const std::string &base : {std::string(runtime ? runtime : ""), cache}) {
        const int dir = openPrivateFolder(base, name);
        if (dir < 0)
            continue;
        const int fd = openLockFile(dir, fileName);
        ::close(dir);
        if (fd < 0)
            continue;
        const int error = lockWithin(fd, patience);
        if (error == 0)
            return {fd, false};
        ::close(fd);
        if (error == EWOULDBLOCK)
            return {-1, true};
    }
    return {};
}

} // namespace platform
