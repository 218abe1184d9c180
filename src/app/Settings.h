#pragma once

// Remembered values, names and contents shifted by 85 codes, in the per-user
// store's section "Settings". Texts are byte strings in the ANSI code page.

#include <string>

namespace modHelp
{

std::string EncodeText(const std::string &text);
std::string DecodeText(const std::string &text);

// Empty when never written (or unreadable).
std::string ReadSetting(const std::string &name);
// False when the store refuses the write.
bool WriteSetting(const std::string &name, const std::string &value);

} // namespace modHelp
