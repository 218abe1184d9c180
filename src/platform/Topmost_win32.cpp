#include "platform/Topmost_win32.h"

#include <windows.h>

namespace platform::win32
{

void setTopmost(std::uintptr_t hwnd)
{
    constexpr UINT flags = 83;
    ::SetWindowPos(reinterpret_cast<HWND>(hwnd), HWND_TOPMOST, 0, 0, 0, 0, flags);
}

} // namespace platform::win32
