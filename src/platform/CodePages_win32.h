#pragma once

// Text between a Windows code page and UTF-16; characters a code page lacks
// become its default character. Empty where the text cannot be converted.

#include <windows.h>

#include <string>

namespace platform::win32
{

inline std::wstring widen(const std::string &text, UINT codePage)
{
    const int size = static_cast<int>(text.size());
    const int length = text.empty() ? 0 : ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

inline std::string narrow(const std::wstring &wide, UINT codePage)
{
    const int size = static_cast<int>(wide.size());
    const int length =
        wide.empty() ? 0 : ::WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

} // namespace platform::win32
