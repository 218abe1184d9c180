#pragma once

#include "platform/Services.h"

#include <windows.h>

namespace platform::win32
{

using ShellExecuteFn = HINSTANCE(WINAPI *)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

// Every link goes through ShellExecuteA; a test hands in a recorder instead.
class ShellExecuteShell final : public Shell
{
  public:
    explicit ShellExecuteShell(ShellExecuteFn shellExecute = &::ShellExecuteA) : m_shellExecute(shellExecute) {}
    void openUrl(const std::string &url, const std::function<void()> &notOpened) override;

  private:
    ShellExecuteFn m_shellExecute;
};

} // namespace platform::win32
