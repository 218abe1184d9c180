#pragma once

#include <cstdint>

namespace platform::win32
{

// Puts the window above other applications' windows and shows it, keeping its
// position and size (SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW).
void setTopmost(std::uintptr_t hwnd);

} // namespace platform::win32
