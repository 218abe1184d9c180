#pragma once

// Remembered values, names and contents shifted by 85 codes, in the per-user
// store's section "Settings". Texts are byte strings in the ANSI code page.

#include <string>

namespace app
{

std::string encodeText(const std::string &text);
std::string decodeText(const std::string &text);

// Empty when never written (or unreadable).
std::string readSetting(const std::string &name);
// False when the store refuses the write.
bool writeSetting(const std::string &name, const std::string &value);

} // namespace app
