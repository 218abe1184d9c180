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
        const std::string name = "Local\\" + programFileName() + ".SingleInstance";
        HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name.c_str());
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

std::string programFileName()
{
    char buf[MAX_PATH];
    const DWORD n = ::GetModuleFileNameA(nullptr, buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return "starbond";
    std::string path(buf, n);
    const auto slash = path.find_last_of("\\/");
    if (slash != std::string::npos)
        path = path.substr(slash + 1);
    return withoutExtension(path);
}

InstanceLock &hostInstanceLock()
{
    static MutexInstanceLock lock;
    return lock;
}

} // namespace platform
