#pragma once

#include <windows.h>

namespace platform::win32
{

// The shell call every link goes through; tests put a recorder here.
using ShellExecuteFn = HINSTANCE(WINAPI *)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
extern ShellExecuteFn shellExecute;

} // namespace platform::win32
