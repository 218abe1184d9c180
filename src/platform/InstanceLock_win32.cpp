#include "platform/Backends.h"

#include <windows.h>

namespace platform
{
namespace
{

// A named mutex in the session's own namespace: one instance per user logon.
class MutexInstanceLock final : public InstanceLock
{
  public:
    bool acquire() override
    {
        if (m_mutex)
            return true;
        const QByteArray name = "Local\\" + programName().toLocal8Bit() + ".SingleInstance";
        HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.constData());
        if (!mutex)
            return true;
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            ::CloseHandle(mutex);
            return false;
        }
        m_mutex = mutex; // held until the process ends
        return true;
    }

  private:
    HANDLE m_mutex = nullptr;
};

} // namespace

InstanceLock &hostInstanceLock()
{
    static MutexInstanceLock lock;
    return lock;
}

} // namespace platform
