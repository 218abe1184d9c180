#pragma once

// Shared by every form that trims what the user typed.

#include <string>
#include <string_view>

namespace reading
{
// Leading and trailing blanks (U+0020) removed; tabs and line breaks stay.
inline std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}
} // namespace reading
