#pragma once

// A minimal check harness for the Windows backend tests: no Qt on this side.

#include <cstdio>

namespace wincheck
{
inline int passed = 0;
inline int failed = 0;

inline void record(bool ok, const char *expr, const char *file, int line)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAIL %s:%d: %s\n", file, line, expr);
    }
}

inline int summary()
{
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
} // namespace wincheck

#define CHECK(expr) wincheck::record(static_cast<bool>(expr), #expr, __FILE__, __LINE__)
