#pragma once

#include "platform/Services.h"

namespace platform
{

// One instance per user: an advisory lock (flock) on <folder>/instance.lock,
// where <folder> is <program file name> in $XDG_RUNTIME_DIR or, where that
// is unset or unusable, in ${XDG_CACHE_HOME:-$HOME/.cache}. The kernel drops
// the lock when the process dies, so a crashed instance never blocks the next
// start. Where no lock can be had at all, acquire() lets the program start.
class FlockInstanceLock final : public InstanceLock
{
  public:
    FlockInstanceLock() = default;
    ~FlockInstanceLock() override;
    FlockInstanceLock(const FlockInstanceLock &) = delete;
    FlockInstanceLock &operator=(const FlockInstanceLock &) = delete;
    bool acquire() override;

  private:
    int m_fd = -1;
};

} // namespace platform
