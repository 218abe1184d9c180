#include "platform/Shell_win32.h"

#include "platform/Backends.h"
#include "platform/CodePages_win32.h"

#include <shellapi.h>

namespace platform
{

namespace win32
{

void ShellExecuteShell::openUrl(const std::string &url, const std::function<void()> &notOpened)
{
    // UTF-8 to the ANSI code page; characters it lacks become its default char.
    const std::string ansi = narrow(widen(url, CP_UTF8), CP_ACP);
    // 32 or less is an error code (no program for web addresses, ...).
    const HINSTANCE result = m_shellExecute(nullptr, "Open", ansi.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32 && notOpened)
        notOpened();
}

} // namespace win32

Shell &hostShell()
{
    static win32::ShellExecuteShell shell;
    return shell;
}

} // namespace platform
