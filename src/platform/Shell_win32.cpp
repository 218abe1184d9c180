#include "platform/Shell_win32.h"

#include "platform/Backends.h"
#include "platform/CodePages_win32.h"

#include <shellapi.h>

namespace platform
{
namespace win32
{
ShellExecuteFn shellExecute = &::ShellExecuteA;
} // namespace win32

namespace
{

// UTF-8 to the ANSI code page; characters it lacks become its default char.
std::string toAnsi(const std::string &utf8)
{
    return win32::narrow(win32::widen(utf8, CP_UTF8), CP_ACP);
}

class Win32Shell final : public Shell
{
  public:
    bool openUrl(const std::string &url) override
    {
        // 32 or less is an error code (no program for web addresses, ...).
        const HINSTANCE result =
            win32::shellExecute(nullptr, "Open", toAnsi(url).c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
        return reinterpret_cast<INT_PTR>(result) > 32;
    }
};

} // namespace

Shell &hostShell()
{
    static Win32Shell shell;
    return shell;
}

} // namespace platform
