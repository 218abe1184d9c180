#pragma once

// The host's own backends, one definition each in *_posix.cpp or *_win32.cpp:
// what the table of services starts with.

#include "platform/Services.h"

namespace platform
{
Shell &hostShell();
UserStore &hostStore();
InstanceLock &hostInstanceLock();
Calendar &hostCalendar();
} // namespace platform
