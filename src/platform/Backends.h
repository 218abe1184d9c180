#pragma once

// The host's production backends, one definition each in *_posix.cpp or
// *_win32.cpp. Only Services.cpp and the backends' own tests use this.

#include "platform/Services.h"

namespace platform {
Shell &hostShell();
UserStore &hostStore();
InstanceLock &hostInstanceLock();
Calendar &hostCalendar();
Random &processRandom();
Terminator &processTerminator();
} // namespace platform
