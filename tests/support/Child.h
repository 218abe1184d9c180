#pragma once

// A body run in a forked child, for tests that need a second process of the
// same program (a second instance, a writer killed midway).

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace testchild
{

// The child exits 0 where the body returns true. An alarm ends a child that
// hangs, and wait() then gives -SIGALRM.
inline pid_t start(const std::function<bool()> &body)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10);
        ::_exit(body() ? 0 : 1);
    }
    return child;
}

// The exit status, or minus the signal that ended the child.
inline int wait(pid_t child)
{
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return -1000;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

} // namespace testchild
