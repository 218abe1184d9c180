#include "platform/InstanceLock_posix.h"

#include "platform/Backends.h"
#include "platform/UserStore_posix.h"

#include <QLockFile>
#include <QStandardPaths>

namespace platform
{

LockFileInstanceLock::LockFileInstanceLock() = default;
LockFileInstanceLock::~LockFileInstanceLock() = default;

bool LockFileInstanceLock::acquire()
{
    if (m_lock)
        return true;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = storeFolder();
    // No lock to be had (no folder to trust, a read-only home): a second
    // window is a smaller harm than refusing to start.
    const QString file = folder + u'/' + programName() + QStringLiteral(".lock");
    if (folder.isEmpty() || !clearForLock(file))
        return true;
    auto lock = std::make_unique<QLockFile>(file);
    lock->setStaleLockTime(0);
    if (!takeLock(*lock, 0))
        return lock->error() != QLockFile::LockFailedError;
    m_lock = std::move(lock);
    return true;
}

InstanceLock &hostInstanceLock()
{
    static LockFileInstanceLock lock;
    return lock;
}

} // namespace platform
