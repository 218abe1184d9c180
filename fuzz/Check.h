#pragma once

// What the fuzz targets' checks share. A failed check aborts, so libFuzzer
// keeps the input as a crash.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz
{

inline void check(bool ok, const std::string &what)
{
    if (!ok) {
        std::fprintf(stderr, "check failed: %s\n", what.c_str());
        std::abort();
    }
}

// Blanks (U+0020) off both ends, as the forms trim what was typed; written
// apart from the code under test.
inline std::string trimBlanks(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace fuzz
