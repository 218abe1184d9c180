#pragma once

// The host's production backends, one definition each in *_posix.cpp or
// *_win32.cpp. Only the table of services (Backends.cpp) and the backends' own
// tests use this.

#include "platform/Services.h"

#include <string>

namespace platform
{
Shell &hostShell();
UserStore &hostStore();
InstanceLock &hostInstanceLock();
Calendar &hostCalendar();
Random &processRandom();
Terminator &processTerminator();

// The program file's name without folder or extension: it names the store's
// key and the single-instance lock.
std::string programFileName();

// A file name less its extension: "starbond.bin" gives "starbond". A name
// without a dot, or whose only dot leads it, stays whole.
std::string withoutExtension(const std::string &fileName);
} // namespace platform
