#pragma once

#include "platform/Services.h"

#include <memory>

class QLockFile;

namespace platform
{

// One instance per user: a lock file in the runtime folder, which Qt takes
// only where it is the user's alone (else /tmp/runtime-<user>), or, failing
// both, in the store's folder. It is held for the life of the process, so it
// goes stale only once its holder has died.
class LockFileInstanceLock final : public InstanceLock
{
  public:
    LockFileInstanceLock();
    ~LockFileInstanceLock() override;
    Q_DISABLE_COPY_MOVE(LockFileInstanceLock)
    bool acquire() override;

  private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace platform
