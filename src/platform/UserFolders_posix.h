#pragma once

// The user's folders on Linux: the XDG base folders, and the program's
// private folder, where its lock files live.

#include <chrono>
#include <string>

namespace platform
{

// $<variable> where it is an absolute path, else $HOME/<inHome> (HOME from the
// environment or the password database); empty where neither is known.
std::string xdgBaseFolder(const char *variable, const char *inHome);

// A lock file in the program's private folder of the user's:
// <program file name> in $XDG_RUNTIME_DIR or, where that is unset or
// unusable, in ${XDG_CACHE_HOME:-$HOME/.cache}, mode 0700. Only the user can
// open it, so no one else can hold it. Locked while fd stays open.
struct PrivateLock {
    int fd = -1;       // -1 where no private folder serves or its file system has no locks
    bool busy = false; // held by another process for longer than the patience
};
PrivateLock lockPrivateFile(const char *fileName, std::chrono::milliseconds patience);

} // namespace platform
