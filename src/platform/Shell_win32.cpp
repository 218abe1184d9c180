#include "platform/Shell_win32.h"

#include "platform/Backends.h"

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
    const int size = static_cast<int>(utf8.size());
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), wideLength);
    const int ansiLength = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (ansiLength <= 0)
        return {};
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

class Win32Shell final : public Shell
{
  public:
    void openUrl(const std::string &url) override
    {
        // The result is not examined: a missing browser is not reported.
        win32::shellExecute(nullptr, "Open", toAnsi(url).c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
    }
};

} // namespace

Shell &hostShell()
{
    static Win32Shell shell;
    return shell;
}

} // namespace platform
